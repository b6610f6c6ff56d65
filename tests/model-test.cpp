#include "model.h"
#include "collision-mesh.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "collision/cq.h"
#include "test-files.h"

namespace {


// Model is not copyable; tests load into a Model they own.
void Load(Model& model, const std::string& name, const std::string& text, float scale = 1.0f) {
  model.Load(WriteTempFile(name, text).c_str(), scale);
}

}  // namespace

TEST(Model, TextureCoordinatesNormalsAndFaceNormalOfOneTriangle) {
  Model model;
  Load(model, "plain.tris", "1\n0 0 1  1 0 0  0 1 0\n");
  ASSERT_EQ(model.ntris(), 1);
  const MeshTriangle& t = model.TriangleAt(0);
  const float u[3] = {0.0f, 0.25f, 0.0f}, v[3] = {0.5f, 0.5f, -0.5f};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(t.tex_coord[k][0], u[k], 1e-6f) << k;
    EXPECT_NEAR(t.tex_coord[k][1], v[k], 1e-6f) << k;
  }
  EXPECT_FLOAT_EQ(t.normal[1].x, 1.0f);
  const float third = 0.57735026f;
  EXPECT_NEAR(t.face_normal.x, third, 1e-6f);
  EXPECT_NEAR(t.face_normal.y, third, 1e-6f);
  EXPECT_NEAR(t.face_normal.z, third, 1e-6f);
}

// A triangle across the +z half-plane: quadrants 4, 1, 1 of (z, x), so the two quadrant-1
// vertices are lifted by 1 while the quadrant-4 vertex keeps u just under 1.
TEST(Model, SeamRepairLiftsTheQuadrantOneVertices) {
  Model model;
  Load(model, "seam.tris", "1 -0.1 0 1 0.1 0 1 0 1 0");
  const MeshTriangle& t = model.TriangleAt(0);
  EXPECT_NEAR(t.tex_coord[0][0], 0.984f, 1e-3f);
  EXPECT_NEAR(t.tex_coord[1][0], 1.016f, 1e-3f);
  EXPECT_NEAR(t.tex_coord[2][0], 1.0f, 1e-6f);
  // Without a quadrant-4 vertex nothing is lifted.
  Model plain;
  Load(plain, "noseam.tris", "1 0.1 0 1 0.2 0 1 0 1 0");
  EXPECT_LT(plain.TriangleAt(0).tex_coord[2][0], 0.5f);
}

TEST(Model, OriginVertexAndScale) {
  Model model;
  Load(model, "origin.tris", "1 0 0 0 1 0 0 0 1 0", 2.0f);
  const MeshTriangle& t = model.TriangleAt(0);
  EXPECT_EQ(t.tex_coord[0][0], 0.0f);
  EXPECT_EQ(t.tex_coord[0][1], 1.5f);
  EXPECT_EQ(t.normal[0].Length(), 0.0f);
  EXPECT_EQ(t.vertex[1].x, 2.0f) << "scale 2 doubles every vertex";
  EXPECT_EQ(t.normal[1].x, 1.0f) << "and leaves normals alone";
  EXPECT_NEAR(t.tex_coord[1][0], 0.25f, 1e-6f);
}

// The two loaders agree: triangle i of the file has id i and the same (scaled) vertices.
TEST(Model, CollisionModelKeepsFileOrderAsIds) {
  const std::string path = WriteTempFile("two.tris", "2  0 0 0 1 0 0 0 1 0   5 5 5 6 5 5 5 6 5.5  ignored words");
  Model model;
  model.Load(path.c_str(), 0.5f);
  CQ_Model collision;
  LoadCollisionModel(collision, path.c_str(), 0.5f);
  ASSERT_EQ(collision.state(), CQ_ModelState::Built);
  ASSERT_EQ(collision.tri_count(), 2);
  for (int k = 0; k < 2; ++k) {
    const ModelTri& tri = collision.tri_list()[k];
    const MeshTriangle& t = model.TriangleAt(static_cast<unsigned>(tri.id));
    EXPECT_EQ(tri.vert1[0], t.vertex[0].x);
    EXPECT_EQ(tri.vert3[2], t.vertex[2].z);
  }
}

// The demo's box with its floor stretched to +-1e20: a valid file whose floor triangles used to
// get NaN normals (the single-precision cross product overflows). Every face keeps its outward
// unit normal; a triangle without area gets none.
TEST(Model, FaceNormalsOfAHugeFloorAndOfAFlatTriangle) {
  Model model;
  Load(model, "huge-floor.tris",
       "3\n"
       "-1e20 -1 -1e20  1e20 -1 -1e20  1e20 -1 1e20\n"
       "-1e20 -1 -1e20  1e20 -1 1e20  -1e20 -1 1e20\n"
       "0 0 0  1 1 1  2 2 2\n");
  for (unsigned k = 0; k < 2; ++k) {
    const Vec3& n = model.TriangleAt(k).face_normal;
    EXPECT_EQ(n.x, 0.0f) << k;
    EXPECT_EQ(n.y, -1.0f) << k;
    EXPECT_EQ(n.z, 0.0f) << k;
  }
  EXPECT_EQ(model.TriangleAt(2).face_normal.Length(), 0.0f);
}

// A mesh file read through a pipe (such as /dev/stdin), which can be neither measured nor
// rewound, loads as a file does; it used to be refused for its count.
TEST(Model, LoadsThroughAPipe) {
  const std::string text = "1  0 0 0 1 0 0 0 1 0";
  for (int loader = 0; loader < 2; ++loader) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(ends[1]);
    const std::string path = "/dev/fd/" + std::to_string(ends[0]);
    if (loader == 0) {
      Model model;
      model.Load(path.c_str(), 1.0f);
      EXPECT_EQ(model.ntris(), 1);
    } else {
      CQ_Model collision;
      LoadCollisionModel(collision, path.c_str(), 1.0f);
      EXPECT_EQ(collision.state(), CQ_ModelState::Built);
      EXPECT_EQ(collision.tri_count(), 1);
    }
    close(ends[0]);
  }
}

TEST(ModelDeathTest, TriangleAtStopsPastTheEnd) {
  Model model;
  Load(model, "one.tris", "1 0 0 1 1 0 0 0 1 0");
  EXPECT_DEATH(model.TriangleAt(1), "Assertion failed: idx < ntris, file model.cpp");
}

// Every bad file ends the program with exit code 1 and says what is wrong, before anything of
// it is used.
TEST(ModelDeathTest, BadFilesExitWithTheirMessages) {
  const std::string open_failed = "ERROR occurred while parsing .*missing.tris\nCould not open file.\n";
  const std::string not_a_count = "First entry should be number of triangles \\(an unsigned int\\).\n";
  const std::string no_area = "No triangle has a positive area: no body could ever touch this mesh.\n";
  const struct {
    const char* name;
    const char* text;
    std::string message;
  } cases[] = {
      {"empty-text.tris", "", not_a_count},
      {"word.tris", "abc 1 2 3", not_a_count},
      {"negative.tris", "-3 1 2 3 4 5 6 7 8 9", not_a_count},
      {"minus-one.tris", "-1", not_a_count},
      {"too-big.tris", "99999999999 1 2 3", not_a_count},
      {"short.tris", "2  0 0 0 1 0 0 0 1 0  4 4 4", "Triangle 2 of 2 is incomplete: expected 9 numbers, found 3.\n"},
      {"huge-claim.tris", "2000000000 1 2 3", "Triangle 1 of 2000000000 is incomplete"},
      {"word-inside.tris", "1  0 0 0 1 x 0 0 1 0", "Triangle 1 of 1: number 5 of 9, 'x', is not a number.\n"},
      // Meshes nothing could touch: no triangle, or none with an area (flat ones beside others load).
      {"no-triangle.tris", "0\n", no_area},
      {"all-zero.tris", "1  0 0 0 0 0 0 0 0 0", no_area},
      {"flat.tris", "2  0 0 0 1 1 1 2 2 2  5 5 5 5 5 5 6 6 6", no_area},
      // Counts that used to be read in part: 1 with ".5" shifted into the coordinates, 0.
      {"fraction.tris", "1.5 0 0 0 1 0 0 0 1", not_a_count},
      {"hex.tris", "0x1  0 0 0 1 0 0 0 1 0", not_a_count},
      {"glued.tris", "12abc", not_a_count},
      {"out-of-range.tris", "1  0 0 0 1 0 0 0 1e39 0",
       "Triangle 1 of 1: number 8 of 9 is out of range for a float \\(larger in size than about 3.4e38\\).\n"},
  };
  for (const auto& c : cases) {
    const std::string path = WriteTempFile(c.name, c.text);
    Model model;
    EXPECT_EXIT(model.Load(path.c_str(), 1.0f), testing::ExitedWithCode(1),
                "ERROR occurred while parsing .*" + std::string(c.name) + "\n" + c.message)
        << c.name;
    CQ_Model collision;
    EXPECT_EXIT(LoadCollisionModel(collision, path.c_str(), 1.0f), testing::ExitedWithCode(1),
                "ERROR occurred while parsing .*" + std::string(c.name) + "\n" + c.message)
        << c.name;
    // The library's own loader reports the same message to its caller and goes on. A mesh without
    // a triangle of positive area is a legal model there; only our programs refuse it.
    if (c.message == no_area) continue;
    std::string message;
    EXPECT_EQ(LoadTrisModel(collision, path.c_str(), message), StatusMalformedFile) << c.name;
    EXPECT_TRUE(testing::internal::RE::PartialMatch(message + "\n", testing::internal::RE(c.message))) << message;
    EXPECT_EQ(collision.state(), CQ_ModelState::Empty);
  }
  std::string message;
  CQ_Model untouched;
  EXPECT_EQ(LoadTrisModel(untouched, (testing::TempDir() + "missing.tris").c_str(), message), StatusFileNotRead);
  EXPECT_EQ(message, "Could not open file.");
  EXPECT_EQ(untouched.state(), CQ_ModelState::Empty);
  Model model;
  EXPECT_EXIT(model.Load((testing::TempDir() + "missing.tris").c_str(), 1.0f), testing::ExitedWithCode(1),
              open_failed);
  // A folder given as a mesh file used to be "opened" and then refused for its count.
  const std::string folder = testing::TempDir() + "folder.tris";
  mkdir(folder.c_str(), 0700);
  EXPECT_EXIT(model.Load(folder.c_str(), 1.0f), testing::ExitedWithCode(1),
              "ERROR occurred while parsing .*folder.tris\nCould not open file.\n");
  CQ_Model collision;
  EXPECT_EXIT(LoadCollisionModel(collision, folder.c_str(), 1.0f), testing::ExitedWithCode(1),
              "ERROR occurred while parsing .*folder.tris\nCould not open file.\n");
}
