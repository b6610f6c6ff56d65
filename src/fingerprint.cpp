#include "fingerprint.h"

#include <cstddef>

#include "rb-system.h"

namespace {

// FNV-1a over the bytes of each value: cheap, and any flipped bit changes the result.
class Fnv1a {
 public:
  void Add(const void* data, size_t bytes) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t k = 0; k < bytes; ++k) hash_ = (hash_ ^ p[k]) * 0x100000001b3ULL;
  }
  void Add(float value) { Add(&value, sizeof value); }
  void Add(const Vec3& v) {
    Add(v.x);
    Add(v.y);
    Add(v.z);
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace

uint64_t StateFingerprint(RBSystem& system) {
  Fnv1a hash;
  const uint32_t count = system.BodyCount();
  hash.Add(&count, sizeof count);
  for (uint32_t i = 0; i < count; ++i) {
    RigidBody& body = *system.Body(i);
    float state[BodyStateFloats];
    body.GetState(state);
    hash.Add(state, sizeof state);
    hash.Add(body.velocity);
    hash.Add(body.angular_velocity);
    const unsigned char flags[2] = {static_cast<unsigned char>(body.IsRolling()),
                                    static_cast<unsigned char>(body.render_model.IsCollided())};
    hash.Add(flags, sizeof flags);
  }
  hash.Add(system.time);
  hash.Add(&system.collision_free, sizeof system.collision_free);
  return hash.Value();
}
