#pragma once
// The meshes and the seeded near-touching poses that the collision benchmarks share. Meshes come
// from the data folder when its .tris files exist, otherwise they are generated in code
// (icospheres of radius 0.99 and the play-volume box).
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "../tests/collision/test-meshes.h"

namespace bench {

using test_meshes::Mesh;

// Reads a .tris file: a triangle count, then nine numbers per triangle, read as floats.
inline bool LoadTris(const std::string& path, Mesh& mesh) {
  std::ifstream in(path);
  int n = 0;
  if (!(in >> n) || n <= 0) return false;
  mesh.clear();
  for (int i = 0; i < n; i++) {
    test_meshes::Triangle t;
    for (auto& v : t.v)
      for (double& c : v) {
        float f;
        if (!(in >> f)) return false;
        c = f;
      }
    mesh.push_back(t);
  }
  return true;
}

inline const Mesh& Sphere(int level) {
  static Mesh meshes[6];
  Mesh& mesh = meshes[level];
  if (mesh.empty()) {
    char name[32];
    std::snprintf(name, sizeof name, "/sphere%02d.tris", level);
    if (!LoadTris(std::string(QUORVEL_DATA_DIR) + name, mesh))
      mesh = test_meshes::Icosphere(level, 0.99);
  }
  return mesh;
}

inline const Mesh& Box() {
  static Mesh mesh;
  if (mesh.empty() && !LoadTris(std::string(QUORVEL_DATA_DIR) + "/box.tris", mesh))
    mesh = test_meshes::PlayBox();
  return mesh;
}

// The placements of the two models of one benchmark query: model 1 at R1 p + T1, model 2 at
// R2 p + T2.
struct PosePair {
  double R1[3][3], T1[3], R2[3][3], T2[3];
};

// Sphere against sphere: 40 % of the centre distances in [1.90, 1.98] (touching), 40 % in
// [1.98, 2.10] (grazing misses), 20 % in [2.1, 4.0]; random rotations and directions. The first
// poses of a longer list are those of a shorter one.
inline std::vector<PosePair> SpherePlacements(int count) {
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<PosePair> out(count);
  for (int i = 0; i < count; i++) {
    PosePair& p = out[i];
    const double u = unit(rng);
    const double d = u < 0.4 ? 1.90 + 0.08 * unit(rng)
                   : u < 0.8 ? 1.98 + 0.12 * unit(rng)
                             : 2.1 + 1.9 * unit(rng);
    double dir[3];
    test_meshes::RandomRotation(rng, p.R1);
    test_meshes::RandomRotation(rng, p.R2);
    test_meshes::RandomDirection(rng, dir);
    for (int k = 0; k < 3; k++) {
      p.T1[k] = 0;
      p.T2[k] = d * dir[k];
    }
  }
  return out;
}

// Sphere (first model) in the box (second model, unmoved): centre at y = 0, so 0.01 above the
// floor; half of the placements within 1.05 of a side wall, the rest anywhere inside.
inline std::vector<PosePair> BoxPlacements(int count) {
  std::mt19937_64 rng(4202);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<PosePair> out(count);
  for (int i = 0; i < count; i++) {
    PosePair& p = out[i];
    test_meshes::RandomRotation(rng, p.R1);
    double x = -15 + 30 * unit(rng), z = -20 + 40 * unit(rng);
    if (i % 2 == 0) {
      const double gap = 1.05 * unit(rng);
      switch (static_cast<int>(4 * unit(rng))) {
        case 0: x = -15 + gap; break;
        case 1: x = 15 - gap; break;
        case 2: z = -20 + gap; break;
        default: z = 20 - gap; break;
      }
    }
    p.T1[0] = x;
    p.T1[1] = 0;
    p.T1[2] = z;
    for (int r = 0; r < 3; r++) {
      p.T2[r] = 0;
      for (int c = 0; c < 3; c++) p.R2[r][c] = r == c ? 1 : 0;
    }
  }
  return out;
}

}  // namespace bench
