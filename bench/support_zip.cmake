# The zip archive next to zlib, and a project generator for timing lngtool's packed-project commands
# (scripts/bench_packed.sh).
if(TARGET vt_support)
  add_executable(bench_zip ${CMAKE_CURRENT_SOURCE_DIR}/bench_zip.cpp)
  target_link_libraries(bench_zip PRIVATE vt_support ZLIB::ZLIB benchmark::benchmark)
  vt_warnings(bench_zip)
endif()
if(TARGET vt_bench_generator)
  add_executable(make_project ${CMAKE_CURRENT_SOURCE_DIR}/make_project.cpp)
  target_link_libraries(make_project PRIVATE vt_bench_generator)
  vt_warnings(make_project)
endif()
