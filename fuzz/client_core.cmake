# Fuzz targets of the window commands' plain logic over project values.
if(TARGET vt_client_core)
  vt_fuzz(fuzz_preview_plan SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_preview_plan.cpp LIBS vt_client_core vt_model)
endif()
if(TARGET vt_client_core)
  vt_fuzz(fuzz_edit_journal SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_edit_journal.cpp LIBS vt_client_core vt_model)
endif()
