#include "model.h"

#include <cmath>
#include <utility>
#include <vector>

#include "base/assertion.h"
#include "face-normal.h"
#include "tris-file-or-exit.h"

namespace {

// 1: a >= 0, b >= 0; 2: a < 0, b >= 0; 3: a < 0, b < 0; 4: a >= 0, b < 0.
int QuadrantOf(float a, float b) {
  if (a >= 0) return b >= 0 ? 1 : 4;
  return b >= 0 ? 2 : 3;
}

// u jumps from just under 1 back to 0 where a triangle straddles the +z half-plane (quadrants 1
// and 4 of (z, x)); lifting the quadrant-1 vertices by 1 keeps its u values contiguous, which
// the repeating texture wrap then draws correctly.
void RepairSeam(MeshTriangle& t) {
  int quadrant[3];
  for (int k = 0; k < 3; ++k) quadrant[k] = QuadrantOf(t.vertex[k].z, t.vertex[k].x);
  bool straddles = false;
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) straddles = straddles || (quadrant[a] == 1 && quadrant[b] == 4);
  if (!straddles) return;
  for (int k = 0; k < 3; ++k)
    if (quadrant[k] == 1) t.tex_coord[k][0] += 1.0f;
}

}  // namespace

void SphericalTexCoord(const Vec3& p, float& u, float& v) {
  const double x = p.x, y = p.y, z = p.z;
  const double len = std::sqrt(x * x + y * y + z * z);
  double c = y / len;
  if (c > 1) c = 1;
  // At the origin y / len is not a number; every comparison fails except the explicit test.
  if (c < -1 || std::isnan(c)) c = -1;
  double a = std::atan2(x, z);
  if (a < 0) a += 2 * M_PI;
  u = static_cast<float>(a * (1.0 / (2 * M_PI)));
  v = static_cast<float>(2 * std::acos(c) * (1.0 / M_PI) - 0.5);
}

void Model::Load(const char* file_name, float scale) {
  std::vector<float> coords;
  const int n = ReadTrisFile(file_name, coords);
  auto mesh = std::make_shared<RenderMesh>();
  mesh->ntris = n;
  // Value-initialised: every float of a fresh record is 0.
  if (n > 0) mesh->tris.reset(new MeshTriangle[n]());
  for (int i = 0; i < n; ++i) {
    MeshTriangle& t = mesh->tris[i];
    const float* c = &coords[9 * static_cast<size_t>(i)];
    for (int k = 0; k < 3; ++k) {
      t.vertex[k] = scale * Vec3(c[3 * k], c[3 * k + 1], c[3 * k + 2]);
      t.normal[k] = t.vertex[k];
      t.normal[k].Normalize();
      SphericalTexCoord(t.vertex[k], t.tex_coord[k][0], t.tex_coord[k][1]);
    }
    RepairSeam(t);
    t.face_normal = FaceNormal(t.vertex[0], t.vertex[1], t.vertex[2]);
  }
  mesh_ = std::move(mesh);
}

const MeshTriangle& Model::TriangleAt(unsigned idx) const {
  const unsigned ntris = static_cast<unsigned>(this->ntris());
  QUORVEL_ASSERT(idx < ntris);
  return mesh_->tris[idx];
}

void Model::set_display_list(unsigned list) {
  if (!mesh_) mesh_ = std::make_shared<RenderMesh>();
  mesh_->display_list = list;
}
