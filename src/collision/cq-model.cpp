#include "cq-model.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <new>

#include "build-hierarchy.h"

namespace {

// Storage that may fail: the out-of-memory statuses are reported, never thrown.
template <class T>
T* Obtain(int n) {
  return n > 0 ? new (std::nothrow) T[n] : nullptr;
}

}  // namespace

CQ_Model::~CQ_Model() {
  delete[] bv_list;
  delete[] tri_list;
}

int CQ_Model::BeginModel(int n) {
  const bool was_empty = state == 0;
  if (!was_empty) {
    delete[] bv_list;
    delete[] tri_list;
    bv_list = nullptr;
    tri_list = nullptr;
    tri_count = tri_capacity = bv_count = bv_capacity = 0;
  }
  if (n <= 0) n = 8;

  tri_capacity = n;
  tri_list = Obtain<ModelTri>(n);
  if (tri_list == nullptr) {
    tri_capacity = 0;  // no list is held, so there is no room
    std::fprintf(stderr, "CQ Error!  Out of memory for tri array on BeginModel() call!\n");
    return StatusOutOfMemory;
  }

  state = 1;
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
  if (state == 0) {
    const int status = BeginModel(8);
    if (status != StatusOk) return status;
  } else if (state == 2) {
    std::fprintf(stderr,
                 "CQ Warning! Called AddTri() on CQ_Model \n"
                 "object that was already ended. AddTri() was\n"
                 "ignored.  Must do a BeginModel() to clear the\n"
                 "model for addition of new triangles\n");
    return StatusOutOfSequence;
  }

  if (tri_count >= tri_capacity) {
    ModelTri* grown = tri_capacity <= INT_MAX / 2 ? Obtain<ModelTri>(2 * tri_capacity) : nullptr;
    if (grown == nullptr) {
      std::fprintf(stderr, "CQ Error!  Out of memory for tri array on AddTri() call!\n");
      return StatusOutOfMemory;
    }
    for (int i = 0; i < tri_count; i++) grown[i] = tri_list[i];
    delete[] tri_list;
    tri_list = grown;
    tri_capacity *= 2;
  }

  ModelTri& t = tri_list[tri_count];
  for (int k = 0; k < 3; k++) {
    t.vert1[k] = p1[k];
    t.vert2[k] = p2[k];
    t.vert3[k] = p3[k];
  }
  t.id = id;
  tri_count++;
  return StatusOk;
}

int CQ_Model::EndModel() {
  if (state == 2) {
    std::fprintf(stderr,
                 "CQ Warning! Called EndModel() on CQ_Model \n"
                 "object that was already ended. EndModel() was\n"
                 "ignored.  Must do a BeginModel() to clear the\n"
                 "model for addition of new triangles\n");
    return StatusOutOfSequence;
  }
  if (tri_count == 0) {
    std::fprintf(stderr, "CQ Error! EndModel() called on model with no triangles\n");
    return StatusEmptyModel;
  }

  if (tri_count < tri_capacity) {
    ModelTri* trimmed = Obtain<ModelTri>(tri_count);
    if (trimmed == nullptr) {
      std::fprintf(stderr, "CQ Error!  Out of memory for tri array in EndModel() call!\n");
      return StatusOutOfMemory;
    }
    for (int i = 0; i < tri_count; i++) trimmed[i] = tri_list[i];
    delete[] tri_list;
    tri_list = trimmed;
    tri_capacity = tri_count;
  }

  const int n = tri_count;
  BV* bvs = n <= INT_MAX / 2 ? Obtain<BV>(2 * n - 1) : nullptr;  // each BV has child_code 0
  if (bvs == nullptr) {
    std::fprintf(stderr, "CQ Error! out of memory for BV array in EndModel()\n");
    return StatusOutOfMemory;
  }
  delete[] bv_list;  // none is held before a build; kept safe all the same
  bv_list = bvs;
  bv_capacity = 2 * n - 1;
  bv_count = 0;
  BuildHierarchy(*this);

  state = 2;
  return StatusOk;
}

int CQ_Model::MemoryReport(int print) {
  const int total = bv_count * static_cast<int>(sizeof(BV)) +
                    tri_count * static_cast<int>(sizeof(ModelTri)) +
                    static_cast<int>(sizeof(CQ_Model));
  if (print) {
    std::fprintf(stderr, "Total for model %x: %d bytes\n",
                 static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(this)), total);
    std::fprintf(stderr, "BVs: %d alloced, take %d bytes each\n", bv_count,
                 static_cast<int>(sizeof(BV)));
    std::fprintf(stderr, "Tris: %d alloced, take %d bytes each\n", tri_count,
                 static_cast<int>(sizeof(ModelTri)));
  }
  return total;
}
