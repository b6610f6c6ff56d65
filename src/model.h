#pragma once
// The render model of a mesh: its triangles with per-vertex normals and spherical texture
// coordinates, as read from a .tris file. The body-environment pass reads its face normals; the
// demo program compiles the display list from the triangles (the core itself never touches
// OpenGL). Triangle i of the file is triangle i here and has id i in the body's collision model.

#include <memory>

#include "math/vec3.h"

// 27 floats; a fresh record has every float 0.
struct MeshTriangle {
  Vec3 vertex[3];          // in file order, after scaling
  Vec3 normal[3];          // each vertex's position vector, normalised
  float tex_coord[3][2];   // (u, v) per vertex
  Vec3 face_normal;        // normalised (vertex[1] - vertex[0]) x (vertex[2] - vertex[0]); zero
                           // when the triangle has no area (see FaceNormal)
};

// The triangles of one mesh as read from a .tris file. Every Model loaded from or sharing the
// same file refers to one RenderMesh, read-only; only the demo writes display_list, once per mesh.
struct RenderMesh {
  int ntris = 0;
  std::unique_ptr<MeshTriangle[]> tris;
  unsigned display_list = 0;  // OpenGL list name; compiled by the demo program
};

// A body's render model: the (possibly shared) triangles it is drawn with, and its own flag of
// having touched something in the last collision passes.
class Model {
 public:
  Model() = default;
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Loads the triangles of a .tris file, scaled, as a mesh of this model's own. A file it cannot
  // use ends the program with exit code 1, after saying what is wrong with it.
  void Load(const char* file_name, float scale);
  // Draws with the other model's triangles from now on, sharing them (read-only) instead of
  // reading the file again. The collided flag stays this model's own.
  void ShareMesh(const Model& other) { mesh_ = other.mesh_; }
  bool SharesMeshWith(const Model& other) const { return mesh_ && mesh_ == other.mesh_; }

  int ntris() const { return mesh_ ? mesh_->ntris : 0; }
  const MeshTriangle* tris() const { return mesh_ ? mesh_->tris.get() : nullptr; }
  // Record idx; an index not below ntris stops the program with "idx < ntris".
  const MeshTriangle& TriangleAt(unsigned idx) const;

  unsigned display_list() const { return mesh_ ? mesh_->display_list : 0; }
  // Sets the list of the mesh, and so of every model that shares it.
  void set_display_list(unsigned list);

  void MarkCollided() { collided = 1; }
  void ClearCollided() { collided = 0; }
  bool IsCollided() const { return collided != 0; }

 private:
  std::shared_ptr<RenderMesh> mesh_;
  unsigned char collided = 0;  // touched something in the last collision passes
};

// Wraps the checker texture round a sphere by a vertex's direction from the origin (model
// coordinates): u is the longitude from +z towards +x as a fraction of a turn, v grows from
// -0.5 at the top through 0.5 at the equator to 1.5 at the bottom, so that the clamped texture
// covers the band within 45 degrees of the equator once. The origin itself gets (0, 1.5).
void SphericalTexCoord(const Vec3& p, float& u, float& v);
