#include "collision-grid.h"

#include "rigid-body.h"

namespace {

constexpr int kLastCell = CollisionGrid::kCellsPerAxis - 1;  // the highest cell coordinate

// Grid coordinate of a world coordinate: home cell and the neighbour towards the nearer corner.
void AxisCells(float p, int& home, int& neighbour) {
  float g = static_cast<float>(p * 0.25 + 5.0);
  // Far outside (or not a number) every position lands on the same clamped cells; keeping g
  // small also keeps the conversion to int defined.
  if (!(g > -2.0f)) g = -2.0f;
  if (g > 12.0f) g = 12.0f;
  const int i = static_cast<int>(g);  // truncated toward zero
  const float f = g - static_cast<float>(i);  // negative for negative g
  neighbour = f < 0.5f ? i - 1 : i + 1;
  home = i < 0 ? 0 : (i > kLastCell ? kLastCell : i);
}

bool Inside(int c) { return c >= 0 && c <= kLastCell; }

}  // namespace

void CollisionGrid::Clear() {
  for (RBList& cell : cells_) cell.Clear();
}

CellTriple CollisionGrid::CellsOf(const Vec3& position) {
  int ix, iy, iz, nx, ny, nz;
  AxisCells(position.x, ix, nx);
  AxisCells(position.y, iy, ny);
  AxisCells(position.z, iz, nz);
  const int xs[8] = {ix, ix, ix, ix, nx, nx, nx, nx};
  const int ys[8] = {iy, iy, ny, ny, iy, iy, ny, ny};
  const int zs[8] = {iz, nz, iz, nz, iz, nz, iz, nz};
  CellTriple cells;
  for (int k = 0; k < 8; ++k) {
    const bool inside = Inside(xs[k]) && Inside(ys[k]) && Inside(zs[k]);
    cells.x[k] = inside ? xs[k] : ix;
    cells.y[k] = inside ? ys[k] : iy;
    cells.z[k] = inside ? zs[k] : iz;
  }
  return cells;
}

CellTriple CollisionGrid::CellsOf(const RigidBody& body) const { return CellsOf(body.position); }

void CollisionGrid::Insert(RigidBody* body) {
  const CellTriple cells = CellsOf(*body);
  for (int k = 0; k < 8; ++k) CellAt(cells.x[k], cells.y[k], cells.z[k]).Append(body);
}
