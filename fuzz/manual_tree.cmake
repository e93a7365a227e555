# Fuzz target of the manual tree parser.
if(TARGET vt_support)
  vt_fuzz(fuzz_manual_tree SOURCE fuzz_manual_tree.cpp LIBS vt_support)
endif()
