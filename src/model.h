#pragma once
// The render model of a mesh: its triangles with per-vertex normals and spherical texture
// coordinates, as read from a .tris file. The body-environment pass reads its face normals; the
// demo program compiles `display_list` from `tris` (the core itself never touches OpenGL).
// Triangle i of the file is triangle i here and has id i in the body's collision model.

#include "math/vec3.h"

class CQ_Model;

// 27 floats; a fresh record has every float 0.
struct MeshTriangle {
  Vec3 vertex[3];          // in file order, after scaling
  Vec3 normal[3];          // each vertex's position vector, normalised
  float tex_coord[3][2];   // (u, v) per vertex
  Vec3 face_normal;        // normalised (vertex[1] - vertex[0]) x (vertex[2] - vertex[0]); zero
                           // when the triangle has no area (see FaceNormal)
};

class Model {
 public:
  Model() = default;
  ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Reads the file with every coordinate multiplied by scale and fills ntris and tris. A missing
  // or malformed file ends the program with exit code 1 after its message. Called once.
  void Load(const char* file_name, float scale);

  // Record idx; an index not below ntris stops the program with "idx < ntris".
  MeshTriangle& TriangleAt(unsigned idx);

  void MarkCollided() { collided = 1; }
  void ClearCollided() { collided = 0; }
  bool IsCollided() const { return collided != 0; }

  int ntris = 0;
  MeshTriangle* tris = nullptr;
  unsigned display_list = 0;   // OpenGL list name; compiled by the demo program
  unsigned char collided = 0;  // touched something in the last collision passes
};

// The texture coordinates of one vertex (position from the origin, model coordinates): u runs
// from 0 to 1 once around the y axis starting at +z, v from -0.5 at the +y pole through 0.5 at
// the equator to 1.5 at the -y pole. A vertex at the origin gets (0, 1.5).
void SphericalTexCoord(const Vec3& p, float& u, float& v);

// Builds the collision model from the same file with the same scale: BeginModel(8), AddTri per
// triangle with id = its index, EndModel. Exits on a bad file like Model::Load.
void LoadCollisionModel(CQ_Model& model, const char* file_name, float scale);
