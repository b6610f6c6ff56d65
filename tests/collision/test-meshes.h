#pragma once
// Meshes and placements for the collision tests and the collision benchmark, generated in code so
// that they need no data files: icospheres (20 * 4^k triangles) and the play-volume box.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "collision/cq.h"

namespace test_meshes {

struct Triangle {
  double v[3][3];  // three vertices, model coordinates
};
using Mesh = std::vector<Triangle>;

// An icosahedron whose faces are split in four `subdivisions` times, every vertex pushed out onto
// the sphere of the given radius. Triangles are wound counter-clockwise seen from outside.
inline Mesh Icosphere(int subdivisions, double radius) {
  const double t = (1.0 + std::sqrt(5.0)) / 2.0;
  std::vector<std::array<double, 3>> points = {
      {-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
      {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
  std::vector<std::array<int, 3>> faces = {
      {0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
      {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
      {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
  auto normalise = [](std::array<double, 3> p) {
    const double len = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    return std::array<double, 3>{p[0] / len, p[1] / len, p[2] / len};
  };
  for (auto& p : points) p = normalise(p);

  for (int level = 0; level < subdivisions; level++) {
    std::map<std::pair<int, int>, int> midpoints;
    auto midpoint = [&](int a, int b) {
      const std::pair<int, int> key(std::min(a, b), std::max(a, b));
      auto found = midpoints.find(key);
      if (found != midpoints.end()) return found->second;
      const auto& pa = points[a];
      const auto& pb = points[b];
      points.push_back(normalise({pa[0] + pb[0], pa[1] + pb[1], pa[2] + pb[2]}));
      const int index = static_cast<int>(points.size()) - 1;
      midpoints[key] = index;
      return index;
    };
    std::vector<std::array<int, 3>> finer;
    for (const auto& f : faces) {
      const int ab = midpoint(f[0], f[1]), bc = midpoint(f[1], f[2]), ca = midpoint(f[2], f[0]);
      finer.push_back({f[0], ab, ca});
      finer.push_back({f[1], bc, ab});
      finer.push_back({f[2], ca, bc});
      finer.push_back({ab, bc, ca});
    }
    faces = std::move(finer);
  }

  Mesh mesh;
  for (const auto& f : faces) {
    Triangle tri;
    for (int k = 0; k < 3; k++)
      for (int j = 0; j < 3; j++) tri.v[k][j] = radius * points[f[k]][j];
    mesh.push_back(tri);
  }
  return mesh;
}

// The 12 triangles of the axis-aligned box [lo, hi], two per face.
inline Mesh Box(const double lo[3], const double hi[3]) {
  // Corner i has x from bit 0, y from bit 1, z from bit 2.
  auto corner = [&](int i, double out[3]) {
    out[0] = (i & 1) ? hi[0] : lo[0];
    out[1] = (i & 2) ? hi[1] : lo[1];
    out[2] = (i & 4) ? hi[2] : lo[2];
  };
  const int quads[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                           {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
  Mesh mesh;
  for (const auto& q : quads) {
    Triangle a, b;
    corner(q[0], a.v[0]);
    corner(q[1], a.v[1]);
    corner(q[2], a.v[2]);
    corner(q[0], b.v[0]);
    corner(q[2], b.v[1]);
    corner(q[3], b.v[2]);
    mesh.push_back(a);
    mesh.push_back(b);
  }
  return mesh;
}

// The play volume: x in [-15, 15], y in [-1, 10], z in [-20, 20].
inline Mesh PlayBox() {
  const double lo[3] = {-15, -1, -20};
  const double hi[3] = {15, 10, 20};
  return Box(lo, hi);
}

// Adds the mesh in order, triangle i with id i, and builds the tree. Returns EndModel's status.
inline int BuildModel(CQ_Model& model, const Mesh& mesh) {
  model.BeginModel(8);
  for (size_t i = 0; i < mesh.size(); i++)
    model.AddTri(mesh[i].v[0], mesh[i].v[1], mesh[i].v[2], static_cast<int>(i));
  return model.EndModel();
}

// A rotation drawn uniformly from all rotations (from a uniformly random unit quaternion).
inline void RandomRotation(std::mt19937_64& rng, double R[3][3]) {
  std::normal_distribution<double> normal(0.0, 1.0);
  double q[4], len = 0;
  do {
    len = 0;
    for (double& c : q) {
      c = normal(rng);
      len += c * c;
    }
  } while (len < 1e-12);
  len = std::sqrt(len);
  const double s = q[0] / len, x = q[1] / len, y = q[2] / len, z = q[3] / len;
  R[0][0] = 1 - 2 * (y * y + z * z);
  R[0][1] = 2 * (x * y - s * z);
  R[0][2] = 2 * (x * z + s * y);
  R[1][0] = 2 * (x * y + s * z);
  R[1][1] = 1 - 2 * (x * x + z * z);
  R[1][2] = 2 * (y * z - s * x);
  R[2][0] = 2 * (x * z - s * y);
  R[2][1] = 2 * (y * z + s * x);
  R[2][2] = 1 - 2 * (x * x + y * y);
}

// A unit vector drawn uniformly from the sphere.
inline void RandomDirection(std::mt19937_64& rng, double d[3]) {
  std::normal_distribution<double> normal(0.0, 1.0);
  double len = 0;
  do {
    len = 0;
    for (int i = 0; i < 3; i++) {
      d[i] = normal(rng);
      len += d[i] * d[i];
    }
  } while (len < 1e-12);
  len = std::sqrt(len);
  for (int i = 0; i < 3; i++) d[i] /= len;
}

}  // namespace test_meshes
