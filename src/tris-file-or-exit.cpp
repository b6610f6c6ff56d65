#include "tris-file-or-exit.h"

#include <cstdlib>
#include <iostream>

#include "collision/tris-file.h"

namespace {

const char kNoArea[] = "No triangle has a positive area: no body could ever touch this mesh.";

// Whether any triangle of the 9n numbers spans an area: a mesh without one has nothing a body
// could ever touch. In double, so that no float overflow or underflow hides an area.
bool HasTriangleWithArea(const std::vector<float>& coords) {
  for (size_t t = 0; t + 9 <= coords.size(); t += 9) {
    const float* c = &coords[t];
    const double u[3] = {double(c[3]) - c[0], double(c[4]) - c[1], double(c[5]) - c[2]};
    const double v[3] = {double(c[6]) - c[0], double(c[7]) - c[1], double(c[8]) - c[2]};
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    if (n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0) return true;
  }
  return false;
}

}  // namespace

void ExitOnBadMeshFile(const char* file_name, const std::string& message) {
  std::cerr << "ERROR occurred while parsing " << file_name << std::endl;
  std::cerr << message << std::endl;
  std::exit(1);
}

int ReadTrisFile(const char* file_name, std::vector<float>& coords) {
  int count = 0;
  std::string message;
  if (ReadTris(file_name, coords, count, message) != TrisStatus::Ok) ExitOnBadMeshFile(file_name, message);
  if (!HasTriangleWithArea(coords)) ExitOnBadMeshFile(file_name, kNoArea);
  return count;
}
