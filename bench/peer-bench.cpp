// Our collision query against the triangle-mesh colliders of two open-source physics libraries,
// ODE (trimesh geoms, dCollide) and Bullet (btGImpactMeshShape through its collision algorithm),
// on the seeded near-touching poses of bench-poses.h: sphere03 against sphere03 and sphere03 in
// the box, first contact and all pairs. Every answer is checked against a brute-force all-pairs
// answer made with our TrianglesContact. Prints a Markdown table; CPU time per query, the least
// of several repetitions (the machine may be shared).
//
//   peer-bench [--sphere-poses N] [--box-poses N] [--repeat N]
//
// What is compared with the brute-force answer, pose by pose:
//   - touching: whether the library reports anything (our pair count, ODE's contact count,
//     Bullet's contact points) exactly when some triangle pair touches;
//   - pairs: the set of triangle pairs reported, against the set that touches. Ours reports the
//     pairs themselves (first contact: the one pair must be in the set). ODE names the triangles
//     of each contact point (dContactGeom side1, side2), Bullet those of each contact point
//     (the part indices handed with it); both make contact points, not a triangle-pair test, so
//     this column says how far their points account for the touching pairs.
#include <ode/ode.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BulletCollision/CollisionDispatch/btCollisionDispatcher.h"
#include "BulletCollision/CollisionDispatch/btCollisionObject.h"
#include "BulletCollision/CollisionDispatch/btCollisionObjectWrapper.h"
#include "BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h"
#include "BulletCollision/CollisionDispatch/btManifoldResult.h"
#include "BulletCollision/CollisionShapes/btTriangleIndexVertexArray.h"
#include "BulletCollision/Gimpact/btGImpactCollisionAlgorithm.h"
#include "BulletCollision/Gimpact/btGImpactShape.h"
#include "bench-poses.h"
#include "collision/cq.h"
#include "collision/matrix.h"
#include "collision/walk/overlap.h"

namespace {

using bench::Mesh;
using bench::PosePair;
using Pairs = std::vector<std::pair<int, int>>;  // (first mesh's triangle, second mesh's), sorted

// ODE's notices (such as a full contact table in trimesh-trimesh collisions) would interleave
// with the table; they are counted instead and the count printed at the end.
long g_ode_messages = 0;
void CountOdeMessage(int, const char*, va_list) { g_ode_messages++; }

double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

// The reference: every triangle pair that TrianglesContact says touches, with the second mesh
// placed in the first one's coordinates exactly as CollideModels places it. Pairs whose bounding
// balls are apart cannot touch and are not tested; every other pair is.
class BruteForce {
 public:
  BruteForce(const Mesh& mesh1, const Mesh& mesh2) : mesh1_(mesh1), mesh2_(mesh2) {}

  Pairs Touching(const PosePair& p) const {
    double rel[3][3], d[3], relT[3];
    MatTransposeMul(rel, p.R1, p.R2);
    VecSub(d, p.T2, p.T1);
    MatTransposeVec(relT, p.R1, d);
    std::vector<Tri> a(mesh1_.size()), b(mesh2_.size());
    for (size_t i = 0; i < mesh1_.size(); i++)
      for (int v = 0; v < 3; v++)
        for (int k = 0; k < 3; k++) a[i].v[v][k] = mesh1_[i].v[v][k];
    for (size_t j = 0; j < mesh2_.size(); j++)
      for (int v = 0; v < 3; v++) MatVecAdd(b[j].v[v], rel, mesh2_[j].v[v], relT);
    const Ball ball1 = Enclose(a), ball2 = Enclose(b);
    std::vector<int> near1, near2;
    for (size_t i = 0; i < a.size(); i++)
      if (Meet(a[i].ball, ball2)) near1.push_back(static_cast<int>(i));
    for (size_t j = 0; j < b.size(); j++)
      if (Meet(b[j].ball, ball1)) near2.push_back(static_cast<int>(j));
    Pairs out;
    for (int i : near1)
      for (int j : near2)
        if (Meet(a[i].ball, b[j].ball) &&
            TrianglesContact(a[i].v[0], a[i].v[1], a[i].v[2], b[j].v[0], b[j].v[1], b[j].v[2]))
          out.push_back({i, j});
    return out;
  }

 private:
  struct Ball {
    double c[3], r;
  };
  struct Tri {
    double v[3][3];
    Ball ball;
  };

  static double Distance(const double p[3], const double q[3]) {
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                     (p[2] - q[2]) * (p[2] - q[2]));
  }
  // Balls are grown by a relative 1e-9 so that rounding never shrinks them past a vertex.
  static bool Meet(const Ball& x, const Ball& y) {
    return Distance(x.c, y.c) <= (x.r + y.r) * (1 + 1e-9);
  }
  static Ball Enclose(std::vector<Tri>& tris) {
    Ball all = {{0, 0, 0}, 0};
    for (Tri& t : tris) {
      for (int k = 0; k < 3; k++) t.ball.c[k] = (t.v[0][k] + t.v[1][k] + t.v[2][k]) / 3;
      t.ball.r = 0;
      for (int v = 0; v < 3; v++) t.ball.r = std::max(t.ball.r, Distance(t.ball.c, t.v[v]));
      t.ball.r *= 1 + 1e-9;
      for (int k = 0; k < 3; k++) all.c[k] += t.ball.c[k] / tris.size();
    }
    for (const Tri& t : tris) all.r = std::max(all.r, Distance(all.c, t.ball.c) + t.ball.r);
    return all;
  }

  const Mesh& mesh1_;
  const Mesh& mesh2_;
};

// One library's answer to one pose: whether it reports anything, and which triangle pairs.
struct Answer {
  bool touching = false;
  Pairs pairs;
};

// A collider under test: Query runs the pose as fast as the library allows (the timed part);
// Report runs it again and tells what it found.
class Collider {
 public:
  virtual ~Collider() = default;
  virtual void Query(const PosePair& p) = 0;
  virtual Answer Report(const PosePair& p) = 0;
};

void Sort(Pairs& pairs) {
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
}

class Ours : public Collider {
 public:
  Ours(const Mesh& mesh1, const Mesh& mesh2, int flag) : flag_(flag) {
    test_meshes::BuildModel(m1_, mesh1);
    test_meshes::BuildModel(m2_, mesh2);
  }
  void Query(const PosePair& p) override {
    CollideModels(&result_, p.R1, p.T1, &m1_, p.R2, p.T2, &m2_, flag_);
  }
  Answer Report(const PosePair& p) override {
    Query(p);
    Answer a;
    a.touching = result_.num_pairs > 0;
    for (int k = 0; k < result_.num_pairs; k++)
      a.pairs.push_back({result_.pair_list[k].first_id, result_.pair_list[k].second_id});
    Sort(a.pairs);
    return a;
  }

 private:
  CQ_Model m1_, m2_;
  CQ_CollideResult result_;
  int flag_;
};

// ODE trimesh geoms, built from the same triangles in double precision (ODE's build here is
// double). First contact asks for one contact point and lets ODE skip refining it.
class Ode : public Collider {
 public:
  Ode(const Mesh& mesh1, const Mesh& mesh2, bool first_contact)
      : flags_(first_contact ? 1 | CONTACTS_UNIMPORTANT : 0xffff),
        contacts_(first_contact ? 1 : 0xffff) {
    g1_ = Geom(mesh1, verts1_, indices1_, data1_);
    g2_ = Geom(mesh2, verts2_, indices2_, data2_);
  }
  ~Ode() override {
    dGeomDestroy(g1_);
    dGeomDestroy(g2_);
    dGeomTriMeshDataDestroy(data1_);
    dGeomTriMeshDataDestroy(data2_);
  }
  void Query(const PosePair& p) override { count_ = Collide(p); }
  Answer Report(const PosePair& p) override {
    Answer a;
    count_ = Collide(p);
    a.touching = count_ > 0;
    // A contact point that ODE made of several merged ones names no triangle (-1).
    for (int k = 0; k < count_; k++)
      if (contacts_[k].side1 >= 0 && contacts_[k].side2 >= 0)
        a.pairs.push_back({contacts_[k].side1, contacts_[k].side2});
    Sort(a.pairs);
    return a;
  }

 private:
  static dGeomID Geom(const Mesh& mesh, std::vector<double>& verts,
                      std::vector<dTriIndex>& indices, dTriMeshDataID& data) {
    for (size_t i = 0; i < mesh.size(); i++)
      for (int v = 0; v < 3; v++) {
        for (int k = 0; k < 3; k++) verts.push_back(mesh[i].v[v][k]);
        indices.push_back(static_cast<dTriIndex>(3 * i + v));
      }
    data = dGeomTriMeshDataCreate();
    dGeomTriMeshDataBuildDouble(data, verts.data(), 3 * sizeof(double),
                                static_cast<int>(verts.size() / 3), indices.data(),
                                static_cast<int>(indices.size()), 3 * sizeof(dTriIndex));
    return dCreateTriMesh(nullptr, data, nullptr, nullptr, nullptr);
  }
  static void Place(dGeomID g, const double R[3][3], const double T[3]) {
    dMatrix3 m;
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) m[4 * i + j] = R[i][j];
      m[4 * i + 3] = 0;
    }
    dGeomSetRotation(g, m);
    dGeomSetPosition(g, T[0], T[1], T[2]);
  }
  int Collide(const PosePair& p) {
    Place(g1_, p.R1, p.T1);
    Place(g2_, p.R2, p.T2);
    return dCollide(g1_, g2_, flags_, contacts_.data(), sizeof(dContactGeom));
  }

  std::vector<double> verts1_, verts2_;
  std::vector<dTriIndex> indices1_, indices2_;
  dTriMeshDataID data1_, data2_;
  dGeomID g1_, g2_;
  int flags_;
  std::vector<dContactGeom> contacts_;
  int count_ = 0;
};

// Bullet's GImpact meshes (single precision, as Bullet is built here), with collision margin 0,
// through the collision algorithm its dispatcher picks for the pair, kept from pose to pose.
// It has no way to stop at the first contact: both modes run the same.
class Bullet : public Collider {
 public:
  Bullet(const Mesh& mesh1, const Mesh& mesh2)
      : dispatcher_(&config_), body1_(mesh1), body2_(mesh2) {
    btGImpactCollisionAlgorithm::registerAlgorithm(&dispatcher_);
  }
  ~Bullet() override {
    if (algorithm_ != nullptr) {
      algorithm_->~btCollisionAlgorithm();
      dispatcher_.freeCollisionAlgorithm(algorithm_);
    }
  }
  void Query(const PosePair& p) override {
    Recorder result(nullptr, nullptr, false);
    Collide(p, result);
  }
  Answer Report(const PosePair& p) override {
    Answer a;
    Recorder result(nullptr, nullptr, true);
    Collide(p, result);
    a.touching = result.points > 0;
    a.pairs = std::move(result.pairs);
    Sort(a.pairs);
    return a;
  }

 private:
  struct Body {
    explicit Body(const Mesh& mesh) {
      for (size_t i = 0; i < mesh.size(); i++)
        for (int v = 0; v < 3; v++) {
          for (int k = 0; k < 3; k++) verts.push_back(static_cast<btScalar>(mesh[i].v[v][k]));
          indices.push_back(static_cast<int>(3 * i + v));
        }
      array = std::make_unique<btTriangleIndexVertexArray>(
          static_cast<int>(mesh.size()), indices.data(), 3 * sizeof(int),
          static_cast<int>(verts.size() / 3), verts.data(), 3 * sizeof(btScalar));
      shape = std::make_unique<btGImpactMeshShape>(array.get());
      shape->setMargin(0);
      shape->updateBound();
      object.setCollisionShape(shape.get());
    }
    void Place(const double R[3][3], const double T[3]) {
      const btMatrix3x3 basis(R[0][0], R[0][1], R[0][2], R[1][0], R[1][1], R[1][2], R[2][0],
                              R[2][1], R[2][2]);
      object.setWorldTransform(btTransform(basis, btVector3(T[0], T[1], T[2])));
    }
    std::vector<btScalar> verts;
    std::vector<int> indices;
    std::unique_ptr<btTriangleIndexVertexArray> array;
    std::unique_ptr<btGImpactMeshShape> shape;
    btCollisionObject object;
  };

  // Takes every contact point the algorithm makes, with the triangles it names.
  class Recorder : public btManifoldResult {
   public:
    Recorder(const btCollisionObjectWrapper* w1, const btCollisionObjectWrapper* w2, bool keep)
        : btManifoldResult(w1, w2), keep_(keep) {}
    void addContactPoint(const btVector3&, const btVector3&, btScalar) override {
      points++;
      if (keep_) pairs.push_back({m_index0, m_index1});
    }
    long points = 0;
    Pairs pairs;

   private:
    bool keep_;
  };

  void Collide(const PosePair& p, Recorder& result) {
    body1_.Place(p.R1, p.T1);
    body2_.Place(p.R2, p.T2);
    const btCollisionObjectWrapper w1(nullptr, body1_.shape.get(), &body1_.object,
                                      body1_.object.getWorldTransform(), -1, -1);
    const btCollisionObjectWrapper w2(nullptr, body2_.shape.get(), &body2_.object,
                                      body2_.object.getWorldTransform(), -1, -1);
    if (algorithm_ == nullptr)
      algorithm_ = dispatcher_.findAlgorithm(&w1, &w2, nullptr, BT_CONTACT_POINT_ALGORITHMS);
    result.setBody0Wrap(&w1);
    result.setBody1Wrap(&w2);
    algorithm_->processCollision(&w1, &w2, info_, &result);
  }

  btDefaultCollisionConfiguration config_;
  btCollisionDispatcher dispatcher_;
  btDispatcherInfo info_;
  Body body1_, body2_;
  btCollisionAlgorithm* algorithm_ = nullptr;
};

struct Row {
  std::string library;
  double micros;
  int touching_wrong;  // poses where the library's touching differs from the brute force's
  int pairs_wrong;     // poses whose reported pairs are wrong (see Measure)
  long missed, extra;  // touching pairs not reported, reported pairs that do not touch
};

// Times the collider over all poses (the least of `repeat` runs), then checks its reports.
Row Measure(const std::string& library, Collider& collider, const std::vector<PosePair>& poses,
            const std::vector<Pairs>& truth, bool first_contact, int repeat) {
  double best = 1e300;
  for (int r = 0; r < repeat; r++) {
    const double t0 = CpuSeconds();
    for (const PosePair& p : poses) collider.Query(p);
    best = std::min(best, CpuSeconds() - t0);
  }
  Row row = {library, 1e6 * best / poses.size(), 0, 0, 0, 0};
  for (size_t i = 0; i < poses.size(); i++) {
    const Answer a = collider.Report(poses[i]);
    if (a.touching != !truth[i].empty()) row.touching_wrong++;
    Pairs missed, extra;
    std::set_difference(truth[i].begin(), truth[i].end(), a.pairs.begin(), a.pairs.end(),
                        std::back_inserter(missed));
    std::set_difference(a.pairs.begin(), a.pairs.end(), truth[i].begin(), truth[i].end(),
                        std::back_inserter(extra));
    row.extra += static_cast<long>(extra.size());
    if (first_contact) {
      // One contact is asked for: every pair reported must touch, and ours reports exactly one
      // when anything touches.
      const bool one = library != "Quorvel" || a.pairs.size() == (truth[i].empty() ? 0u : 1u);
      if (!extra.empty() || !one) row.pairs_wrong++;
    } else {
      row.missed += static_cast<long>(missed.size());
      if (!extra.empty() || !missed.empty()) row.pairs_wrong++;
    }
  }
  return row;
}

void Workload(const std::string& name, const Mesh& mesh1, const Mesh& mesh2,
              const std::vector<PosePair>& poses, int repeat) {
  const BruteForce brute(mesh1, mesh2);
  std::vector<Pairs> truth;
  long touching = 0, pairs = 0;
  for (const PosePair& p : poses) {
    truth.push_back(brute.Touching(p));
    touching += !truth.back().empty();
    pairs += static_cast<long>(truth.back().size());
  }
  std::printf("\n%s: %zu poses, %ld touching, %ld touching triangle pairs in all\n\n",
              name.c_str(), poses.size(), touching, pairs);
  std::printf("| Mode | Library | us per query | Quorvel ahead | Touching wrong | Pairs wrong "
              "| Pairs missed | Pairs extra |\n");
  std::printf("|---|---|---:|---:|---:|---:|---:|---:|\n");
  for (bool first : {true, false}) {
    Ours ours(mesh1, mesh2, first ? StopAtFirstContact : 0);
    Ode ode(mesh1, mesh2, first);
    Bullet bullet(mesh1, mesh2);
    const Row rows[3] = {Measure("Quorvel", ours, poses, truth, first, repeat),
                         Measure("ODE", ode, poses, truth, first, repeat),
                         Measure("Bullet", bullet, poses, truth, first, repeat)};
    for (const Row& row : rows) {
      char ahead[32] = "";
      if (row.library != "Quorvel")
        std::snprintf(ahead, sizeof ahead, "%.1fx", row.micros / rows[0].micros);
      std::printf("| %s | %s | %.2f | %s | %d | %d | %s | %ld |\n",
                  first ? "first contact" : "all pairs", row.library.c_str(), row.micros, ahead,
                  row.touching_wrong, row.pairs_wrong,
                  first ? "" : std::to_string(row.missed).c_str(), row.extra);
    }
  }
}

constexpr char kUsage[] = "usage: peer-bench [--sphere-poses N] [--box-poses N] [--repeat N]\n";

// A count given on the command line: a whole number from 1 up, nothing after it.
bool ParseCount(const char* text, int* count) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < 1 || value > INT_MAX) return false;
  *count = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int sphere_poses = 20000, box_poses = 5000, repeat = 3;
  for (int i = 1; i < argc; i++) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    int* count = !std::strcmp(arg, "--sphere-poses") ? &sphere_poses
                 : !std::strcmp(arg, "--box-poses")  ? &box_poses
                 : !std::strcmp(arg, "--repeat")     ? &repeat
                                                     : nullptr;
    if (count == nullptr) {
      std::fprintf(stderr, "peer-bench: unknown option %s\n%s", arg, kUsage);
      return 2;
    }
    if (i + 1 == argc || !ParseCount(argv[i + 1], count)) {
      std::fprintf(stderr, "peer-bench: %s takes a whole number from 1 up\n%s", arg, kUsage);
      return 2;
    }
    i++;
  }
  dInitODE2(0);
  dSetMessageHandler(CountOdeMessage);
  std::printf("ODE %s; Bullet %d (btScalar %zu bytes); CPU time per query, least of %d runs\n",
              dGetConfiguration(), btGetVersion(), sizeof(btScalar), repeat);
  Workload("sphere03 - sphere03", bench::Sphere(3), bench::Sphere(3),
           bench::SpherePlacements(sphere_poses), repeat);
  Workload("sphere03 in the box", bench::Sphere(3), bench::Box(),
           bench::BoxPlacements(box_poses), repeat);
  std::printf("\nODE notices while colliding: %ld\n", g_ode_messages);
  dCloseODE();
  return 0;
}
