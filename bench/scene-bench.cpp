// Timing of whole simulation iterations (step, body-body pass, wall pass) on seeded scenes of
// 10, 100 and 1000 bodies, without waiting for them to settle: a crowded box may never settle,
// and quorvel-bench then spends its time in the settling loop. Each scene is shot and run for a
// while before the timing starts; the timed iterations go on from there.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>
#include <memory>

#include "scene.h"

namespace {

constexpr int kWarmUpIterations = 300;

std::unique_ptr<Scene> ShotScene(unsigned seed, unsigned bodies, bool rk4) {
  if (chdir(QUORVEL_DATA_DIR) != 0) return nullptr;
  auto scene = std::make_unique<Scene>(bodies);
  // The set-up's progress text would fill the benchmark's table: set it aside.
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDERR_FILENO);
  SetUpScene(*scene, seed, bodies);
  std::fflush(stderr);
  if (saved >= 0) dup2(saved, STDERR_FILENO);
  for (int fd : {saved, null})
    if (fd >= 0) close(fd);
  if (rk4) scene->bodies_system.SetRK4();
  StartScene(*scene, false);
  for (int n = 0; n < kWarmUpIterations; ++n)
    RunSimulationIteration(scene->bodies_system, scene->environment_system, 0.1f);
  return scene;
}

// Arguments: seed, body count, 1 for RK4.
void BM_Iteration(benchmark::State& state) {
  const auto scene = ShotScene(static_cast<unsigned>(state.range(0)), static_cast<unsigned>(state.range(1)),
                               state.range(2) != 0);
  if (!scene) {
    state.SkipWithError("the data folder is missing");
    return;
  }
  for (auto _ : state) RunSimulationIteration(scene->bodies_system, scene->environment_system, 0.1f);
}

BENCHMARK(BM_Iteration)
    ->ArgNames({"seed", "bodies", "rk4"})
    ->ArgsProduct({{1, 2, 3, 4, 5}, {10}, {0, 1}})
    ->Args({1, 100, 0})
    ->Args({1, 100, 1})
    ->Args({1, 1000, 0})
    ->Args({1, 1000, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
