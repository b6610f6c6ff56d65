// The plain C++ loop that bench/python-bench.py holds the Python module against: first-contact
// queries of one mesh against itself over the pose pairs in a file, timed on the processor
// clock, the best of several passes.
//   collide-loop MESH.tris POSES.f64 [PASSES]
// POSES.f64 holds N pose pairs as raw doubles, 24 each: R_a (9, row-major), t_a (3), R_b, t_b.
// Prints: queries, hits, and the best pass's CPU seconds per query.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

constexpr char kUsage[] = "usage: collide-loop MESH.tris POSES.f64 [PASSES]\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  for (int i = 1; i < argc; i++) {
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "collide-loop: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  int passes = 5;
  if (argc == 4) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(argv[3], &end, 10);
    if (end == argv[3] || *end != '\0' || errno != 0 || value < 1 || value > INT_MAX) {
      std::fprintf(stderr, "collide-loop: PASSES must be a whole number from 1 up, not %s\n", argv[3]);
      return 2;
    }
    passes = static_cast<int>(value);
  }
  if (argc < 3 || argc > 4) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  CQ_Model model;
  std::string message;
  if (LoadTrisModel(model, argv[1], message) != StatusOk) {
    std::fprintf(stderr, "%s: %s\n", argv[1], message.c_str());
    return 1;
  }
  std::vector<double> poses;
  std::FILE* f = std::fopen(argv[2], "rb");
  if (f == nullptr) {
    std::fprintf(stderr, "%s: %s\n", argv[2], std::strerror(errno));
    return 1;
  }
  double buffer[24];
  while (std::fread(buffer, sizeof buffer, 1, f) == 1) poses.insert(poses.end(), buffer, buffer + 24);
  std::fclose(f);
  const size_t n = poses.size() / 24;
  if (n == 0) {
    std::fprintf(stderr, "%s: no poses\n", argv[2]);
    return 1;
  }
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
