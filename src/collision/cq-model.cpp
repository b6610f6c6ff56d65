#include "cq-model.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <new>

#include "build/build-hierarchy.h"
#include "walk/walk-node.h"

namespace {

// Storage that may fail: the out-of-memory statuses are reported, never thrown.
template <class T>
T* Obtain(int n) {
  return n > 0 ? new (std::nothrow) T[n] : nullptr;
}

// The BV list and the walk's copy of it come in one allocation, so that a model's storage is
// obtained (and can fail) exactly as a single BV list would: n BVs from the start of the block,
// then, at the next cache-line boundary, n walk nodes. Returns the BVs, each with child_code 0.
BV* ObtainTree(int n, WalkNode** walk) {
  constexpr std::size_t kLine = 64;
  const std::size_t bytes = n * (sizeof(BV) + sizeof(WalkNode)) + kLine;
  unsigned char* block = n > 0 ? new (std::nothrow) unsigned char[bytes] : nullptr;
  if (block == nullptr) return nullptr;
  BV* bvs = reinterpret_cast<BV*>(block);
  for (int i = 0; i < n; i++) new (&bvs[i]) BV;
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(bvs + n);
  *walk = reinterpret_cast<WalkNode*>((end + kLine - 1) / kLine * kLine);
  return bvs;
}

// Releases what ObtainTree obtained (BV and WalkNode need no destruction).
void ReleaseTree(BV* bvs) { delete[] reinterpret_cast<unsigned char*>(bvs); }

}  // namespace

CQ_Model::~CQ_Model() {
  ReleaseTree(bv_list_);
  delete[] tri_list_;
}

int CQ_Model::BeginModel(int n) {
  const bool was_empty = state_ == CQ_ModelState::Empty;
  if (!was_empty) {
    ReleaseTree(bv_list_);
    delete[] tri_list_;
    bv_list_ = nullptr;
    walk_nodes_ = nullptr;
    tri_list_ = nullptr;
    tri_count_ = tri_capacity_ = bv_count_ = bv_capacity_ = 0;
  }
  if (n <= 0) n = 8;

  tri_capacity_ = n;
  tri_list_ = Obtain<ModelTri>(n);
  if (tri_list_ == nullptr) {
    tri_capacity_ = 0;  // no list is held, so there is no room
    std::fprintf(stderr, "CQ Error!  Out of memory for tri array on BeginModel() call!\n");
    return StatusOutOfMemory;
  }

  state_ = CQ_ModelState::Begun;
  if (!was_empty) {
    std::fprintf(stderr,
                 "CQ Warning! Called BeginModel() on a CQ_Model that \n"
                 "was not empty. This model was cleared and previous\n"
                 "triangle additions were lost.\n");
    return StatusOutOfSequence;
  }
  return StatusOk;
}

int CQ_Model::AddTri(const double p1[3], const double p2[3], const double p3[3], int id) {
  // A NaN or an infinity has no place in space: the tree over it would cull or keep its pairs at
  // random. It is refused before the model is touched, on a built model too.
  bool finite = true;
  for (int k = 0; k < 3; k++) finite = finite && std::isfinite(p1[k]) && std::isfinite(p2[k]) && std::isfinite(p3[k]);
  if (!finite) {
    std::fprintf(stderr, "CQ Error! AddTri() was given a vertex that is not finite. AddTri() was\nignored.\n");
    return StatusNonFiniteVertex;
  }
  if (state_ == CQ_ModelState::Empty) {
    const int status = BeginModel(8);
    if (status != StatusOk) return status;
  } else if (state_ == CQ_ModelState::Built) {
    std::fprintf(stderr,
                 "CQ Warning! Called AddTri() on CQ_Model \n"
                 "object that was already ended. AddTri() was\n"
                 "ignored.  Must do a BeginModel() to clear the\n"
                 "model for addition of new triangles\n");
    return StatusOutOfSequence;
  }

  if (tri_count_ >= tri_capacity_) {
    ModelTri* grown = tri_capacity_ <= INT_MAX / 2 ? Obtain<ModelTri>(2 * tri_capacity_) : nullptr;
    if (grown == nullptr) {
      std::fprintf(stderr, "CQ Error!  Out of memory for tri array on AddTri() call!\n");
      return StatusOutOfMemory;
    }
    for (int i = 0; i < tri_count_; i++) grown[i] = tri_list_[i];
    delete[] tri_list_;
    tri_list_ = grown;
    tri_capacity_ *= 2;
  }

  ModelTri& t = tri_list_[tri_count_];
  for (int k = 0; k < 3; k++) {
    t.vert1[k] = p1[k];
    t.vert2[k] = p2[k];
    t.vert3[k] = p3[k];
  }
  t.id = id;
  tri_count_++;
  return StatusOk;
}

int CQ_Model::EndModel() {
  if (state_ == CQ_ModelState::Built) {
    std::fprintf(stderr,
                 "CQ Warning! Called EndModel() on CQ_Model \n"
                 "object that was already ended. EndModel() was\n"
                 "ignored.  Must do a BeginModel() to clear the\n"
                 "model for addition of new triangles\n");
    return StatusOutOfSequence;
  }
  if (tri_count_ == 0) {
    std::fprintf(stderr, "CQ Error! EndModel() called on model with no triangles\n");
    return StatusEmptyModel;
  }

  if (tri_count_ < tri_capacity_) {
    ModelTri* trimmed = Obtain<ModelTri>(tri_count_);
    if (trimmed == nullptr) {
      std::fprintf(stderr, "CQ Error!  Out of memory for tri array in EndModel() call!\n");
      return StatusOutOfMemory;
    }
    for (int i = 0; i < tri_count_; i++) trimmed[i] = tri_list_[i];
    delete[] tri_list_;
    tri_list_ = trimmed;
    tri_capacity_ = tri_count_;
  }

  const int n = tri_count_;
  WalkNode* walk = nullptr;
  BV* bvs = n <= INT_MAX / 2 ? ObtainTree(2 * n - 1, &walk) : nullptr;
  if (bvs == nullptr) {
    std::fprintf(stderr, "CQ Error! out of memory for BV array in EndModel()\n");
    return StatusOutOfMemory;
  }
  ReleaseTree(bv_list_);  // none is held before a build; kept safe all the same
  bv_list_ = bvs;
  bv_capacity_ = 2 * n - 1;
  bv_count_ = 0;
  bv_count_ = BuildHierarchy(tri_list_, tri_count_, bv_list_);
  walk_nodes_ = walk;
  FillWalkNodes(bv_list_, bv_count_, walk_nodes_);

  state_ = CQ_ModelState::Built;
  return StatusOk;
}

std::size_t CQ_Model::MemoryReport(int print) {
  const std::size_t per_bv = sizeof(BV) + sizeof(WalkNode);
  const std::size_t total = static_cast<std::size_t>(bv_count_) * per_bv +
                            static_cast<std::size_t>(tri_count_) * sizeof(ModelTri) +
                            sizeof(CQ_Model);
  if (print) {
    std::fprintf(stderr, "Total for model %x: %zu bytes\n",
                 static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(this)), total);
    std::fprintf(stderr, "BVs: %d alloced, take %zu bytes each\n", bv_count_, per_bv);
    std::fprintf(stderr, "Tris: %d alloced, take %zu bytes each\n", tri_count_,
                 sizeof(ModelTri));
  }
  return total;
}
