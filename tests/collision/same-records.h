#pragma once
// Bit-for-bit comparison of the collision library's records, field by field: their padding
// bytes are never written, so comparing whole records would read indeterminate bytes.
#include <cstring>

#include "collision/cq.h"

inline bool SameBV(const BV& a, const BV& b) {
  return std::memcmp(a.rotation, b.rotation, sizeof a.rotation) == 0 &&
         std::memcmp(a.rect_origin, b.rect_origin, sizeof a.rect_origin) == 0 &&
         std::memcmp(a.rect_lengths, b.rect_lengths, sizeof a.rect_lengths) == 0 &&
         std::memcmp(&a.radius, &b.radius, sizeof a.radius) == 0 &&
         std::memcmp(a.box_center, b.box_center, sizeof a.box_center) == 0 &&
         std::memcmp(a.half_extents, b.half_extents, sizeof a.half_extents) == 0 &&
         a.child_code == b.child_code;
}

inline bool SameTri(const ModelTri& a, const ModelTri& b) {
  return std::memcmp(a.vert1, b.vert1, sizeof a.vert1) == 0 &&
         std::memcmp(a.vert2, b.vert2, sizeof a.vert2) == 0 &&
         std::memcmp(a.vert3, b.vert3, sizeof a.vert3) == 0 && a.id == b.id;
}

// Stages model states that no sequence of calls reaches in a test's time, such as counts past
// what an int of bytes could hold.
struct CQ_ModelTestAccess {
  static void SetCounts(CQ_Model& model, int tri_count, int bv_count) {
    model.tri_count_ = tri_count;
    model.bv_count_ = bv_count;
  }
};
