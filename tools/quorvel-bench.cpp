// The headless settling benchmark: sets the scene up exactly as the demo does, from the mesh
// files in the working directory, then shoots, waits for an iteration free of contacts and
// times 16384 simulation iterations. No display is needed.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "fingerprint.h"
#include "scene.h"

namespace {

const char kUsage[] =
    "usage: quorvel-bench [--seed N] [--rk4] [--step H] [--model N] [--bodies N] [--fingerprint]\n"
    "Run from the folder that holds box.tris and the sphere files (data/).\n"
    "  --seed N    seed of the random generator (default: the current time)\n"
    "  --rk4       integrate with fourth-order Runge-Kutta instead of Euler\n"
    "  --step H    time step of every iteration, > 0 (default 0.1)\n"
    "  --model N   sphere model number N, 0 .. 99: sphereNN.tris (default 3)\n"
    "  --bodies N  number of spheres, 1 .. 1000 (default 10; beyond ten placed at random)\n"
    "  --fingerprint  after the run, print a hash of every body's final state (bit-exact) to\n"
    "              the standard output, to compare versions of the code on seeded runs\n";

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

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = static_cast<unsigned>(std::time(nullptr));
  bool rk4 = false;
  float step = 0.1f;
  int model = 3;
  unsigned bodies = 10;
  bool fingerprint = false;

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

  Scene scene(bodies);
  InitScene(scene, seed, bodies, model);
  if (rk4) scene.bodies_system.SetRK4();
  scene.bodies_system.RunPerformanceAnalysis(step, scene.environment_system);
  if (fingerprint)
    std::printf("fingerprint %016llx\n", static_cast<unsigned long long>(StateFingerprint(scene.bodies_system)));
  return 0;
}
