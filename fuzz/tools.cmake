# Fuzz targets of the extraction toolkit.
vt_fuzz(fuzz_pe_resources SOURCE fuzz_pe_resources.cpp LIBS vt_tools)
vt_fuzz(fuzz_binary_form SOURCE fuzz_binary_form.cpp LIBS vt_tools)
vt_fuzz(fuzz_form_text SOURCE fuzz_form_text.cpp LIBS vt_tools)
vt_fuzz(fuzz_form_text_reader SOURCE fuzz_form_text_reader.cpp LIBS vt_tools)
vt_fuzz(fuzz_skin SOURCE fuzz_skin.cpp LIBS vt_tools)
vt_fuzz(fuzz_message_scan SOURCE fuzz_message_scan.cpp LIBS vt_tools)
