#include "build/fit-bv.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

struct Point {
  double x, y, z;
};

// Vertex k (0 .. 3 * count - 1) of the run, in the order vert1, vert2, vert3 of each triangle.
inline const double* Vertex(const ModelTri run[], int k) {
  const ModelTri& tri = run[k / 3];
  switch (k % 3) {
    case 0: return tri.vert1;
    case 1: return tri.vert2;
    default: return tri.vert3;
  }
}

// R^T v: the vertex's coordinates along the BV's three axes.
inline Point Project(const double R[3][3], const double v[3]) {
  return {R[0][0] * v[0] + R[1][0] * v[1] + R[2][0] * v[2],
          R[0][1] * v[0] + R[1][1] * v[1] + R[2][1] * v[2],
          R[0][2] * v[0] + R[1][2] * v[1] + R[2][2] * v[2]};
}

// The run's vertices projected once into scratch storage.
struct StoredPoints {
  const Point* points;
  Point operator[](int i) const { return points[i]; }
};

// The run's vertices projected again on every access; used when no scratch storage is available.
struct ProjectedPoints {
  const double (*R)[3];
  const ModelTri* run;
  Point operator[](int i) const { return Project(R, Vertex(run, i)); }
};

// Half-width at point p's height of the sphere of squared radius rr centred at height cz.
inline double HalfWidth(const Point& p, double rr, double cz) {
  const double dz = p.z - cz;
  return std::sqrt(std::max(rr - dz * dz, 0.0));
}

// Rectangle bounds along one in-plane coordinate (selected by coord): start from the extreme
// points shrunk by the sphere's local half-width, then grow until every point beyond a bound is
// within reach of the swept sphere.
template <class Points>
void FitRectSide(const Points& P, int m, double Point::*coord, double rr, double cz, double* lo,
                 double* hi) {
  int minindex = 0, maxindex = 0;
  for (int i = 1; i < m; i++) {
    const double c = P[i].*coord;
    if (c < P[minindex].*coord)
      minindex = i;
    else if (c > P[maxindex].*coord)
      maxindex = i;
  }
  const Point pmin = P[minindex];
  const Point pmax = P[maxindex];
  double minc = pmin.*coord + HalfWidth(pmin, rr, cz);
  double maxc = pmax.*coord - HalfWidth(pmax, rr, cz);

  for (int i = 0; i < m; i++) {
    const Point p = P[i];
    if (p.*coord < minc) {
      const double c = p.*coord + HalfWidth(p, rr, cz);
      if (c < minc) minc = c;
    }
  }
  for (int i = 0; i < m; i++) {
    const Point p = P[i];
    if (p.*coord > maxc) {
      const double c = p.*coord - HalfWidth(p, rr, cz);
      if (c > maxc) maxc = c;
    }
  }
  *lo = minc;
  *hi = maxc;
}

template <class Points>
void Fit(BV* bv, const double R[3][3], const Points& P, int m) {
  // Oriented box: the coordinate ranges along the BV's axes.
  Point lo = P[0], hi = P[0];
  for (int i = 1; i < m; i++) {
    const Point p = P[i];
    if (p.x < lo.x) lo.x = p.x; else if (p.x > hi.x) hi.x = p.x;
    if (p.y < lo.y) lo.y = p.y; else if (p.y > hi.y) hi.y = p.y;
    if (p.z < lo.z) lo.z = p.z; else if (p.z > hi.z) hi.z = p.z;
  }
  const double c[3] = {0.5 * (hi.x + lo.x), 0.5 * (hi.y + lo.y), 0.5 * (hi.z + lo.z)};
  for (int i = 0; i < 3; i++)
    bv->box_center[i] = R[i][0] * c[0] + R[i][1] * c[1] + R[i][2] * c[2];
  bv->half_extents[0] = 0.5 * (hi.x - lo.x);
  bv->half_extents[1] = 0.5 * (hi.y - lo.y);
  bv->half_extents[2] = 0.5 * (hi.z - lo.z);

  // Sphere: its diameter is the z range (the same range as the box's, taken by the same rule).
  const double r = 0.5 * (hi.z - lo.z);
  const double rr = r * r;
  const double cz = 0.5 * (hi.z + lo.z);

  double minx, maxx, miny, maxy;
  FitRectSide(P, m, &Point::x, rr, cz, &minx, &maxx);
  FitRectSide(P, m, &Point::y, rr, cz, &miny, &maxy);

  // Corners: a point beyond a corner of the rectangle in both coordinates is reached by growing
  // the rectangle along that corner's diagonal by u / sqrt(2) in each coordinate. sx and sy say
  // which corner (+1 beyond the maximum, -1 beyond the minimum); multiplying by them only flips
  // signs, so each corner rounds exactly as its own written-out formula would.
  const double a = std::sqrt(0.5);
  for (int i = 0; i < m; i++) {
    const Point p = P[i];
    const double sx = p.x > maxx ? 1.0 : p.x < minx ? -1.0 : 0.0;
    const double sy = p.y > maxy ? 1.0 : p.y < miny ? -1.0 : 0.0;
    if (sx == 0.0 || sy == 0.0) continue;
    double& x_side = sx > 0 ? maxx : minx;
    double& y_side = sy > 0 ? maxy : miny;
    const double dx = p.x - x_side, dy = p.y - y_side, dz = cz - p.z;
    const double ax = sx * a, ay = sy * a;
    double u = sx * dx * a + sy * dy * a;
    const double t = (ax * u - dx) * (ax * u - dx) + (ay * u - dy) * (ay * u - dy) + dz * dz;
    u = u - std::sqrt(std::max(rr - t, 0.0));
    if (u > 0) {
      x_side += sx * (u * a);
      y_side += sy * (u * a);
    }
  }

  const double corner[3] = {minx, miny, cz};
  for (int i = 0; i < 3; i++)
    bv->rect_origin[i] = R[i][0] * corner[0] + R[i][1] * corner[1] + R[i][2] * corner[2];
  bv->rect_lengths[0] = std::max(maxx - minx, 0.0);
  bv->rect_lengths[1] = std::max(maxy - miny, 0.0);
  bv->radius = r;
}

}  // namespace

void FitBV(BV* bv, const double R[3][3], const ModelTri run[], int count) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) bv->rotation[i][j] = R[i][j];

  const int m = 3 * count;
  Point* points = new (std::nothrow) Point[m];
  if (points == nullptr) {
    Fit(bv, R, ProjectedPoints{R, run}, m);
    return;
  }
  for (int k = 0; k < m; k++) points[k] = Project(R, Vertex(run, k));
  Fit(bv, R, StoredPoints{points}, m);
  delete[] points;
}
