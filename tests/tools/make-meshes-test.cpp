// The committed mesh files are exactly what our generator writes, and they keep the promises the
// simulation relies on: triangle counts, radius 0.99, outward winding, the box's stored normals.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "math/vec3.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

float Coordinate(const Vec3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

struct Tri {
  Vec3 v[3];
  Vec3 Normal() const { return Cross(v[1] - v[0], v[2] - v[0]); }
};

std::vector<Tri> ReadTris(const std::string& path) {
  std::ifstream in(path);
  int n = -1;
  in >> n;
  std::vector<Tri> tris(n > 0 ? n : 0);
  for (Tri& t : tris)
    for (Vec3& p : t.v) in >> p.x >> p.y >> p.z;
  EXPECT_TRUE(in) << path << " ends early";
  return tris;
}

const std::string kData = QUORVEL_DATA_DIR;

}  // namespace

TEST(MakeMeshes, RegeneratesTheCommittedFilesByteForByte) {
  const std::string folder = ::testing::TempDir() + "make-meshes-test";
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
  ASSERT_EQ(std::system(("'" MAKE_MESHES_PATH "' '" + folder + "'").c_str()), 0);
  for (const char* name : {"sphere00.tris", "sphere01.tris", "sphere02.tris", "sphere03.tris",
                           "sphere04.tris", "sphere05.tris", "box.tris"}) {
    const std::string committed = ReadFile(kData + "/" + name);
    ASSERT_FALSE(committed.empty()) << name;
    EXPECT_TRUE(committed == ReadFile(folder + "/" + name)) << name << " differs from the generator's";
  }
}

TEST(MakeMeshes, SpheresAreClosedOutwardIcospheresOfRadius099) {
  for (int level = 0; level <= 4; ++level) {
    char name[32];
    std::snprintf(name, sizeof name, "/sphere%02d.tris", level);
    const std::vector<Tri> tris = ReadTris(kData + name);
    ASSERT_EQ(tris.size(), 20u << (2 * level)) << name;
    double volume6 = 0;  // six times the enclosed volume, positive for outward winding
    for (const Tri& t : tris) {
      for (const Vec3& p : t.v) ASSERT_NEAR(p.Length(), 0.99f, 2e-7f) << name;
      const Vec3 centroid = (1.0f / 3.0f) * (t.v[0] + t.v[1] + t.v[2]);
      ASSERT_GT(Dot(t.Normal(), centroid), 0.0f) << name << ": a triangle faces inwards";
      volume6 += Dot(t.v[0], Cross(t.v[1], t.v[2]));
    }
    const double sphere6 = 8 * M_PI * 0.99 * 0.99 * 0.99;
    EXPECT_GT(volume6, 0.6 * sphere6) << name;
    EXPECT_LT(volume6, sphere6) << name;
  }
}

TEST(MakeMeshes, BoxSpansThePlayVolumeWithTheNormalsTheWallBounceReads) {
  const std::vector<Tri> tris = ReadTris(kData + "/box.tris");
  ASSERT_EQ(tris.size(), 12u);
  struct Face {
    int axis;
    float at;
    Vec3 normal;
  } faces[] = {{0, 15, {-1, 0, 0}}, {0, -15, {1, 0, 0}}, {2, 20, {0, 0, -1}},
               {2, -20, {0, 0, 1}}, {1, -1, {0, -1, 0}}, {1, 10, {0, 1, 0}}};
  for (const Face& face : faces) {
    int found = 0;
    for (const Tri& t : tris) {
      bool on_face = true;
      for (const Vec3& p : t.v) on_face = on_face && Coordinate(p, face.axis) == face.at;
      if (!on_face) continue;
      Vec3 n = t.Normal();
      n.Normalize();
      EXPECT_NEAR(Dot(n, face.normal), 1.0f, 1e-6f) << "face at " << face.at << " on axis " << face.axis;
      ++found;
    }
    EXPECT_EQ(found, 2) << "face at " << face.at << " on axis " << face.axis;
  }
  for (const Tri& t : tris)
    for (const Vec3& p : t.v) {
      EXPECT_TRUE(p.x == 15 || p.x == -15);
      EXPECT_TRUE(p.y == -1 || p.y == 10);
      EXPECT_TRUE(p.z == 20 || p.z == -20);
    }
}
