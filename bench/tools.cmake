# Benchmarks of the extraction toolkit: the message scan and the conversion/extraction of forms.
foreach(b IN ITEMS bench_tools_scan bench_tools_forms)
  add_executable(${b} ${CMAKE_CURRENT_SOURCE_DIR}/${b}.cpp)
  target_link_libraries(${b} PRIVATE vt_tools benchmark::benchmark)
  # The form and PE writers of the tests build the inputs.
  target_include_directories(${b} PRIVATE ${PROJECT_SOURCE_DIR}/tests/tools)
  vt_warnings(${b})
endforeach()
