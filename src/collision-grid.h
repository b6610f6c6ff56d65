#pragma once
// The broad phase of the body-body pass: a fixed grid of 10 x 10 x 10 cells of side 4 over the
// cube [-20, 20) on each axis. Each body is filed into the 2 x 2 x 2 block of cells around the
// cell corner nearest to its centre; the bodies in a body's own 8 cells are its candidates.
// The grid neither removes duplicates nor remembers pairs.

#include <cstdint>
#include <vector>

#include "base/assertion.h"
#include "math/vec3.h"

class RigidBody;

// The bodies filed into one cell, in the order they came, duplicates included. A cell holds 30
// without allocating and grows beyond that: a body dropped from a cell would silently lose every
// pair through it, and a crowded box puts far more than 30 bodies into some cells.
class BodyCell {
 public:
  BodyCell() { bodies_.reserve(30); }
  void Append(RigidBody* body) { bodies_.push_back(body); }
  int32_t Count() const { return static_cast<int32_t>(bodies_.size()); }
  // Bodies below Count(); beyond it the program stops with "idx < size".
  RigidBody* Element(int32_t idx) const {
    const int32_t size = Count();
    QUORVEL_ASSERT(idx >= 0 && idx < size);
    return bodies_[static_cast<size_t>(idx)];
  }
  // Forgets the contents; the storage stays for the next pass.
  void Clear() { bodies_.clear(); }

 private:
  std::vector<RigidBody*> bodies_;
};

// Eight cells: entry k of the three arrays together names cell k.
struct CellTriple {
  int x[8];
  int y[8];
  int z[8];
};

class CollisionGrid {
 public:
  // The grid spans [-20, 20) in cells of side 4 on each axis.
  static constexpr int kCellsPerAxis = 10;

  // Empties every cell; the storage stays.
  void Clear();
  // Appends the body to each of its 8 cells in order; a cell named several times gets it several
  // times. No body is ever dropped.
  void Insert(RigidBody* body);
  CellTriple CellsOf(const RigidBody& body) const;
  // The 8 cells for a position. Cells that would lie outside the grid are replaced by the home
  // cell. A home cell outside the grid (a coordinate of 20 or more, or -24 or less) is clamped
  // onto its nearest cell, so no storage outside the 1000 cells is ever touched.
  static CellTriple CellsOf(const Vec3& position);
  // No range test: coordinates come from CellsOf.
  BodyCell& CellAt(int x, int y, int z) { return cells_[x + kCellsPerAxis * (y + kCellsPerAxis * z)]; }

 private:
  BodyCell cells_[kCellsPerAxis * kCellsPerAxis * kCellsPerAxis];
};
