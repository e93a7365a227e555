# Fuzz target of the zip archive reader.
if(TARGET vt_support)
  vt_fuzz(fuzz_zip SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_zip.cpp LIBS vt_support)
endif()
