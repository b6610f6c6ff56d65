#include "collision-workspace.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "collision-mesh.h"
#include "contact-bounds.h"
#include "rigid-body.h"

namespace {

void PoseOf(const RigidBody& body, float pose[7]) {
  const float values[7] = {body.position.x,      body.position.y,      body.position.z,     body.orientation.s,
                           body.orientation.v.x, body.orientation.v.y, body.orientation.v.z};
  std::memcpy(pose, values, sizeof values);
}

}  // namespace

// Bits, not values: -0 and 0, or two NaNs, may place a model differently.
void CollisionWorkspace::Renew(PoseMark& mark, const RigidBody& body) {
  float pose[7];
  PoseOf(body, pose);
  const CollisionMesh& mesh = body.collision_mesh();
  if (mark.known && mark.mesh == mesh.id && std::memcmp(pose, mark.pose, sizeof pose) == 0) return;
  std::memcpy(mark.pose, pose, sizeof pose);
  mark.mesh = mesh.id;
  mark.known = true;
  ++mark.serial;
  mark.placement = BodyPlacement(body.orientation, body.position);
  const BodyPlacement& p = mark.placement;
  const double* c = mesh.ball.center;
  PlacedBall& ball = mark.ball;
  for (int r = 0; r < 3; ++r) ball.center[r] = p.R[r][0] * c[0] + p.R[r][1] * c[1] + p.R[r][2] * c[2] + p.T[r];
  ball.radius = mesh.ball.radius;
  ball.offset = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  ball.rotation_error = RotationError(p.R);
}

void CollisionWorkspace::PrepareBodies(uint32_t body_count) {
  if (poses_.size() == body_count) return;
  poses_.assign(body_count, PoseMark());
  pair_memos_.assign(body_count, {});
  wall_memos_.assign(static_cast<size_t>(body_count) * environment_count_, WallMemo());
  candidates.Reserve(body_count);
}

void CollisionWorkspace::PrepareEnvironment(uint32_t environment_count) {
  if (environment_count == environment_count_) return;
  environment_count_ = environment_count;
  environment_poses_.assign(environment_count, PoseMark());
  wall_memos_.assign(poses_.size() * environment_count, WallMemo());
}

void CollisionWorkspace::BeginBodyPass(uint32_t body_count) {
  PrepareBodies(body_count);
  body_counters = PassCounters();
  ++body_pass_;
  // Memos of pairs that were not even candidates in the last pass are dropped: the lists stay as
  // short as the bodies' neighbourhoods, and a pair far apart seldom has its old inputs again.
  for (std::vector<PairMemo>& memos : pair_memos_) {
    memos.erase(std::remove_if(memos.begin(), memos.end(),
                               [this](const PairMemo& m) { return m.pass + 1 < body_pass_; }),
                memos.end());
  }
  if (record) record->touching.clear();
}

void CollisionWorkspace::BeginWallPass(uint32_t body_count, uint32_t environment_count) {
  PrepareBodies(body_count);
  PrepareEnvironment(environment_count);
  wall_counters = PassCounters();
  if (record) record->walls.clear();
}

const CollisionWorkspace::PoseMark& CollisionWorkspace::Mark(uint32_t i, const RigidBody& body) {
  Renew(poses_[i], body);
  return poses_[i];
}

const CollisionWorkspace::PoseMark& CollisionWorkspace::EnvironmentMark(uint32_t e, const RigidBody& environment) {
  Renew(environment_poses_[e], environment);
  return environment_poses_[e];
}

QueryAnswer CollisionWorkspace::RunQuery(CQ_CollideResult& result, PassCounters& counters, const RigidBody& b1,
                                         const BodyPlacement& p1, const CQ_Model& m2, const BodyPlacement& p2) {
  CollideModels(&result, p1.R, p1.T, &b1.collision_model(), p2.R, p2.T, &m2, StopAtFirstContact);
  ++counters.queries;
  counters.box_visits += result.bv_test_count;
  QueryAnswer answer;
  answer.touching = result.HasContact();
  if (answer.touching) answer.first = result.pair_list[0];
  return answer;
}

QueryAnswer CollisionWorkspace::BodiesTouch(uint32_t i, const RigidBody& bi, uint32_t j, const RigidBody& bj) {
  const CollisionMesh& mi = bi.collision_mesh();
  const CollisionMesh& mj = bj.collision_mesh();
  const PoseMark& ki = Mark(i, bi);
  const PoseMark& kj = Mark(j, bj);
  if (shortcuts.skip_balls_apart && BallsApart(ki.ball, kj.ball)) {
    ++body_counters.skipped;
    return QueryAnswer();
  }

  std::vector<PairMemo>& memos = pair_memos_[i];
  PairMemo* memo = nullptr;
  for (PairMemo& m : memos) {
    if (m.other == j) {
      memo = &m;
      break;
    }
  }
  if (shortcuts.replay && memo && memo->serial == ki.serial && memo->other_serial == kj.serial &&
      memo->mesh == mi.id && memo->other_mesh == mj.id) {
    memo->pass = body_pass_;
    ++body_counters.replayed;
    return memo->answer;
  }

  const QueryAnswer answer = RunQuery(body_result_, body_counters, bi, ki.placement, mj.model, kj.placement);
  if (!memo) {
    memos.push_back(PairMemo());
    memo = &memos.back();
    memo->other = j;
  }
  memo->serial = ki.serial;
  memo->other_serial = kj.serial;
  memo->mesh = mi.id;
  memo->other_mesh = mj.id;
  memo->pass = body_pass_;
  memo->answer = answer;
  return answer;
}

QueryAnswer CollisionWorkspace::TouchesEnvironment(uint32_t i, const RigidBody& body, uint32_t e,
                                                   const RigidBody& environment) {
  const CollisionMesh& mb = body.collision_mesh();
  const CollisionMesh& me = environment.collision_mesh();
  const PoseMark& kb = Mark(i, body);
  const PoseMark& ke = EnvironmentMark(e, environment);

  WallMemo& memo = wall_memos_[static_cast<size_t>(i) * environment_count_ + e];
  if (shortcuts.replay && memo.valid && memo.serial == kb.serial && memo.environment_serial == ke.serial &&
      memo.mesh == mb.id && memo.environment_mesh == me.id) {
    ++wall_counters.replayed;
    return memo.answer;
  }
  // A skip is remembered like an answer: a body at rest is checked once, not in every pass.
  if (shortcuts.skip_balls_apart &&
      BallClearOfTriangles(mb.ball.center, mb.ball.radius, kb.placement, me.model, ke.placement)) {
    ++wall_counters.skipped;
    memo.answer = QueryAnswer();
  } else {
    memo.answer = RunQuery(wall_result_, wall_counters, body, kb.placement, me.model, ke.placement);
  }
  memo.valid = true;
  memo.serial = kb.serial;
  memo.environment_serial = ke.serial;
  memo.mesh = mb.id;
  memo.environment_mesh = me.id;
  return memo.answer;
}

const CQ_CollideResult& CollisionWorkspace::AllEnvironmentPairs(uint32_t i, const RigidBody& body, uint32_t e,
                                                                const RigidBody& environment) {
  const BodyPlacement& pi = Mark(i, body).placement;
  const BodyPlacement& pe = EnvironmentMark(e, environment).placement;
  const int every_pair = 0;
  CollideModels(&wall_result_, pi.R, pi.T, &body.collision_model(), pe.R, pe.T, &environment.collision_model(),
                every_pair);
  ++wall_counters.queries;
  wall_counters.box_visits += wall_result_.bv_test_count;
  return wall_result_;
}
