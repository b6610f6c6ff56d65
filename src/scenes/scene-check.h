#pragma once
// Each scene's prediction, derived from the model's laws, and the measurement a run makes of it.
// Fed after every iteration and its rolling rule, as the demo's frames and the benchmark's
// --check run them; the demo's overlay and the benchmark print the figures.

#include <vector>

#include "scenes/scene-kind.h"
#include "scenes/shot.h"

struct Scene;

struct CheckFigures {
  const char* quantity = nullptr;  // what is compared; null for the break, which predicts nothing
  const char* unit = "";
  bool measured_yet = false;  // the event measured has happened (the impact, the switch, ...)
  bool complete = false;      // nothing more will change
  double measured = 0;
  double predicted = 0;
  double tolerance = 0;
  // The crowd predicts an upper bound: it passes when measured <= predicted + tolerance.
  bool bound_only = false;
  bool pass = false;
  // A second figure some scenes compare as well (the shooter's speed left, the speed kept by a
  // bounce, the switch time, ...); it must hold too for the check to pass.
  const char* second_quantity = nullptr;
  const char* second_unit = "";
  double second_measured = 0;
  double second_predicted = 0;
  double second_tolerance = 0;
};

class SceneCheck {
 public:
  // Right after the shot, before its first iteration.
  void Begin(SceneKind kind, const Scene& scene, const Shot& shot);
  // After an iteration of step h and the rolling rule that follows it.
  void Observe(const Scene& scene, float h);
  const CheckFigures& figures() const { return figures_; }
  bool begun() const { return begun_; }
  // Iterations observed since Begin.
  long iterations() const { return iterations_; }

 private:
  void Remember(const Scene& scene);
  void Decide();
  void ObserveImpact(const Scene& scene, float h, bool glancing);
  void ObserveCradle(const Scene& scene, float h);
  void ObserveSwitch(const Scene& scene, float h);
  void ObserveBank(const Scene& scene, float h);
  void ObserveCrowd(const Scene& scene, float h);

  SceneKind kind_ = SceneKind::Break;
  bool begun_ = false;
  long iterations_ = 0;
  Shot shot_;
  CheckFigures figures_;
  // Each ball's velocity and friction coefficient after the previous iteration: the coefficient
  // is the one the next step integrates with.
  std::vector<float> speed_, coefficient_;
  std::vector<double> vx_, vy_, vz_;
  double kinetic_energy_ = 0;
  long impact_iteration_ = -1;
  double speed_before_impact_ = 0;
};

// The crowd's run: this many iterations are compared.
constexpr long kCrowdCheckIterations = 400;
