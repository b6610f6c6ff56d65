// The headless settling benchmark: sets the scene up exactly as the demo does, from the mesh
// files in the working directory, then shoots, waits for an iteration free of contacts and
// times 16384 simulation iterations. No display is needed.

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "bench-observer.h"
#include "fingerprint.h"
#include "performance-analysis.h"
#include "scene.h"

namespace {

const char kUsage[] =
    "usage: quorvel-bench [--seed N] [--rk4] [--step H] [--model N] [--bodies N] [--fingerprint]\n"
    "                     [--json] [--trace FILE.csv]\n"
    "Run from the folder that holds box.tris and the sphere files (data/).\n"
    "  --seed N    seed of the random generator (default: the current time)\n"
    "  --rk4       integrate with fourth-order Runge-Kutta instead of Euler\n"
    "  --step H    time step of every iteration, > 0 (default 0.1)\n"
    "  --model N   sphere model number N, 0 .. 99: sphereNN.tris (default 3)\n"
    "  --bodies N  number of spheres, 1 .. 1000 (default 10; beyond ten placed at random)\n"
    "  --fingerprint  after the run, print a hash of every body's final state (bit-exact) to\n"
    "              the standard output, to compare versions of the code on seeded runs\n"
    "  --json      print the figures as one JSON object on the standard output\n"
    "  --trace F   write one CSV row per iteration to F: contacts, queries, and the cost of\n"
    "              the step and of each collision pass (tools/plot-trace draws it)\n"
    "On a terminal, a progress line shows the settling and the timed iterations.\n";

[[noreturn]] void Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "quorvel-bench: %s\n", problem);
  std::fputs(kUsage, problem ? stderr : stdout);
  std::exit(problem ? 2 : 0);
}

long ParseWhole(const char* text, long lowest, long highest, const char* option) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < lowest || value > highest) {
    static char problem[128];
    std::snprintf(problem, sizeof problem, "%s wants a whole number from %ld to %ld, not '%s'", option, lowest,
                  highest, text);
    Usage(problem);
  }
  return value;
}

long MaxResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = static_cast<unsigned>(std::time(nullptr));
  bool rk4 = false;
  float step = 0.1f;
  int model = 3;
  unsigned bodies = 10;
  bool fingerprint = false;
  bool json = false;
  const char* trace_path = nullptr;

  for (int a = 1; a < argc; ++a) {
    const char* option = argv[a];
    auto value = [&]() -> const char* {
      if (a + 1 >= argc) {
        static char problem[64];
        std::snprintf(problem, sizeof problem, "%s needs a value", option);
        Usage(problem);
      }
      return argv[++a];
    };
    if (!std::strcmp(option, "--help") || !std::strcmp(option, "-h")) {
      Usage(nullptr);
    } else if (!std::strcmp(option, "--seed")) {
      seed = static_cast<unsigned>(ParseWhole(value(), 0, UINT_MAX, "--seed"));
    } else if (!std::strcmp(option, "--fingerprint")) {
      fingerprint = true;
    } else if (!std::strcmp(option, "--json")) {
      json = true;
    } else if (!std::strcmp(option, "--trace")) {
      trace_path = value();
    } else if (!std::strcmp(option, "--rk4")) {
      rk4 = true;
    } else if (!std::strcmp(option, "--step")) {
      const char* text = value();
      char* end = nullptr;
      step = std::strtof(text, &end);
      if (end == text || *end != '\0' || !(step > 0.0f) || step > 10.0f) Usage("--step wants a number in (0, 10]");
    } else if (!std::strcmp(option, "--model")) {
      model = static_cast<int>(ParseWhole(value(), 0, 99, "--model"));
    } else if (!std::strcmp(option, "--bodies")) {
      bodies = static_cast<unsigned>(ParseWhole(value(), 1, 1000, "--bodies"));
    } else {
      static char problem[128];
      std::snprintf(problem, sizeof problem, "unknown option '%s'", option);
      Usage(problem);
    }
  }

  std::FILE* trace = nullptr;
  if (trace_path) {
    trace = std::fopen(trace_path, "w");
    if (!trace) {
      std::fprintf(stderr, "quorvel-bench: cannot write the trace file '%s': %s\n", trace_path, std::strerror(errno));
      return 2;
    }
  }

  const auto setup_start = std::chrono::steady_clock::now();
  Scene scene(bodies);
  SetUpScene(scene, seed, bodies, model);
  const double setup_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - setup_start).count();
  if (rk4) scene.bodies_system.SetRK4();

  BenchObserver observer(isatty(STDERR_FILENO) != 0, trace);
  PerformanceReport report;
  scene.bodies_system.RunPerformanceAnalysis(step, scene.environment_system, &observer, &report);
  if (trace && std::fclose(trace) != 0) {
    std::fprintf(stderr, "quorvel-bench: writing the trace file '%s' failed\n", trace_path);
    return 1;
  }

  const uint64_t hash = StateFingerprint(scene.bodies_system);
  if (fingerprint && !json) std::printf("fingerprint %016llx\n", static_cast<unsigned long long>(hash));
  if (json) {
    const double timed = report.timed_iterations;
    std::printf(
        "{\"bodies\": %u, \"model\": %d, \"seed\": %u, \"method\": \"%s\", \"step\": %.9g, "
        "\"setup_seconds\": %.6f, \"settling_iterations\": %ld, \"settled\": %s, \"timed_iterations\": %d, "
        "\"seconds_per_iteration\": %.6e, \"queries_per_iteration\": %.4f, \"replayed_per_iteration\": %.4f, "
        "\"skipped_per_iteration\": %.4f, \"box_visits_per_query\": %.4f, \"max_resident_kb\": %ld",
        bodies, model, seed, rk4 ? "rk4" : "euler", step, setup_seconds, report.settling_iterations,
        report.settled ? "true" : "false", report.timed_iterations, report.seconds_per_iteration,
        report.queries / timed, report.replayed / timed, report.skipped / timed,
        report.queries > 0 ? static_cast<double>(report.box_visits) / report.queries : 0.0, MaxResidentKilobytes());
    if (fingerprint) std::printf(", \"fingerprint\": \"%016llx\"", static_cast<unsigned long long>(hash));
    std::printf("}\n");
  }
  return 0;
}
