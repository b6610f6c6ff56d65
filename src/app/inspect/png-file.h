#pragma once
// A picture written as a PNG file: 8-bit RGB, rows from the top.

#include <string>

// Writes width x height pixels (3 bytes each, rows top first, no padding) to path. False, with a
// message naming the file and the reason, when it cannot be written; no file is left then.
// The file appears under its name only when it is complete.
bool WritePng(const char* path, int width, int height, const unsigned char* rgb, std::string& problem);
