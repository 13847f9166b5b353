# RAR extraction links the UnRAR library when it is there; without it the program builds
# and says at run time that RAR extraction is not available.
option(QUORVEX_WITH_UNRAR "RAR extraction through the UnRAR library" ON)
if(QUORVEX_WITH_UNRAR)
  find_path(UNRAR_INCLUDE_DIR unrar/dll.hpp)
  find_library(UNRAR_LIBRARY unrar)
endif()
if(QUORVEX_WITH_UNRAR AND UNRAR_INCLUDE_DIR AND UNRAR_LIBRARY)
  message(STATUS "RAR extraction: ${UNRAR_LIBRARY}")
  # Only the one unit that calls the library sees it, so the rest compiles the same either way.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/UnRAR.cpp PROPERTIES
    COMPILE_DEFINITIONS QUORVEX_HAVE_UNRAR INCLUDE_DIRECTORIES ${UNRAR_INCLUDE_DIR})
  target_link_libraries(quorvex_core PUBLIC ${UNRAR_LIBRARY})
else()
  message(STATUS "RAR extraction: not available (libunrar-dev not found)")
endif()
