#include "inspect/state-history.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

#include "base/assertion.h"
#include "scene.h"

namespace {

// The ring's memory is touched for the first time as it fills, a page at every other state: with
// the system's small pages that fault costs more than the copy of the state itself. Large pages
// (where the system gives them) fault once per 2 MB instead. Only a hint: without them nothing
// changes but the cost.
void AskForLargePages(void* start, size_t bytes) {
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  const uintptr_t first = (reinterpret_cast<uintptr_t>(start) + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) & ~(kLargePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace

StateHistory::StateHistory(size_t max_bytes, size_t max_states) : max_bytes_(max_bytes), max_states_(max_states) {
  QUORVEL_ASSERT(max_states_ > 0);
}

void StateHistory::Clear() {
  count_ = 0;
  first_slot_ = 0;
  first_iteration_ = 0;
  shown_ = 0;
}

void StateHistory::Configure(uint32_t body_count) {
  Clear();
  body_count_ = body_count;
  bytes_per_state_ = sizeof(Slot) + body_count * sizeof(BodyState);
  capacity_ = std::max<size_t>(1, std::min(max_states_, max_bytes_ / bytes_per_state_));
  // Reserved, not filled: the pages are touched only as states arrive, and nothing is allocated
  // once the ring has come round.
  slots_.clear();
  slots_.shrink_to_fit();
  bodies_.clear();
  bodies_.shrink_to_fit();
  slots_.reserve(capacity_);
  bodies_.reserve(capacity_ * body_count);
  AskForLargePages(bodies_.data(), bodies_.capacity() * sizeof(BodyState));
  AskForLargePages(slots_.data(), slots_.capacity() * sizeof(Slot));
}

size_t StateHistory::SlotIndex(uint64_t iteration) const {
  QUORVEL_ASSERT(Holds(iteration));
  return (first_slot_ + static_cast<size_t>(iteration - first_iteration_)) % capacity_;
}

void StateHistory::Record(const Scene& scene, const IterationStats& stats, const ContactRecord* record) {
  const RBSystem& system = scene.bodies_system;
  if (capacity_ == 0 || system.BodyCount() != body_count_) Configure(system.BodyCount());
  const uint64_t iteration = count_ == 0 ? 0 : Newest() + 1;
  if (count_ == capacity_) {  // the oldest goes
    first_slot_ = (first_slot_ + 1) % capacity_;
    ++first_iteration_;
    --count_;
  }
  if (count_ == 0) first_iteration_ = iteration;
  const size_t index = (first_slot_ + count_) % capacity_;
  if (index == slots_.size()) {  // still filling the reserved room
    slots_.emplace_back();
    bodies_.resize(bodies_.size() + body_count_);
  }
  ++count_;

  Slot& slot = slots_[index];
  slot.time = system.time;
  slot.collision_free = system.collision_free;
  slot.stats = stats;
  slot.has_record = record != nullptr;
  if (record) {
    // assign keeps the lists' room, so a slot reused with as many contacts allocates nothing.
    slot.record.touching.assign(record->touching.begin(), record->touching.end());
    slot.record.walls.assign(record->walls.begin(), record->walls.end());
  }
  BodyState* out = &bodies_[index * body_count_];
  for (uint32_t i = 0; i < body_count_; ++i) {
    const RigidBody& body = *system.Body(i);
    BodyState& b = out[i];
    body.GetState(b.state);
    b.rotation = body.rotation;
    b.world_inverse_inertia = body.world_inverse_inertia;
    b.velocity = body.velocity;
    b.angular_velocity = body.angular_velocity;
    b.force = body.force;
    b.torque = body.torque;
    b.lever_arm = scene.sliding_forces[i]->lever_arm;
    b.slide_coefficient = scene.sliding_forces[i]->coefficient;
    b.roll_coefficient = scene.rolling_forces[i]->coefficient;
    b.rolling = body.rolling;
    b.collided = body.render_model.IsCollided();
    b.visited = body.visited;
  }
  shown_ = iteration;
}

void StateHistory::Restore(uint64_t iteration, Scene& scene, IterationStats* stats, ContactRecord* record) {
  RBSystem& system = scene.bodies_system;
  QUORVEL_ASSERT(system.BodyCount() == body_count_);
  const size_t index = SlotIndex(iteration);
  const Slot& slot = slots_[index];
  system.time = slot.time;
  system.collision_free = slot.collision_free;
  if (stats) *stats = slot.stats;
  if (record) {
    record->Clear();
    if (slot.has_record) {
      record->touching.assign(slot.record.touching.begin(), slot.record.touching.end());
      record->walls.assign(slot.record.walls.begin(), slot.record.walls.end());
    }
  }
  const BodyState* in = &bodies_[index * body_count_];
  for (uint32_t i = 0; i < body_count_; ++i) {
    RigidBody& body = *system.Body(i);
    const BodyState& b = in[i];
    body.SetState(b.state);
    body.rotation = b.rotation;
    body.world_inverse_inertia = b.world_inverse_inertia;
    body.velocity = b.velocity;
    body.angular_velocity = b.angular_velocity;
    body.force = b.force;
    body.torque = b.torque;
    scene.sliding_forces[i]->lever_arm = b.lever_arm;
    scene.sliding_forces[i]->coefficient = b.slide_coefficient;
    scene.rolling_forces[i]->coefficient = b.roll_coefficient;
    body.rolling = b.rolling;
    if (b.collided)
      body.render_model.MarkCollided();
    else
      body.render_model.ClearCollided();
    body.visited = b.visited;
  }
  shown_ = iteration;
}

uint64_t StateHistory::Browse(long delta, Scene& scene, IterationStats* stats, ContactRecord* record) {
  if (count_ == 0) return 0;
  const long long wanted = static_cast<long long>(shown_) + delta;
  const long long lowest = static_cast<long long>(Oldest());
  const long long highest = static_cast<long long>(Newest());
  const uint64_t target = static_cast<uint64_t>(std::min(highest, std::max(lowest, wanted)));
  Restore(target, scene, stats, record);
  return target;
}

void StateHistory::DropAfter(uint64_t iteration) {
  if (count_ == 0 || iteration >= Newest()) return;
  QUORVEL_ASSERT(iteration >= Oldest());
  count_ = static_cast<size_t>(iteration - first_iteration_) + 1;
  if (shown_ > iteration) shown_ = iteration;
}
