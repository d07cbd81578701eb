#pragma once
// Writing to the console streams. The program's texts are code page 932 bytes; what a
// terminal or a script reads is UTF-8.

#include <string>

// The code page 932 text in UTF-8; invalid bytes become the system's replacement character.
std::string Cp932ToUtf8(const std::string& text);

// Write the bytes unchanged; true when all were written.
bool WriteStdout(const std::string& bytes);
bool WriteStderr(const std::string& bytes);
