vt_fuzz(fuzz_compile SOURCE fuzz_compile.cpp LIBS vt_tools)
