// Heap behaviour of the collision library: no allocation inside a query once the result has
// grown, and every storage failure reported by status and message instead of thrown.
//
// This program replaces the global operator new. Outside a Window the replacement is plain
// malloc; inside one it counts allocations and can fail a chosen range of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>

#include "collision/cq.h"
#include "collision/same-records.h"
#include "collision/test-meshes.h"

namespace {

bool g_window_open = false;
long g_seen = 0;          // allocations requested inside the open window
long g_fail_begin = -1;   // allocations [g_fail_begin, g_fail_end) of the window fail
long g_fail_end = -1;

void* Allocate(std::size_t size) {
  if (g_window_open) {
    const long index = g_seen++;
    if (index >= g_fail_begin && index < g_fail_end) return nullptr;
  }
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  void* p = Allocate(size);
  if (p == nullptr) throw std::bad_alloc();  // the library must never get here
  return p;
}

// Counts the allocations made while it is open; those numbered [fail_begin, fail_end) from its
// opening fail. Keep only library calls inside: the test framework allocates too.
class Window {
 public:
  explicit Window(long fail_begin = -1, long fail_end = -1) {
    g_seen = 0;
    g_fail_begin = fail_begin;
    g_fail_end = fail_end;
    g_window_open = true;
  }
  ~Window() { Close(); }
  long Close() {
    g_window_open = false;
    return g_seen;
  }
};

const double kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
const double kZero[3] = {0, 0, 0};

void AddShifted(CQ_Model& model, double dx, int id) {
  const double a[3] = {dx, 0, 0}, b[3] = {dx + 1, 0, 0}, c[3] = {dx, 1, 0.5};
  model.AddTri(a, b, c, id);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

TEST(CollideAllocations, NoneInsideQueriesOnceTheResultHasGrown) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(3, 0.99);
  const test_meshes::Mesh box = test_meshes::PlayBox();
  CQ_Model a, b, walls;
  ASSERT_EQ(test_meshes::BuildModel(a, sphere), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(b, sphere), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(walls, box), StatusOk);

  // The counter sees the library: a first contact on a fresh result obtains the pair storage.
  CQ_CollideResult result;
  const double overlap[3] = {1.0, 0, 0};
  Window first;
  CollideModels(&result, kIdentity, kZero, &a, kIdentity, overlap, &b, StopAtFirstContact);
  EXPECT_EQ(first.Close(), 1);
  ASSERT_EQ(result.num_pairs, 1);

  // Grow the result with every pair of a deep overlap, then run a batch of mixed queries.
  const double deep[3] = {0.3, 0, 0};
  CollideModels(&result, kIdentity, kZero, &a, kIdentity, deep, &b, 0);
  const int grown = result.num_pairs;
  ASSERT_GT(grown, 100);

  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> distance(0.5, 2.2), coord(-14, 14);
  long contacts = 0, allocations = 0;
  for (int i = 0; i < 2000; i++) {
    double R1[3][3], R2[3][3], dir[3], T2[3], Tw[3] = {coord(rng), 0, 1.5 * coord(rng)};
    test_meshes::RandomRotation(rng, R1);
    test_meshes::RandomRotation(rng, R2);
    test_meshes::RandomDirection(rng, dir);
    const double d = distance(rng);
    for (int k = 0; k < 3; k++) T2[k] = d * dir[k];
    Window batch;
    CollideModels(&result, R1, kZero, &a, R2, T2, &b, StopAtFirstContact);
    contacts += result.num_pairs;
    CollideModels(&result, R1, kZero, &a, R2, T2, &b, 0);  // at most `grown` pairs
    CollideModels(&result, R1, Tw, &a, kIdentity, kZero, &walls, StopAtFirstContact);
    allocations += batch.Close();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_GT(contacts, 500);
}

TEST(ModelStorageFailure, BeginModelOnAFreshModel) {
  CQ_Model model;
  testing::internal::CaptureStderr();
  Window fail(0, 1);
  const int status = model.BeginModel(16);
  fail.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error!  Out of memory for tri array on BeginModel() call!\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(model.state(), CQ_ModelState::Empty);
  EXPECT_EQ(model.tri_list(), nullptr);
  EXPECT_EQ(model.tri_capacity(), 0);
  EXPECT_EQ(model.BeginModel(16), StatusOk);  // storage is back
  EXPECT_EQ(model.tri_capacity(), 16);
}

// The implicit begin of AddTri cannot obtain storage: nothing is stored.
TEST(ModelStorageFailure, AddTriOnAFreshModel) {
  CQ_Model model;
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  testing::internal::CaptureStderr();
  Window fail(0, 1);
  const int status = model.AddTri(a, b, c, 1);
  fail.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error!  Out of memory for tri array on BeginModel() call!\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(model.state(), CQ_ModelState::Empty);
  EXPECT_EQ(model.tri_count(), 0);
  EXPECT_EQ(model.tri_list(), nullptr);
}

TEST(ModelStorageFailure, AddTriGrowthLeavesTheModelUnchanged) {
  CQ_Model model;
  for (int i = 0; i < 8; i++) AddShifted(model, i, i);
  const ModelTri* list = model.tri_list();
  const double a[3] = {9, 0, 0}, b[3] = {10, 0, 0}, c[3] = {9, 1, 0};
  testing::internal::CaptureStderr();
  Window fail(0, 1);
  const int status = model.AddTri(a, b, c, 8);
  fail.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error!  Out of memory for tri array on AddTri() call!\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
  EXPECT_EQ(model.tri_count(), 8);
  EXPECT_EQ(model.tri_capacity(), 8);
  EXPECT_EQ(model.tri_list(), list);
  EXPECT_EQ(model.AddTri(a, b, c, 8), StatusOk);
  EXPECT_EQ(model.tri_capacity(), 16);
  EXPECT_EQ(model.EndModel(), StatusOk);
}

TEST(ModelStorageFailure, EndModelTrimAndBVsLeaveTheModelUnbuilt) {
  CQ_Model trim;
  for (int i = 0; i < 5; i++) AddShifted(trim, 2 * i, i);
  testing::internal::CaptureStderr();
  Window fail_trim(0, 1);
  int status = trim.EndModel();
  fail_trim.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error!  Out of memory for tri array in EndModel() call!\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(trim.state(), CQ_ModelState::Begun);
  EXPECT_EQ(trim.tri_capacity(), 8);

  // The trim succeeds, the BV array does not.
  testing::internal::CaptureStderr();
  Window fail_bvs(1, 2);
  status = trim.EndModel();
  fail_bvs.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error! out of memory for BV array in EndModel()\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(trim.state(), CQ_ModelState::Begun);
  EXPECT_EQ(trim.tri_capacity(), 5);
  EXPECT_EQ(trim.bv_list(), nullptr);

  CQ_CollideResult result;
  EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &trim, kIdentity, kZero, &trim, 0),
            StatusModelNotBuilt);
  EXPECT_EQ(trim.EndModel(), StatusOk);
  EXPECT_EQ(trim.bv_count(), 9);
}

// Clearing a built model releases its lists before the new storage is sought; if that fails the
// state stays built, and the query still refuses the model, which has no tree left.
TEST(ModelStorageFailure, BeginModelOnABuiltModel) {
  CQ_Model model;
  for (int i = 0; i < 3; i++) AddShifted(model, 2 * i, i);
  ASSERT_EQ(model.EndModel(), StatusOk);
  testing::internal::CaptureStderr();
  Window fail(0, 1);
  const int status = model.BeginModel();
  fail.Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error!  Out of memory for tri array on BeginModel() call!\n");
  EXPECT_EQ(status, StatusOutOfMemory);
  EXPECT_EQ(model.state(), CQ_ModelState::Built);
  EXPECT_EQ(model.tri_list(), nullptr);
  EXPECT_EQ(model.bv_list(), nullptr);
  EXPECT_EQ(model.tri_count() + model.tri_capacity() + model.bv_count() + model.bv_capacity(), 0);
  CQ_CollideResult result;
  EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &model, kIdentity, kZero, &model, 0),
            StatusModelNotBuilt);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.BeginModel(), StatusOutOfSequence);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
}

// Without scratch storage the fit projects the vertices on every pass instead: the same tree,
// bit for bit.
TEST(ModelStorageFailure, FitWithoutScratchBuildsTheSameTree) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(2, 0.99);
  CQ_Model normal, starved;
  ASSERT_EQ(test_meshes::BuildModel(normal, sphere), StatusOk);
  starved.BeginModel(static_cast<int>(sphere.size()));
  for (size_t i = 0; i < sphere.size(); i++)
    starved.AddTri(sphere[i].v[0], sphere[i].v[1], sphere[i].v[2], static_cast<int>(i));
  Window fail_after_bvs(1, 1L << 40);  // the BV array is the build's first allocation
  const int status = starved.EndModel();
  const long attempts = fail_after_bvs.Close();
  ASSERT_EQ(status, StatusOk);
  EXPECT_EQ(attempts, 1 + starved.bv_count());  // one scratch request per node, all refused
  ASSERT_EQ(starved.bv_count(), normal.bv_count());
  for (int i = 0; i < normal.bv_count(); i++)
    ASSERT_TRUE(SameBV(starved.bv_list()[i], normal.bv_list()[i])) << "BV " << i;
  for (int i = 0; i < normal.tri_count(); i++)
    ASSERT_TRUE(SameTri(starved.tri_list()[i], normal.tri_list()[i])) << "triangle " << i;
}

TEST(ResultStorageFailure, SizeToAndAddPairKeepTheResult) {
  CQ_CollideResult result;
  for (int k = 0; k < 8; k++) result.AddPair(k, k + 100);
  const CollidePair* list = result.pair_list;
  Window fail(0, 2);
  result.SizeTo(50);
  result.AddPair(8, 108);  // cannot grow: the pair is dropped
  fail.Close();
  EXPECT_EQ(result.pair_list, list);
  EXPECT_EQ(result.pair_capacity, 8);
  EXPECT_EQ(result.num_pairs, 8);
  for (int k = 0; k < 8; k++) EXPECT_EQ(result.SecondId(k), k + 100);
}
