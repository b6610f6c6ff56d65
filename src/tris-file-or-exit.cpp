#include "tris-file-or-exit.h"

#include <cstdlib>
#include <iostream>

#include "collision/tris-file.h"

const char kNoAreaMessage[] = "No triangle has a positive area: no body could ever touch this mesh.";

bool SpansArea(const double a[3], const double b[3], const double c[3]) {
  const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  return n[0] * n[0] + n[1] * n[1] + n[2] * n[2] > 0;
}

bool HasTriangleWithArea(const std::vector<float>& coords) {
  for (size_t t = 0; t + 9 <= coords.size(); t += 9) {
    const float* c = &coords[t];
    const double corners[3][3] = {{c[0], c[1], c[2]}, {c[3], c[4], c[5]}, {c[6], c[7], c[8]}};
    if (SpansArea(corners[0], corners[1], corners[2])) return true;
  }
  return false;
}

void ExitOnBadMeshFile(const char* file_name, const std::string& message) {
  std::cerr << "ERROR occurred while parsing " << file_name << std::endl;
  std::cerr << message << std::endl;
  std::exit(1);
}

int ReadTrisFile(const char* file_name, std::vector<float>& coords) {
  int count = 0;
  std::string message;
  if (ReadTris(file_name, coords, count, message) != TrisStatus::Ok) ExitOnBadMeshFile(file_name, message);
  if (!HasTriangleWithArea(coords)) ExitOnBadMeshFile(file_name, kNoAreaMessage);
  return count;
}
