# Fuzz targets of the project queries: the word list reader.
if(TARGET vt_model)
  vt_fuzz(fuzz_word_list SOURCE fuzz_word_list.cpp LIBS vt_model)
endif()
