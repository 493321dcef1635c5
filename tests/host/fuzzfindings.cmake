# Inputs the fuzz targets (tests/fuzz) found, kept as regression tests of the normal suite.
sup_add_test(host_fuzz_findings_test host CodecFuzzFindingsTest.cpp FilterFuzzFindingsTest.cpp)
target_link_libraries(host_fuzz_findings_test PRIVATE hostcore)
