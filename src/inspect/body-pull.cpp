#include "inspect/body-pull.h"

#include "base/assertion.h"
#include "force-list.h"
#include "rb-system.h"
#include "inspect/spring-damper.h"

void BodyPull::Begin(RBSystem& system, uint32_t body, const Vec3& grip) {
  QUORVEL_ASSERT(body < system.BodyCount());
  BeginAtOffset(system, body, grip - system.Body(body)->position);
  spring_->target = grip;
}

void BodyPull::BeginAtOffset(RBSystem& system, uint32_t body, const Vec3& grip_offset) {
  End();
  QUORVEL_ASSERT(body < system.BodyCount());
  QUORVEL_ASSERT(system.force_list != nullptr);
  RigidBody& held = *system.Body(body);
  auto* spring = new SpringDamper();
  spring->grip_offset = grip_offset;
  spring->target = held.position + grip_offset;
  ++pulls_begun_;
  force_id_ = system.force_list->Append(spring) - 1;
  held.AttachForce(force_id_);
  system_ = &system;
  body_ = body;
  spring_ = spring;
}

void BodyPull::MoveTarget(const Vec3& target) {
  if (spring_) spring_->target = target;
}

void BodyPull::End() {
  if (!spring_) return;
  // The body count cannot have changed under a pull: the demo never rebuilds its bodies.
  QUORVEL_ASSERT(body_ < system_->BodyCount());
  const bool attached = system_->Body(body_)->DetachForce(force_id_);
  QUORVEL_ASSERT(attached);
  system_->force_list->Remove(force_id_);
  spring_ = nullptr;
  system_ = nullptr;
  force_id_ = -1;
}

Vec3 BodyPull::HeldPoint() const {
  if (!spring_) return Vec3();
  return system_->Body(body_)->position + spring_->grip_offset;
}

Vec3 BodyPull::Target() const { return spring_ ? spring_->target : Vec3(); }

Vec3 BodyPull::GripOffset() const { return spring_ ? spring_->grip_offset : Vec3(); }
