#pragma once
// The broad phase of the body-body pass: a fixed grid of 10 x 10 x 10 cells of side 4 over the
// cube [-20, 20) on each axis. Each body is filed into the 2 x 2 x 2 block of cells around the
// cell corner nearest to its centre; the bodies in a body's own 8 cells are its candidates.
// The grid neither removes duplicates nor remembers pairs.

#include "math/vec3.h"
#include "rb-list.h"

class RigidBody;

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
  RBList& CellAt(int x, int y, int z) { return cells_[x + kCellsPerAxis * (y + kCellsPerAxis * z)]; }

 private:
  // Each cell: the bodies filed into it, in the order they came, duplicates included.
  RBList cells_[kCellsPerAxis * kCellsPerAxis * kCellsPerAxis];
};
