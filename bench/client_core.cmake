# Benchmarks of the window commands' plain logic: the journal of unsaved edits.
if(TARGET vt_client_core)
  add_executable(bench_edit_journal ${CMAKE_CURRENT_SOURCE_DIR}/bench_edit_journal.cpp)
  # vt_bench_generator comes from model.cmake.
  target_link_libraries(bench_edit_journal PRIVATE vt_client_core vt_bench_generator vt_model benchmark::benchmark)
  vt_warnings(bench_edit_journal)
  set_target_properties(bench_edit_journal PROPERTIES AUTOMOC OFF AUTORCC OFF)
  # The list run's cost per row with an instant translator, and the window's two short compilers.
  add_executable(bench_list_compile ${CMAKE_CURRENT_SOURCE_DIR}/bench_list_compile.cpp)
  target_link_libraries(bench_list_compile PRIVATE vt_client_core vt_bench_generator vt_model benchmark::benchmark)
  vt_warnings(bench_list_compile)
  set_target_properties(bench_list_compile PROPERTIES AUTOMOC OFF AUTORCC OFF)
endif()
