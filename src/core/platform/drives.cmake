# Volume labels, serial numbers and file-system types come from libblkid.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BLKID REQUIRED IMPORTED_TARGET blkid)
target_link_libraries(quorvex_core PUBLIC PkgConfig::BLKID)
