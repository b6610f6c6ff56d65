#include "simulation-iteration.h"

#include <chrono>

#include "rb-system.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace

void RunSimulationIteration(RBSystem& bodies, RBSystem& environment, float h, IterationStats* stats, bool timed) {
  if (!(stats && timed)) {
    bodies.Step(h);
    bodies.ResolveBodyCollisions();
    bodies.ResolveEnvironmentCollisions(environment);
  } else {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    bodies.Step(h);
    const Clock::time_point stepped = Clock::now();
    bodies.ResolveBodyCollisions();
    const Clock::time_point separated = Clock::now();
    bodies.ResolveEnvironmentCollisions(environment);
    const Clock::time_point done = Clock::now();
    stats->step_seconds = Seconds(start, stepped);
    stats->body_pass_seconds = Seconds(stepped, separated);
    stats->wall_pass_seconds = Seconds(separated, done);
  }
  if (stats) {
    stats->time = bodies.time;
    const CollisionWorkspace& workspace = bodies.Workspace();
    stats->body = workspace.body_counters;
    stats->wall = workspace.wall_counters;
  }
}
