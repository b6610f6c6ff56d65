#include "force-list.h"

#include <new>

#include "base/assertion.h"

ForceList::ForceList(int32_t n, int32_t c)
    : count(0), size(n == 0 ? 100 : n), chunk(c == 0 ? 100 : c) {
  QUORVEL_ASSERT(size > 0);
  QUORVEL_ASSERT(chunk > 0);
  arrayPtr = new (std::nothrow) Force*[size]();
  QUORVEL_ASSERT(arrayPtr != 0);
}

ForceList::~ForceList() {
  for (int32_t i = 0; i < size; ++i) delete arrayPtr[i];
  delete[] arrayPtr;
}

int32_t ForceList::Append(Force* force) {
  if (count >= size) Grow(count);
  arrayPtr[count] = force;
  return ++count;
}

void ForceList::Remove(int32_t idx) {
  QUORVEL_ASSERT(idx >= 0 && idx < count);
  QUORVEL_ASSERT(arrayPtr[idx] != nullptr);
  delete arrayPtr[idx];
  arrayPtr[idx] = nullptr;
  while (count > 0 && arrayPtr[count - 1] == nullptr) --count;
}

Force*& ForceList::Element(int32_t idx) {
  QUORVEL_ASSERT(idx < size);
  QUORVEL_ASSERT(idx >= 0);
  return arrayPtr[idx];
}

// Grows by whole chunks to the smallest size not below m (one chunk when m equals the size).
void ForceList::Grow(int32_t m) {
  int32_t k = 1;
  while (size + k * chunk < m) ++k;
  const int32_t grown = size + k * chunk;
  Force** tmpPtr = new (std::nothrow) Force*[grown]();
  QUORVEL_ASSERT(tmpPtr != 0);
  for (int32_t i = 0; i < size; ++i) tmpPtr[i] = arrayPtr[i];
  delete[] arrayPtr;
  arrayPtr = tmpPtr;
  size = grown;
}

namespace {
// The scalar is formed first, then scales each component of the velocity.
Vec3 ViscousFriction(float coefficient, float mass, const Vec3& velocity) {
  const float k = -coefficient * mass * 9.8f;
  return k * velocity;
}
}  // namespace

Vec3 SlidingFriction::ComputeForce(float mass, const RigidBody&, const Vec3& velocity) {
  return ViscousFriction(coefficient, mass, velocity);
}

Vec3 SlidingFriction::ComputeTorque(const RigidBody&, const Vec3& force) { return Cross(lever_arm, force); }

Vec3 RollingResistance::ComputeForce(float mass, const RigidBody&, const Vec3& velocity) {
  return ViscousFriction(coefficient, mass, velocity);
}

Vec3 RollingResistance::ComputeTorque(const RigidBody&, const Vec3&) { return Vec3(); }
