#pragma once
// Where a mesh file of the scene lies: the name alone (the working directory, as our programs
// read them) or inside a given folder.

#include <string>

inline std::string MeshPath(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}
