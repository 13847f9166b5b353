# zlib is the yardstick for the inflate benchmark.
find_package(ZLIB REQUIRED)
target_link_libraries(bench_${name} PRIVATE ZLIB::ZLIB)
