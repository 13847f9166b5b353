# The main window's list needs the GUI library; the benchmark brings its own main().
if(TARGET quorvex_gui)
  target_link_libraries(bench_${name} PRIVATE quorvex_gui)
else()
  set_target_properties(bench_${name} PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
