# Fuzz targets of the project model's readers.
vt_fuzz(fuzz_ini SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_ini.cpp LIBS vt_model)
vt_fuzz(fuzz_trans_man SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_trans_man.cpp LIBS vt_model)
