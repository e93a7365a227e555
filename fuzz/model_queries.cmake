# Fuzz targets of the project queries: the word list reader.
vt_fuzz(fuzz_word_list SOURCE fuzz_word_list.cpp LIBS vt_model)
