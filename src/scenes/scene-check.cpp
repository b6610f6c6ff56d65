#include "scenes/scene-check.h"

#include <algorithm>
#include <cmath>

#include "scene.h"
#include "scenes/step-decay.h"

namespace {

constexpr double kDegrees = 57.29577951308232;

// A velocity component this small counts as none: the impacts below set velocities of order 1
// to 15, and float rounding leaves them at 1e-6 of that.
constexpr double kAtRest = 1e-9;

// Rounding. Every float operation rounds to 6e-8 of its result. One step rounds a momentum
// component about ten times (RK4's four stages and their sum; Euler's fewer), 6e-7 at most, and
// an impulse or a bounce a few times more. A speed compared after being carried through up to
// five steps (the cradle's) is therefore within 5 x 6e-7 of the law's value, and 5e-6 bounds
// it. The crowd compares energies, squares of speeds, over one iteration: 2 x 6e-7, bounded by
// 2e-6. An angle between two velocities is turned by rounding of 1e-6 of a speed by at most
// 1e-6 rad, 6e-5 degrees: 1e-4 degrees. The laws' own effects are a thousand times larger.
constexpr double kSpeedTolerance = 5e-6;
constexpr double kEnergyTolerance = 2e-6;
constexpr double kAngleTolerance = 1e-4;

double Length(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

// Sum of |P|^2 / 2m over the balls, from their momenta (which the shot sets before any velocity
// follows).
double LinearKineticEnergy(const RBSystem& bodies) {
  double sum = 0;
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    const RigidBody& body = *bodies.Body(i);
    const Vec3& p = body.linear_momentum;
    sum += (static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y + static_cast<double>(p.z) * p.z) /
           (2.0 * body.mass);
  }
  return sum;
}

float CoefficientOf(const Scene& scene, uint32_t i) {
  return scene.sliding_forces[i]->coefficient + scene.rolling_forces[i]->coefficient;
}

}  // namespace

void SceneCheck::Begin(SceneKind kind, const Scene& scene, const Shot& shot) {
  kind_ = kind;
  begun_ = true;
  iterations_ = 0;
  shot_ = shot;
  figures_ = CheckFigures();
  impact_iteration_ = -1;
  speed_before_impact_ = 0;
  Remember(scene);
  // The shot has set body 0's momentum but not yet its velocity, which the next step derives.
  const double v = shot.speed;
  vx_[0] = v * shot.direction.x;
  vy_[0] = v * shot.direction.y;
  vz_[0] = v * shot.direction.z;
  speed_[0] = shot.speed;
  kinetic_energy_ = LinearKineticEnergy(scene.bodies_system);

  switch (kind) {
    case SceneKind::Break: break;
    case SceneKind::HeadOn:
      figures_.quantity = "target speed after / shooter speed before";
      figures_.unit = "ratio";
      figures_.predicted = 1;
      figures_.tolerance = kSpeedTolerance;
      figures_.second_quantity = "shooter speed after / before";
      figures_.second_unit = "ratio";
      figures_.second_predicted = 0;
      figures_.second_tolerance = kSpeedTolerance;
      break;
    case SceneKind::Glancing:
      figures_.quantity = "angle between the two velocities";
      figures_.unit = "degrees";
      figures_.predicted = 90;
      figures_.tolerance = kAngleTolerance;
      break;
    case SceneKind::Cradle:
      figures_.quantity = "last ball's speed / shooter's speed at impact";
      figures_.unit = "ratio";
      figures_.tolerance = kSpeedTolerance;
      figures_.second_quantity = "iterations from the first impact to the last ball";
      figures_.second_unit = "iterations";
      figures_.second_predicted = 4;
      figures_.second_tolerance = 0;
      break;
    case SceneKind::SlideToRoll: {
      // The slide-to-roll law in continuous time. A ball shot at v0 without spin slides with
      // dv/dt = -k v, k = 9.8 c (c the sliding coefficient), so v = v0 e^(-kt). The friction
      // acts one unit below the centre, so its torque has the size of the force, c m 9.8 v, and
      // a fixed horizontal axis: |L| grows by the momentum the force takes, |L| = m v0 (1 -
      // e^(-kt)). With identity inertia |omega| = |L|, and the rule switches when |omega| reaches
      // |v|: m (1 - e^(-kt)) = e^(-kt), so e^(-kt) = m / (m + 1) = 10/11 for mass 10, at
      // t = ln(1.1) / k with v = 10/11 v0. (A solid ball of inertia 2/5 m r^2 meets the rolling
      // condition at 5/7 v0: here the identity inertia stands for a much lighter spin.)
      const double k = 9.8 * coefficient_[0];
      figures_.quantity = "speed at the switch / shot speed";
      figures_.unit = "ratio";
      figures_.predicted = 10.0 / 11.0;
      figures_.second_quantity = "time of the switch";
      figures_.second_unit = "time units";
      figures_.second_predicted = k > 0 ? std::log(1.1) / k : 0;
      break;
    }
    case SceneKind::Bank:
      figures_.quantity = "angle of the rebound from the wall's normal";
      figures_.unit = "degrees";
      figures_.tolerance = kAngleTolerance;
      figures_.second_quantity = "speed after / speed before";
      figures_.second_unit = "ratio";
      figures_.second_tolerance = kSpeedTolerance;
      break;
    case SceneKind::Crowd:
      // Every law that changes a velocity takes kinetic energy or keeps it. The friction step
      // scales each ball's momentum by its decay factor q (step-decay.h), so its kinetic energy
      // by q^2 <= q_max^2, q_max being the factor of the smallest coefficient. An elastic impulse
      // between equal masses, v_i' = v_i - u n and v_j' = v_j + u n with u = (v_i - v_j).n,
      // keeps |v_i|^2 + |v_j|^2: the cross terms -2u v_i.n + 2u v_j.n = -2u^2 cancel the
      // +2u^2 of the two |u n|^2. A wall bounce scales the normal component by 0.6, and the
      // separation, the backing out and the clamp move positions only. So from one iteration
      // to the next E' <= q_max^2 E; measured: the largest E' / (q_max^2 E) - 1 of the run,
      // at most 0 beyond rounding.
      figures_.quantity = "largest growth of linear kinetic energy beyond the friction's q^2";
      figures_.unit = "relative, per iteration";
      figures_.predicted = 0;
      figures_.tolerance = kEnergyTolerance;
      figures_.bound_only = true;
      figures_.measured = -1;
      break;
  }
}

void SceneCheck::Remember(const Scene& scene) {
  const RBSystem& bodies = scene.bodies_system;
  const uint32_t n = bodies.BodyCount();
  speed_.resize(n);
  coefficient_.resize(n);
  vx_.resize(n);
  vy_.resize(n);
  vz_.resize(n);
  for (uint32_t i = 0; i < n; ++i) {
    const Vec3& v = bodies.Body(i)->velocity;
    speed_[i] = v.Length();
    vx_[i] = v.x;
    vy_[i] = v.y;
    vz_[i] = v.z;
    coefficient_[i] = CoefficientOf(scene, i);
  }
}

void SceneCheck::Observe(const Scene& scene, float h) {
  if (!begun_ || scene.bodies_system.BodyCount() != speed_.size()) return;
  ++iterations_;
  if (!figures_.complete) {
    switch (kind_) {
      case SceneKind::Break: break;
      case SceneKind::HeadOn: ObserveImpact(scene, h, false); break;
      case SceneKind::Glancing: ObserveImpact(scene, h, true); break;
      case SceneKind::Cradle: ObserveCradle(scene, h); break;
      case SceneKind::SlideToRoll: ObserveSwitch(scene, h); break;
      case SceneKind::Bank: ObserveBank(scene, h); break;
      case SceneKind::Crowd: ObserveCrowd(scene, h); break;
    }
  }
  Remember(scene);
}

void SceneCheck::Decide() {
  CheckFigures& f = figures_;
  const bool first = f.bound_only ? f.measured <= f.predicted + f.tolerance
                                  : std::fabs(f.measured - f.predicted) <= f.tolerance;
  const bool second =
      !f.second_quantity || std::fabs(f.second_measured - f.second_predicted) <= f.second_tolerance;
  f.pass = first && second;
}

// Head-on and glancing. Equal masses m and the elastic impulse along n, the unit line of centres:
// J = -2u / (2/m) with u = (v_i - v_j).n, so v_i' = v_i - u n and, the target at rest, v_j' = u n.
// Head-on, v_i lies along n (both centres on the z axis, so n = (0, 0, 1) exactly): u n = v_i,
// the shooter keeps v_i - v_i = 0 and the target takes all of v_i. Glancing, whatever n:
// v_i'.v_j' = u (v_i.n) - u^2 (n.n) = u^2 - u^2 = 0, the two leave at right angles. The impact
// is the first iteration after which the target moves; the shooter's speed just before it is
// its speed after the previous iteration times the step's decay.
void SceneCheck::ObserveImpact(const Scene& scene, float h, bool glancing) {
  const RBSystem& bodies = scene.bodies_system;
  const Vec3& shooter = bodies.Body(0)->velocity;
  const Vec3& target = bodies.Body(1)->velocity;
  if (target.Length() <= kAtRest) return;
  figures_.measured_yet = true;
  figures_.complete = true;
  if (glancing) {
    const double dot = static_cast<double>(shooter.x) * target.x + static_cast<double>(shooter.y) * target.y +
                       static_cast<double>(shooter.z) * target.z;
    const double cross = Length(static_cast<double>(shooter.y) * target.z - static_cast<double>(shooter.z) * target.y,
                                static_cast<double>(shooter.z) * target.x - static_cast<double>(shooter.x) * target.z,
                                static_cast<double>(shooter.x) * target.y - static_cast<double>(shooter.y) * target.x);
    figures_.measured = kDegrees * std::atan2(cross, dot);
  } else {
    const double before = speed_[0] * StepDecay(h, coefficient_[0], bodies.use_rk4 != 0);
    figures_.measured = target.Length() / before;
    figures_.second_measured = shooter.Length() / before;
  }
  Decide();
}

// The cradle, as the model resolves it. Within one body-body pass the pairs are taken body by
// body in index order, each with the positions of that moment. The shooter (body 0) arrives at
// ball 1 and gives it all its velocity (the head-on law above) while ball 1 still stands 0.02
// from ball 2: nothing else touches in that pass. In the next step ball 1 travels v h (1.5 at
// the default step, more than the gap and less than a diameter) into ball 2; the pass backs it
// out along the line of centres and the head-on law hands its velocity to ball 2, which again
// stands clear of ball 3. So the velocity moves one ball per iteration, and the last ball (5)
// leaves four iterations after the first impact, carrying the shooter's speed at impact times
// four steps' decay, q^4, while balls 0 to 4 stand still. This holds while a step carries a
// ball further than the gap and less than a diameter (0.02 < v h < 1.98: steps from 0.0014 to
// 0.13 at speed 15); at the panel's largest step, 0.2, a ball travels 3 units, past the next
// ball's centre, and the chain and the check fail. A real cradle's balls touch and pass
// the shot through the row in one impact lasting microseconds; none travels.
void SceneCheck::ObserveCradle(const Scene& scene, float h) {
  const RBSystem& bodies = scene.bodies_system;
  const bool rk4 = bodies.use_rk4 != 0;
  if (impact_iteration_ < 0) {
    if (bodies.Body(1)->velocity.Length() <= kAtRest) return;
    impact_iteration_ = iterations_;
    speed_before_impact_ = speed_[0] * StepDecay(h, coefficient_[0], rk4);
    const double q = StepDecay(h, coefficient_[1], rk4);
    figures_.predicted = q * q * q * q;
  }
  const float last = bodies.Body(5)->velocity.Length();
  if (last <= kAtRest) return;
  figures_.measured_yet = true;
  figures_.complete = true;
  figures_.measured = last / speed_before_impact_;
  figures_.second_measured = static_cast<double>(iterations_ - impact_iteration_);
  float others = 0;
  for (uint32_t i = 0; i < 5; ++i) others = std::max(others, bodies.Body(i)->velocity.Length());
  Decide();
  // Balls 0 to 4 must be at rest as well.
  if (others > kSpeedTolerance * speed_before_impact_) figures_.pass = false;
}

// Slide-to-roll, as the model runs it (the law itself is derived in Begin). The step integrates
// |P| and |L| together, and d(|P| + |L|)/dt = 0: the torque adds to |L| what the force takes
// from |P|. Euler and RK4 keep such a linear invariant exactly, so after n steps |v| = v0 q^n
// and |omega| = 10 v0 (1 - q^n), with q the step's decay. The rule looks once per iteration, so
// it switches at the first n with q^n <= 10/11: the speed then lies in (10/11 q, 10/11] of the
// shot's, and the time n h within one step h of ln(1.1) / k (for Euler q = 1 - x < e^(-x) moves
// the switch earlier by at most t x / 2, a twentieth of a step at the default friction).
void SceneCheck::ObserveSwitch(const Scene& scene, float h) {
  const RBSystem& bodies = scene.bodies_system;
  const RigidBody& ball = *bodies.Body(0);
  const double q = StepDecay(h, coefficient_[0], bodies.use_rk4 != 0);
  figures_.tolerance = 10.0 / 11.0 * (1.0 - q);
  figures_.second_tolerance = h;
  if (!ball.IsRolling()) return;
  figures_.measured_yet = true;
  figures_.complete = true;
  figures_.measured = ball.velocity.Length() / shot_.speed;
  figures_.second_measured = bodies.time;
  Decide();
}

// Bank. The wall pass reverses the velocity's component along the wall's normal n with
// restitution 0.6 (v' = v - 1.6 (v.n) n) and keeps the tangential part t. Coming in at angle a
// from the normal, the ball leaves at atan(|t| / (0.6 |v.n|)) = atan(tan a / 0.6) with speed
// sqrt(t^2 + 0.36 (v.n)^2); at 45 degrees that is atan(1 / 0.6) = 59.036 degrees and
// sqrt(0.68) = 0.8246 of the speed. The friction of the step scales both parts alike. The
// bounce is the first iteration after which a velocity component has changed its sign; the
// normal is that component's axis (the box's walls are square to the axes).
void SceneCheck::ObserveBank(const Scene& scene, float h) {
  const RBSystem& bodies = scene.bodies_system;
  const Vec3& v = bodies.Body(0)->velocity;
  const double before[3] = {vx_[0], vy_[0], vz_[0]};
  const double after[3] = {v.x, v.y, v.z};
  int axis = -1;
  for (int a = 0; a < 3 && axis < 0; ++a) {
    if (before[a] * after[a] < 0) axis = a;
  }
  if (axis < 0) return;
  const double q = StepDecay(h, coefficient_[0], bodies.use_rk4 != 0);
  const double normal_in = q * std::fabs(before[axis]);
  const double speed_in = q * Length(before[0], before[1], before[2]);
  const double tangential_in = std::sqrt(std::max(0.0, speed_in * speed_in - normal_in * normal_in));
  const double normal_out = std::fabs(after[axis]);
  const double speed_out = Length(after[0], after[1], after[2]);
  const double tangential_out = std::sqrt(std::max(0.0, speed_out * speed_out - normal_out * normal_out));
  figures_.measured_yet = true;
  figures_.complete = true;
  figures_.predicted = kDegrees * std::atan2(tangential_in, 0.6 * normal_in);
  figures_.measured = kDegrees * std::atan2(tangential_out, normal_out);
  figures_.second_predicted =
      std::sqrt(tangential_in * tangential_in + 0.36 * normal_in * normal_in) / speed_in;
  figures_.second_measured = speed_out / speed_in;
  Decide();
}

// The crowd's bound, derived in Begin.
void SceneCheck::ObserveCrowd(const Scene& scene, float h) {
  const RBSystem& bodies = scene.bodies_system;
  const double energy = LinearKineticEnergy(bodies);
  const float smallest = *std::min_element(coefficient_.begin(), coefficient_.end());
  const double q = StepDecay(h, smallest, bodies.use_rk4 != 0);
  if (kinetic_energy_ > 0) {
    const double growth = energy / (q * q * kinetic_energy_) - 1.0;
    figures_.measured = figures_.measured_yet ? std::max(figures_.measured, growth) : growth;
    figures_.measured_yet = true;
  }
  kinetic_energy_ = energy;
  figures_.complete = iterations_ >= kCrowdCheckIterations;
  Decide();
}
