// Writes the mesh files of the demo into a folder (default: the current one):
//   sphereNN.tris, NN = 00 .. 05: an icosahedron subdivided NN times (20 * 4^NN triangles),
//     centred at the origin, every vertex at radius 0.99, counter-clockwise seen from outside.
//     0.99 rather than 1 so that a ball resting at y = 0 clears the floor at y = -1 whatever its
//     orientation; a ball of radius 1 would touch the floor in every frame.
//   box.tris: the play volume x -15..15, y -1..10, z -20..20, two triangles per face.
// The output is a pure function of this code: the test suite regenerates it and compares bytes.

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "play-volume.h"

namespace {

struct Point {
  double x, y, z;
};

struct Triangle {
  Point a, b, c;
};

Point Add(const Point& p, const Point& q) { return {p.x + q.x, p.y + q.y, p.z + q.z}; }
Point Sub(const Point& p, const Point& q) { return {p.x - q.x, p.y - q.y, p.z - q.z}; }
Point Scale(double k, const Point& p) { return {k * p.x, k * p.y, k * p.z}; }
double Dot(const Point& p, const Point& q) { return p.x * q.x + p.y * q.y + p.z * q.z; }
Point Cross(const Point& p, const Point& q) {
  return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}
Point OnUnitSphere(const Point& p) { return Scale(1.0 / std::sqrt(Dot(p, p)), p); }

std::vector<Triangle> Icosahedron() {
  const double phi = (1.0 + std::sqrt(5.0)) / 2.0;
  const Point v[12] = {{-1, phi, 0}, {1, phi, 0},  {-1, -phi, 0}, {1, -phi, 0},
                       {0, -1, phi}, {0, 1, phi},  {0, -1, -phi}, {0, 1, -phi},
                       {phi, 0, -1}, {phi, 0, 1},  {-phi, 0, -1}, {-phi, 0, 1}};
  const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                            {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                            {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                            {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
  std::vector<Triangle> tris;
  for (const auto& f : faces) {
    Triangle t{OnUnitSphere(v[f[0]]), OnUnitSphere(v[f[1]]), OnUnitSphere(v[f[2]])};
    // Counter-clockwise seen from outside: the face normal points away from the centre.
    if (Dot(Cross(Sub(t.b, t.a), Sub(t.c, t.a)), Add(Add(t.a, t.b), t.c)) < 0) std::swap(t.b, t.c);
    tris.push_back(t);
  }
  return tris;
}

// Each triangle becomes four, keeping its winding. A shared edge's midpoint is computed from the
// same two endpoints by both neighbours, so the mesh stays closed to the last bit.
std::vector<Triangle> Subdivide(const std::vector<Triangle>& tris) {
  std::vector<Triangle> out;
  out.reserve(tris.size() * 4);
  for (const Triangle& t : tris) {
    const Point ab = OnUnitSphere(Add(t.a, t.b));
    const Point bc = OnUnitSphere(Add(t.b, t.c));
    const Point ca = OnUnitSphere(Add(t.c, t.a));
    out.push_back({t.a, ab, ca});
    out.push_back({ab, t.b, bc});
    out.push_back({ca, bc, t.c});
    out.push_back({ab, bc, ca});
  }
  return out;
}

// One face of the box as two triangles whose stored normal (v1 - v0) x (v2 - v0) is u x w.
void AddFace(std::vector<Triangle>& tris, const Point& centre, const Point& u, const Point& w) {
  const Point p0 = Sub(Sub(centre, u), w);
  const Point p1 = Sub(Add(centre, u), w);
  const Point p2 = Add(Add(centre, u), w);
  const Point p3 = Add(Sub(centre, u), w);
  tris.push_back({p0, p1, p2});
  tris.push_back({p0, p2, p3});
}

// The box is placed in the scene turned half a turn about y, while the wall bounce reads each
// triangle's stored normal unturned and reflects a body only when its velocity has a positive
// component along it. A body running into a wall must therefore see the stored normal of the
// triangle it touches pointing the way it runs: after the half turn the x and z faces swap
// sides, so their stored normals point inwards; the floor and ceiling stay put and point out.
std::vector<Triangle> Box() {
  using namespace play_volume;  // symmetric about x = 0 and z = 0
  const double hx = kMaxX, hz = kMaxZ;
  const double hy = (kMaxY - kMinY) / 2, cy = (kMaxY + kMinY) / 2;  // y spans -1 .. 10
  const Point sx{1, 0, 0}, sy{0, 1, 0}, sz{0, 0, 1};
  std::vector<Triangle> tris;
  AddFace(tris, {hx, cy, 0}, Scale(hz, sz), Scale(hy, sy));    // x = +15, normal -x
  AddFace(tris, {-hx, cy, 0}, Scale(hy, sy), Scale(hz, sz));   // x = -15, normal +x
  AddFace(tris, {0, cy, hz}, Scale(hy, sy), Scale(hx, sx));    // z = +20, normal -z
  AddFace(tris, {0, cy, -hz}, Scale(hx, sx), Scale(hy, sy));   // z = -20, normal +z
  AddFace(tris, {0, cy - hy, 0}, Scale(hx, sx), Scale(hz, sz));  // floor y = -1, normal -y
  AddFace(tris, {0, cy + hy, 0}, Scale(hz, sz), Scale(hx, sx));  // ceiling y = 10, normal +y
  return tris;
}

bool WriteTris(const std::string& path, const std::vector<Triangle>& tris, double scale) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) {
    std::fprintf(stderr, "make-meshes: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  std::fprintf(file, "%zu\n", tris.size());
  for (const Triangle& t : tris) {
    const Point* corners[3] = {&t.a, &t.b, &t.c};
    for (int k = 0; k < 3; ++k) {
      // Rounded to float first: the loaders read floats, and %.9g round-trips every float.
      const Point& p = *corners[k];
      std::fprintf(file, k ? " %.9g %.9g %.9g" : "%.9g %.9g %.9g", static_cast<float>(scale * p.x),
                   static_cast<float>(scale * p.y), static_cast<float>(scale * p.z));
    }
    std::fprintf(file, "\n");
  }
  const bool written = !std::ferror(file);
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "make-meshes: writing %s failed: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char usage[] =
      "usage: make-meshes [folder]\n"
      "Writes sphere00.tris .. sphere05.tris (icospheres of radius 0.99, 20 x 4^N triangles) and\n"
      "box.tris (the play volume) into the folder (default: the working directory).\n";
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr, "make-meshes: %s '%s'\n%s", argc > 2 ? "one folder only, not also" : "unknown option",
                 argv[argc > 2 ? 2 : 1], usage);
    return 2;
  }
  const std::string folder = argc == 2 ? argv[1] : ".";
  // A folder that cannot take the files is said once, with the reason, rather than per file.
  struct stat info;
  const int reason = stat(folder.c_str(), &info) != 0 ? errno : S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  if (reason != 0) {
    std::fprintf(stderr, "make-meshes: cannot write into '%s': %s\n", folder.c_str(), std::strerror(reason));
    return 1;
  }
  const double sphere_radius = 0.99;
  bool ok = true;
  std::vector<Triangle> sphere = Icosahedron();
  for (int level = 0; level <= 5 && ok; ++level) {
    char name[32];
    std::snprintf(name, sizeof name, "/sphere%02d.tris", level);
    ok = WriteTris(folder + name, sphere, sphere_radius);
    if (level < 5) sphere = Subdivide(sphere);
  }
  ok = ok && WriteTris(folder + "/box.tris", Box(), 1.0);
  return ok ? 0 : 1;
}
