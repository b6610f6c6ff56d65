#pragma once
// How long a body stays highlighted after touching something: the collision passes flag a body
// for one iteration only, which lasts a few milliseconds on screen. This keeps, per body, the
// wall time of its last contact, so that the highlight can fade over a fixed wall time instead.

#include <cstdint>
#include <vector>

class RBSystem;

class ContactFade {
 public:
  // Wall seconds from a contact until the highlight is gone.
  static constexpr double kSeconds = 0.3;

  // After an iteration: every body of the system whose collided flag is set touched at `now`.
  void Note(const RBSystem& system, double now);

  // 1 at the wall time of the body's last contact, falling linearly to 0 kSeconds later; 0 for a
  // body that never touched since the last Forget (or is not known).
  float Strength(uint32_t body, double now) const;

  void Forget() { last_contact_.clear(); }

 private:
  std::vector<double> last_contact_;  // wall time, per body
};
