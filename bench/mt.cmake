# Benchmarks of machine translation: the warm engine's answer time and one pipeline's start.
add_executable(bench_mt_engine ${CMAKE_CURRENT_SOURCE_DIR}/bench_mt_engine.cpp)
target_link_libraries(bench_mt_engine PRIVATE vt_mtserver benchmark::benchmark)
vt_warnings(bench_mt_engine)
