# Fuzz targets of the window commands' plain logic over project values.
vt_fuzz(fuzz_preview_plan SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_preview_plan.cpp LIBS vt_client_core vt_model)
vt_fuzz(fuzz_edit_journal SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_edit_journal.cpp LIBS vt_client_core vt_model)
