// The plain C++ loop that bench/python-bench.py holds the Python module against: first-contact
// queries of one mesh against itself over the pose pairs in a file, timed on the processor
// clock, the best of several passes.
//   collide-loop MESH.tris POSES.f64 [PASSES]
// POSES.f64 holds N pose pairs as raw doubles, 24 each: R_a (9, row-major), t_a (3), R_b, t_b.
// Prints: queries, hits, and the best pass's CPU seconds per query.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "collision/cq.h"

namespace {

double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + 1e-9 * now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: collide-loop MESH.tris POSES.f64 [PASSES]\n");
    return 2;
  }
  CQ_Model model;
  std::string message;
  if (LoadTrisModel(model, argv[1], message) != StatusOk) {
    std::fprintf(stderr, "%s: %s\n", argv[1], message.c_str());
    return 1;
  }
  std::vector<double> poses;
  if (std::FILE* f = std::fopen(argv[2], "rb")) {
    double buffer[24];
    while (std::fread(buffer, sizeof buffer, 1, f) == 1) poses.insert(poses.end(), buffer, buffer + 24);
    std::fclose(f);
  }
  const size_t n = poses.size() / 24;
  if (n == 0) {
    std::fprintf(stderr, "%s: no poses\n", argv[2]);
    return 1;
  }
  const int passes = argc > 3 ? std::stoi(argv[3]) : 5;
  using Matrix = const double (*)[3];
  CQ_CollideResult result;
  double best = 1e30;
  long hits = 0;
  for (int pass = 0; pass < passes; ++pass) {
    hits = 0;
    const double start = CpuSeconds();
    for (size_t i = 0; i < n; ++i) {
      const double* p = &poses[24 * i];
      CollideModels(&result, reinterpret_cast<Matrix>(p), p + 9, &model, reinterpret_cast<Matrix>(p + 12), p + 21,
                    &model, StopAtFirstContact);
      hits += result.num_pairs > 0;
    }
    const double seconds = CpuSeconds() - start;
    if (seconds < best) best = seconds;
  }
  std::printf("queries %zu hits %ld seconds_per_query %.9e\n", n, hits, best / n);
  return 0;
}
