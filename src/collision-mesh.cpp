#include "collision-mesh.h"

#include <atomic>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "tris-file-or-exit.h"

namespace {

uint64_t NextMeshId() {
  static std::atomic<uint64_t> next{1};
  return next++;
}

double DistanceSquared(const double a[3], const double b[3]) {
  const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

}  // namespace

BoundingBall EnclosingBall(const CQ_Model& model) {
  BoundingBall ball;
  if (!model.IsBuilt() || model.bv_count() == 0) {
    ball.radius = std::numeric_limits<double>::infinity();
    return ball;
  }
  // The root's box centre is in model coordinates (its parent frame is the model frame).
  for (int k = 0; k < 3; ++k) ball.center[k] = model.bv_list()[0].box_center[k];
  double farthest = 0;
  for (int i = 0; i < model.tri_count(); ++i) {
    const ModelTri& t = model.tri_list()[i];
    for (const double* v : {t.vert1, t.vert2, t.vert3}) {
      const double d2 = DistanceSquared(v, ball.center);
      // A vertex that is not finite (or too far to square) bounds nothing: the query decides.
      if (!std::isfinite(d2)) {
        ball.radius = std::numeric_limits<double>::infinity();
        return ball;
      }
      if (d2 > farthest) farthest = d2;
    }
  }
  // The square root and the squares above are each rounded by at most half a unit in the last
  // place; a relative 1e-12 more covers them many times over.
  ball.radius = std::sqrt(farthest) * (1 + 1e-12);
  return ball;
}

void LoadCollisionModel(CQ_Model& model, const char* file_name, float scale) {
  std::string message;
  const int status = LoadTrisModel(model, file_name, message, scale);
  if (status == StatusFileNotRead || status == StatusMalformedFile) ExitOnBadMeshFile(file_name, message);
  for (int i = 0; i < model.tri_count(); ++i) {
    const ModelTri& t = model.tri_list()[i];
    if (SpansArea(t.vert1, t.vert2, t.vert3)) return;
  }
  ExitOnBadMeshFile(file_name, kNoAreaMessage);
}

std::shared_ptr<const CollisionMesh> LoadCollisionMesh(const char* file_name, float scale) {
  auto mesh = std::make_shared<CollisionMesh>();
  LoadCollisionModel(mesh->model, file_name, scale);
  mesh->ball = EnclosingBall(mesh->model);
  mesh->id = NextMeshId();
  return mesh;
}

std::shared_ptr<const CollisionMesh> EmptyCollisionMesh() {
  static const std::shared_ptr<const CollisionMesh> empty = [] {
    auto mesh = std::make_shared<CollisionMesh>();
    mesh->ball = EnclosingBall(mesh->model);
    mesh->id = NextMeshId();
    return std::shared_ptr<const CollisionMesh>(mesh);
  }();
  return empty;
}
