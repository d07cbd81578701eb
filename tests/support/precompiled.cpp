// Compiled only to make the precompiled header every test program reuses
// (tests/CMakeLists.txt).
