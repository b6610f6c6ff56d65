// Loads two meshes, places the second beside the first, and prints whether and where they touch.
//   collide-meshes A.tris B.tris [x y z]   (B moved by x y z, default 1.9 0 0, and turned)
#include <quorvel/cq.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

int main(int argc, char** argv) {
  if (argc != 3 && argc != 6) {
    std::fprintf(stderr, "usage: collide-meshes A.tris B.tris [x y z]\n");
    return 2;
  }
  CQ_Model a, b;
  std::string message;
  for (auto [model, path] : {std::pair{&a, argv[1]}, std::pair{&b, argv[2]}}) {
    if (LoadTrisModel(*model, path, message) != StatusOk) {
      std::fprintf(stderr, "%s: %s\n", path, message.c_str());
      return 1;
    }
  }
  // A model point p lies at R p + T: A where it was read, B turned 30 degrees about z and moved.
  const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
  const double Ra[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, Ta[3] = {0, 0, 0};
  const double Rb[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
  double Tb[3] = {1.9, 0, 0};
  if (argc == 6)
    for (int k = 0; k < 3; k++) Tb[k] = std::atof(argv[3 + k]);

  CQ_CollideResult result;  // one per thread; reused from query to query
  CollideModels(&result, Ra, Ta, &a, Rb, Tb, &b, 0);  // 0: every pair; StopAtFirstContact: one
  if (!result.HasContact()) {
    std::printf("no contact (%d box tests)\n", result.bv_test_count);
    return 0;
  }
  // Where: the centre of the corners of A's touching triangles (A is placed unmoved).
  double where[3] = {0, 0, 0};
  for (int k = 0; k < result.num_pairs; k++) {
    const ModelTri* t = a.tri_list();
    while (t->id != result.pair_list[k].first_id) t++;  // the build reorders triangles
    for (int i = 0; i < 3; i++) where[i] += (t->vert1[i] + t->vert2[i] + t->vert3[i]) / (3.0 * result.num_pairs);
  }
  std::printf("contact: %d triangle pairs, first A %d with B %d, around (%.3f, %.3f, %.3f)\n", result.num_pairs,
              result.pair_list[0].first_id, result.pair_list[0].second_id, where[0], where[1], where[2]);
  return 0;
}
