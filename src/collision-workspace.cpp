#include "collision-workspace.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "collision-mesh.h"
#include "rigid-body.h"

namespace {

void PoseOf(const RigidBody& body, float pose[7]) {
  const float values[7] = {body.position.x,      body.position.y,      body.position.z,     body.orientation.s,
                           body.orientation.v.x, body.orientation.v.y, body.orientation.v.z};
  std::memcpy(pose, values, sizeof values);
}

// The centre of a model's bounding ball, placed in the world: R c + T.
void PlacedCenter(const BoundingBall& ball, const Placement& p, double out[3]) {
  for (int r = 0; r < 3; ++r)
    out[r] = p.R[r][0] * ball.center[0] + p.R[r][1] * ball.center[1] + p.R[r][2] * ball.center[2] + p.T[r];
}

// True only when the two balls are so far apart that no triangle of one can touch a triangle of
// the other, even as the query's own rounding sees them. The placed centres carry rounding
// errors of a few units in the last place of the coordinates; the margin of a millionth of the
// coordinates' size exceeds them by ten orders of magnitude, and it exceeds the query's rounding
// of triangles that far apart just as well. Anything not finite never passes.
bool BallsApart(const CollisionMesh& a, const Placement& pa, const CollisionMesh& b, const Placement& pb) {
  double ca[3], cb[3];
  PlacedCenter(a.ball, pa, ca);
  PlacedCenter(b.ball, pb, cb);
  const double d[3] = {ca[0] - cb[0], ca[1] - cb[1], ca[2] - cb[2]};
  const double size = std::fabs(ca[0]) + std::fabs(ca[1]) + std::fabs(ca[2]) + std::fabs(cb[0]) + std::fabs(cb[1]) +
                      std::fabs(cb[2]) + a.ball.radius + b.ball.radius + 1.0;
  const double reach = a.ball.radius + b.ball.radius + 1e-6 * size;
  return d[0] * d[0] + d[1] * d[1] + d[2] * d[2] > reach * reach;
}

}  // namespace

void CollisionWorkspace::PrepareBodies(uint32_t body_count) {
  if (poses_.size() == body_count) return;
  poses_.assign(body_count, PoseMark());
  pair_memos_.assign(body_count, {});
  wall_memos_.assign(static_cast<size_t>(body_count) * environment_count_, WallMemo());
  candidates.reserve(body_count);
}

void CollisionWorkspace::PrepareEnvironment(uint32_t environment_count) {
  if (environment_count == environment_count_) return;
  environment_count_ = environment_count;
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

uint32_t CollisionWorkspace::PoseSerial(uint32_t i, const RigidBody& body) {
  PoseMark& mark = poses_[i];
  float pose[7];
  PoseOf(body, pose);
  // Bits, not values: -0 and 0, or two NaNs, may place a model differently.
  if (!mark.known || std::memcmp(pose, mark.pose, sizeof pose) != 0) {
    std::memcpy(mark.pose, pose, sizeof pose);
    mark.known = true;
    ++mark.serial;
  }
  return mark.serial;
}

QueryAnswer CollisionWorkspace::RunQuery(CQ_CollideResult& result, PassCounters& counters, const RigidBody& b1,
                                         const Placement& p1, const CQ_Model& m2, const Placement& p2) {
  CollideModels(&result, p1.R, p1.T, &b1.collision_model(), p2.R, p2.T, &m2, StopAtFirstContact);
  ++counters.queries;
  counters.box_visits += result.bv_test_count;
  QueryAnswer answer;
  answer.touching = result.HasContact();
  if (answer.touching) answer.first = result.pair_list[0];
  return answer;
}

QueryAnswer CollisionWorkspace::BodiesTouch(uint32_t i, const RigidBody& bi, const Placement& pi, uint32_t j,
                                            const RigidBody& bj, const Placement& pj) {
  const CollisionMesh& mi = bi.collision_mesh();
  const CollisionMesh& mj = bj.collision_mesh();
  if (shortcuts.skip_balls_apart && BallsApart(mi, pi, mj, pj)) {
    ++body_counters.skipped;
    return QueryAnswer();
  }

  const uint32_t si = PoseSerial(i, bi);
  const uint32_t sj = PoseSerial(j, bj);
  std::vector<PairMemo>& memos = pair_memos_[i];
  PairMemo* memo = nullptr;
  for (PairMemo& m : memos) {
    if (m.other == j) {
      memo = &m;
      break;
    }
  }
  if (shortcuts.replay && memo && memo->serial == si && memo->other_serial == sj && memo->mesh == mi.id &&
      memo->other_mesh == mj.id) {
    memo->pass = body_pass_;
    ++body_counters.replayed;
    return memo->answer;
  }

  const QueryAnswer answer = RunQuery(body_result_, body_counters, bi, pi, mj.model, pj);
  if (!memo) {
    memos.push_back(PairMemo());
    memo = &memos.back();
    memo->other = j;
  }
  memo->serial = si;
  memo->other_serial = sj;
  memo->mesh = mi.id;
  memo->other_mesh = mj.id;
  memo->pass = body_pass_;
  memo->answer = answer;
  return answer;
}

QueryAnswer CollisionWorkspace::TouchesEnvironment(uint32_t i, const RigidBody& body, const Placement& pi, uint32_t e,
                                                   const RigidBody& environment, const Placement& pe) {
  const CollisionMesh& mb = body.collision_mesh();
  const CollisionMesh& me = environment.collision_mesh();
  const uint32_t serial = PoseSerial(i, body);
  float environment_pose[7];
  PoseOf(environment, environment_pose);

  WallMemo& memo = wall_memos_[static_cast<size_t>(i) * environment_count_ + e];
  if (shortcuts.replay && memo.valid && memo.serial == serial && memo.mesh == mb.id && memo.environment_mesh == me.id &&
      std::memcmp(memo.environment_pose, environment_pose, sizeof environment_pose) == 0) {
    ++wall_counters.replayed;
    return memo.answer;
  }

  memo.answer = RunQuery(wall_result_, wall_counters, body, pi, me.model, pe);
  memo.valid = true;
  memo.serial = serial;
  memo.mesh = mb.id;
  memo.environment_mesh = me.id;
  std::memcpy(memo.environment_pose, environment_pose, sizeof environment_pose);
  return memo.answer;
}

const CQ_CollideResult& CollisionWorkspace::AllEnvironmentPairs(const RigidBody& body, const Placement& pi,
                                                                const RigidBody& environment, const Placement& pe) {
  const int every_pair = 0;
  CollideModels(&wall_result_, pi.R, pi.T, &body.collision_model(), pe.R, pe.T, &environment.collision_model(),
                every_pair);
  ++wall_counters.queries;
  wall_counters.box_visits += wall_result_.bv_test_count;
  return wall_result_;
}
