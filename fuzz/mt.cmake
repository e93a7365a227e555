# Fuzz targets of machine translation: the service's reading of requests, and the client's
# reading of answers and pages.
vt_fuzz(fuzz_mt_query SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_mt_query.cpp LIBS vt_mtserver)
vt_fuzz(fuzz_mt_markup SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_mt_markup.cpp LIBS vt_mtserver)
