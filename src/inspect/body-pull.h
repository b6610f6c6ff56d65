#pragma once
// Pulling one body of a system with a spring while the user holds it: the spring is appended to
// the system's force list and attached to the body for as long as the pull lasts, then detached
// and removed, so that afterwards the body feels exactly the forces it felt before.

#include <cstdint>

#include "math/vec3.h"

class RBSystem;
class SpringDamper;

class BodyPull {
 public:
  BodyPull() = default;
  ~BodyPull() { End(); }
  BodyPull(const BodyPull&) = delete;
  BodyPull& operator=(const BodyPull&) = delete;

  // Starts pulling body `body` of the system, held at the world point `grip` (a point on it),
  // towards `grip` itself until the target moves. A pull already under way ends first.
  void Begin(RBSystem& system, uint32_t body, const Vec3& grip);
  // The same with the held point given by its offset from the body's centre (world axes), as a
  // session keeps it; the target is the held point until it moves.
  void BeginAtOffset(RBSystem& system, uint32_t body, const Vec3& grip_offset);
  // Where the held point is pulled to, world coordinates. Nothing when no pull is under way.
  void MoveTarget(const Vec3& target);
  // Detaches the spring from the body and removes it from the force list; nothing when no pull
  // is under way.
  void End();

  bool active() const { return spring_ != nullptr; }
  uint32_t body() const { return body_; }
  // The held point, where it is now, and the target it is pulled to (world coordinates).
  Vec3 HeldPoint() const;
  Vec3 Target() const;
  // The held point's offset from the body's centre, world axes; nothing when no pull is under way.
  Vec3 GripOffset() const;
  // How many pulls have begun, so that a watcher can tell a new pull from the one it saw.
  uint64_t pulls_begun() const { return pulls_begun_; }

 private:
  RBSystem* system_ = nullptr;
  uint32_t body_ = 0;
  int32_t force_id_ = -1;
  uint64_t pulls_begun_ = 0;
  SpringDamper* spring_ = nullptr;  // owned by the system's force list while the pull lasts
};
