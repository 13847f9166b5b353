# zlib is the oracle the inflate tests compare against; the core itself never links it.
find_package(ZLIB REQUIRED)
target_link_libraries(${target} PRIVATE ZLIB::ZLIB)
