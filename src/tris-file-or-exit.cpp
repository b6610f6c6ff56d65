#include "tris-file-or-exit.h"

#include <cstdlib>
#include <iostream>

#include "collision/tris-file.h"

void ExitOnBadMeshFile(const char* file_name, const std::string& message) {
  std::cerr << "ERROR occurred while parsing " << file_name << std::endl;
  std::cerr << message << std::endl;
  std::exit(1);
}

int ReadTrisFile(const char* file_name, std::vector<float>& coords) {
  int count = 0;
  std::string message;
  if (ReadTris(file_name, coords, count, message) != TrisStatus::Ok) ExitOnBadMeshFile(file_name, message);
  return count;
}
