// The long soak: the demo's per-frame work (one simulation iteration and the rolling rule) for a
// million iterations with each integrator at the smallest, the default and the largest step the
// panel allows, re-shooting at the rack every few thousand frames. It reports the resident
// memory, the longest separation and backing runs and any non-finite value or body outside the
// box, and fails (exit 1) on any of those faults. Run from the folder with the mesh files.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "play-volume.h"
#include "scene.h"

namespace {

const char kUsage[] =
    "usage: quorvel-soak [--iterations N] [--seed N] [--bodies N]\n"
    "Run from the folder that holds box.tris and sphere03.tris (data/).\n"
    "  --iterations N  iterations per integrator and step size (default 1000000)\n"
    "  --seed N        seed of the random generator (default 1)\n"
    "  --bodies N      number of spheres, 1 .. 1000 (default 10)\n"
    "Exits 1 when a value is not finite, a body leaves the box, a separation or backing run\n"
    "reaches its bound, or the resident memory keeps growing; 0 otherwise.\n";

// The bounds of the passes' loops: a run that reaches one did not end by itself.
constexpr int kSeparationBound = 1000;
constexpr int kBackingBound = 1050;
// Resident memory may grow while the passes' storage finds its size; after the first tenth of a
// run it must stay put (a little slack for the allocator).
constexpr long kGrowthSlackKb = 1024;
constexpr int kFramesPerShot = 5000;

long ParseWhole(const char* text, long lowest, long highest, const char* option) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < lowest || value > highest) {
    std::fprintf(stderr, "quorvel-soak: %s wants a whole number from %ld to %ld, not '%s'\n%s", option, lowest,
                 highest, text, kUsage);
    std::exit(2);
  }
  return value;
}

// The resident size now (not the peak, which an earlier run would hide growth behind).
long ResidentKilobytes() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool AllFinite(const RigidBody& body) {
  float state[BodyStateFloats];
  body.GetState(state);
  for (float f : state)
    if (!std::isfinite(f)) return false;
  return std::isfinite(body.velocity.Length()) && std::isfinite(body.angular_velocity.Length());
}

struct Outcome {
  long frames_with_contacts = 0;
  int longest_separation = 0;
  int longest_backing = 0;
  long resident_after_warm_up = 0;
  long resident_at_end = 0;
  const char* fault = nullptr;
  long fault_frame = -1;
  unsigned fault_body = 0;
};

// Shoots body 0 straight at one racked ball after another, so that every shot is a break.
void Shoot(Scene& scene, bool started, int shot) {
  StartScene(scene, started);
  RBSystem& bodies = scene.bodies_system;
  RigidBody& cue = *bodies.Body(0);
  if (bodies.BodyCount() < 2) return;
  Vec3 aim = bodies.Body(1 + static_cast<uint32_t>(shot) % (bodies.BodyCount() - 1))->position - cue.position;
  aim.y = 0;
  aim.Normalize();
  cue.linear_momentum = cue.linear_momentum.Length() * aim;
}

Outcome Soak(unsigned seed, unsigned body_count, bool rk4, float step, long iterations) {
  Scene scene(body_count);
  SetUpScene(scene, seed, body_count);
  RBSystem& bodies = scene.bodies_system;
  if (rk4) bodies.SetRK4();
  Outcome outcome;
  int shot = 0;
  Shoot(scene, false, shot++);
  IterationStats stats;
  for (long frame = 0; frame < iterations; ++frame) {
    if (frame > 0 && frame % kFramesPerShot == 0) Shoot(scene, true, shot++);
    RunSimulationIteration(scene.bodies_system, scene.environment_system, step, &stats);
    ApplyRollingRule(scene);
    if (stats.body.contacts + stats.wall.contacts > 0) ++outcome.frames_with_contacts;
    if (stats.body.longest_run > outcome.longest_separation) outcome.longest_separation = stats.body.longest_run;
    if (stats.wall.longest_run > outcome.longest_backing) outcome.longest_backing = stats.wall.longest_run;
    for (uint32_t i = 0; i < bodies.BodyCount() && !outcome.fault; ++i) {
      const RigidBody& body = *bodies.Body(i);
      if (!AllFinite(body)) outcome.fault = "a value that is not finite";
      else if (!play_volume::Contains(body.position)) outcome.fault = "a body outside the box";
      if (outcome.fault) {
        outcome.fault_frame = frame;
        outcome.fault_body = i;
      }
    }
    if (outcome.fault) return outcome;
    if (frame == iterations / 10) outcome.resident_after_warm_up = ResidentKilobytes();
  }
  outcome.resident_at_end = ResidentKilobytes();
  if (outcome.longest_separation >= kSeparationBound) outcome.fault = "a separation run that reached its bound";
  else if (outcome.longest_backing >= kBackingBound) outcome.fault = "a backing run that reached its bound";
  else if (outcome.resident_at_end - outcome.resident_after_warm_up > kGrowthSlackKb)
    outcome.fault = "resident memory that kept growing";
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  long iterations = 1000000;
  unsigned seed = 1;
  unsigned body_count = 10;
  for (int a = 1; a < argc; ++a) {
    const char* option = argv[a];
    if (!std::strcmp(option, "--help") || !std::strcmp(option, "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a + 1 >= argc || (std::strcmp(option, "--iterations") && std::strcmp(option, "--seed") &&
                          std::strcmp(option, "--bodies"))) {
      std::fprintf(stderr, "quorvel-soak: unknown option or missing value: '%s'\n%s", option, kUsage);
      return 2;
    }
    const char* value = argv[++a];
    if (!std::strcmp(option, "--iterations")) iterations = ParseWhole(value, 1, 1000000000L, option);
    if (!std::strcmp(option, "--seed")) seed = static_cast<unsigned>(ParseWhole(value, 0, 2147483647L, option));
    if (!std::strcmp(option, "--bodies")) body_count = static_cast<unsigned>(ParseWhole(value, 1, 1000, option));
  }

  bool failed = false;
  std::printf("%-6s %5s %12s %10s %10s %12s %12s  %s\n", "method", "step", "iterations", "separation", "backing",
              "resident kB", "seconds", "result");
  for (bool rk4 : {false, true}) {
    for (float step : {0.01f, 0.1f, 0.2f}) {
      const auto start = std::chrono::steady_clock::now();
      const Outcome o = Soak(seed, body_count, rk4, step, iterations);
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("%-6s %5.2f %12ld %10d %10d %12ld %12.1f  ", rk4 ? "RK4" : "Euler", step, iterations,
                  o.longest_separation, o.longest_backing, o.resident_at_end, seconds);
      if (o.fault) {
        failed = true;
        if (o.fault_frame >= 0)
          std::printf("FAILED: %s (frame %ld, body %u)\n", o.fault, o.fault_frame, o.fault_body);
        else
          std::printf("FAILED: %s\n", o.fault);
      } else {
        std::printf("ok (%ld frames with contacts)\n", o.frames_with_contacts);
      }
      std::fflush(stdout);
    }
  }
  return failed ? 1 : 0;
}
