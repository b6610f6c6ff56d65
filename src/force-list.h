#pragma once
// The growable list that owns every Force of the program. Bodies refer to forces by their index
// in it. The list grows by whole chunks (default 100, as is the default size).

#include <cstdint>

#include "force.h"
#include "math/vec3.h"

class ForceList {
 public:
  // n = 0 means 100 slots, c = 0 a chunk of 100. All slots start null.
  explicit ForceList(int32_t n = 0, int32_t c = 0);
  // Destroys every force it holds, once.
  ~ForceList();
  ForceList(const ForceList&) = delete;
  ForceList& operator=(const ForceList&) = delete;

  // Takes ownership of the force and returns the new count: the force's index is that minus 1.
  int32_t Append(Force* force);

  // Destroys the force at idx and empties its slot, for a force that acts only for a while (the
  // demo's pull on a body). The other forces keep their indices: an earlier slot stays empty,
  // while removing the last appended force (and any empty slots before it) lowers the count, so
  // the next Append reuses the index. Bodies must have detached the index first. An idx that
  // holds no appended force stops the program.
  void Remove(int32_t idx);

  // Any slot below the size; beyond it the program stops with "idx < size".
  Force*& Element(int32_t idx);

  int32_t Count() const { return count; }
  int32_t Size() const { return size; }

 private:
  void Grow(int32_t m);

  int32_t count;
  int32_t size;
  int32_t chunk;
  Force** arrayPtr;
};

// The two friction laws against the surface below the bodies. Both are viscous: the force is
// (-coefficient * m * 9.8) * v, the weight scaling the velocity, not its direction alone.

// Acts at the contact point lever_arm from the centre, so it also turns the body.
class SlidingFriction : public Force {
 public:
  explicit SlidingFriction(float c) : coefficient(c) {}
  Vec3 ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) override;
  // lever_arm x F.
  Vec3 ComputeTorque(const RigidBody& body, const Vec3& force) override;
  void SetCoefficient(float value) { coefficient = value; }
  void SetLeverArm(const Vec3& arm) { lever_arm = arm; }

  float coefficient;
  Vec3 lever_arm;
};

// Acts through the centre: no torque, so it needs no lever arm.
class RollingResistance : public Force {
 public:
  explicit RollingResistance(float c) : coefficient(c) {}
  Vec3 ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) override;
  Vec3 ComputeTorque(const RigidBody& body, const Vec3& force) override;
  void SetCoefficient(float value) { coefficient = value; }

  float coefficient;
};
