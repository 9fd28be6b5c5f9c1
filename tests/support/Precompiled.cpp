// The unit that builds the test programs' shared precompiled header
// (tests/CMakeLists.txt, gls_test_pch); it holds nothing itself.
