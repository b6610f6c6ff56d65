#pragma once
// The scene's complete state after each of the last iterations, so that a paused run can be
// looked at again iteration by iteration and continued from any of them. A state restored from
// here and run on gives, bit for bit, what the run gave from there: it holds everything an
// iteration reads (every body's 13 state floats, the fields derived from them and the ones the
// collision passes write, the flags, the friction forces' coefficients and lever arms, the
// simulated time and the contact flag), and what the overlay and the contact view show of it.
//
// The ring is bounded twice, by bytes and by count, and drops the oldest state first. Its slots
// are reserved when the first state of a scene is recorded, so recording allocates nothing after
// that (a contact record's lists grow to the most contacts their slot has held, then stay).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "contact-record.h"
#include "math/mat3.h"
#include "math/vec3.h"
#include "rigid-body.h"
#include "simulation-iteration.h"

struct Scene;

class StateHistory {
 public:
  static constexpr size_t kDefaultMaxBytes = size_t{64} << 20;
  // Ten minutes of iterations at sixty drawn frames a second, the demo's usual rate.
  static constexpr size_t kDefaultMaxStates = 10 * 60 * 60;

  explicit StateHistory(size_t max_bytes = kDefaultMaxBytes, size_t max_states = kDefaultMaxStates);

  // Forgets every state; the next Record starts a new run at iteration 0.
  void Clear();

  // Keeps the scene's state as the state after iteration Newest() + 1 (0 when empty), dropping the
  // oldest state when full, and shows it. stats: what that iteration measured; record, if given,
  // the contacts its passes found. A scene whose body count changed since the last Record
  // starts the history afresh.
  void Record(const Scene& scene, const IterationStats& stats, const ContactRecord* record);

  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }
  // How many states fit for the body count recorded last (0 before any).
  size_t capacity() const { return capacity_; }
  // Bytes one state takes for that body count, contact lists aside.
  size_t bytes_per_state() const { return bytes_per_state_; }
  uint64_t Oldest() const { return first_iteration_; }
  uint64_t Newest() const { return first_iteration_ + count_ - 1; }  // needs !empty()
  bool Holds(uint64_t iteration) const { return count_ > 0 && iteration >= Oldest() && iteration <= Newest(); }

  // The iteration the scene was last restored to or recorded at.
  uint64_t shown() const { return shown_; }
  // Whether the shown state is an earlier one than the newest.
  bool browsing() const { return count_ > 0 && shown_ != Newest(); }

  // Puts the state after `iteration` back into the scene (bodies, forces' coefficients, time)
  // and shows it; stats and record, if given, receive what that iteration measured and found.
  // The iteration must be held.
  void Restore(uint64_t iteration, Scene& scene, IterationStats* stats = nullptr, ContactRecord* record = nullptr);
  // The shown iteration moved by delta, kept within what is held; restores it as Restore does and
  // returns it. Nothing when empty.
  uint64_t Browse(long delta, Scene& scene, IterationStats* stats = nullptr, ContactRecord* record = nullptr);
  // Forgets every state after `iteration`, so that the run continues from it.
  void DropAfter(uint64_t iteration);

 private:
  // Everything of one body an iteration reads or a pass writes.
  struct BodyState {
    float state[BodyStateFloats];
    Mat3 rotation;
    Mat3 world_inverse_inertia;
    Vec3 velocity;
    Vec3 angular_velocity;
    Vec3 force;
    Vec3 torque;
    Vec3 lever_arm;  // of its sliding friction
    float slide_coefficient;
    float roll_coefficient;
    unsigned char rolling;
    unsigned char collided;
    unsigned char visited;
  };
  struct Slot {
    float time = 0;
    unsigned char collision_free = 1;
    IterationStats stats;
    bool has_record = false;
    ContactRecord record;
  };

  void Configure(uint32_t body_count);
  size_t SlotIndex(uint64_t iteration) const;

  size_t max_bytes_;
  size_t max_states_;
  uint32_t body_count_ = 0;
  size_t capacity_ = 0;
  size_t bytes_per_state_ = 0;
  std::vector<Slot> slots_;
  std::vector<BodyState> bodies_;  // capacity_ x body_count_, slot by slot
  size_t first_slot_ = 0;          // the oldest state's slot
  size_t count_ = 0;
  uint64_t first_iteration_ = 0;   // the oldest state's iteration
  uint64_t shown_ = 0;
};
