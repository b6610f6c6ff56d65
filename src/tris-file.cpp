#include "tris-file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

[[noreturn]] void FailParsing(const char* file_name, const char* why) {
  std::cerr << "ERROR occurred while parsing " << file_name << std::endl;
  std::cerr << why << std::endl;
  std::exit(1);
}

}  // namespace

int ReadTrisFile(const char* file_name, std::vector<float>& coords) {
  std::ifstream in(file_name);
  if (in.fail()) FailParsing(file_name, "Could not open file.");
  // The file's size bounds what it can hold: a number takes at least two characters.
  in.seekg(0, std::ios::end);
  const std::streamoff bytes = in.tellg();
  in.seekg(0);

  // Extracted as signed so that "-3" is refused instead of wrapping to a huge unsigned count.
  long long count = -1;
  if (!(in >> count) || count < 0 || count > 0x7fffffff)
    FailParsing(file_name, "First entry should be number of triangles (an unsigned int).");

  coords.clear();
  // Reserve only what the file can back, never what the count claims.
  const long long backed = bytes > 0 ? bytes / 2 : 0;
  coords.reserve(static_cast<size_t>(std::min<long long>(9 * count, backed)));

  float value = 0.0f;
  for (long long i = 0; i < 9 * count; ++i) {
    if (!(in >> value)) {
      const std::string line = "Triangle " + std::to_string(i / 9) + " of " + std::to_string(count) +
                               " is incomplete: expected 9 numbers, found " + std::to_string(i % 9) + ".";
      FailParsing(file_name, line.c_str());
    }
    coords.push_back(value);
  }
  return static_cast<int>(count);
}
