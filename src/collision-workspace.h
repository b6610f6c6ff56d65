#pragma once
// Everything the two collision passes of one system work with between steps: the broad-phase
// grid, the candidate list, one query result per pass, the memory of every pair's last answer,
// the counters of the last passes and, when a view asks for it, the record of the contacts they
// found. A system owns one (RBSystem::Workspace); the passes share nothing else, so two systems
// can run their passes independently.
//
// Queries answered once: a query whose inputs (both bodies' poses, both models, the flag) are bit
// for bit those of the same pair's previous query has the same answer, so it is replayed instead
// of run. Whether a body has moved is told by a serial number per body that changes whenever its
// position or orientation bits change; comparing two serials is all a replay costs.

#include <cstdint>
#include <vector>

#include "collision-grid.h"
#include "collision/cq.h"
#include "contact-bounds.h"
#include "contact-record.h"
#include "body-placement.h"

class RigidBody;
struct CollisionMesh;

// What a contact query tells the passes: whether the meshes touch, and the first pair found.
struct QueryAnswer {
  bool touching = false;
  CollidePair first = {-1, -1};  // (first model's triangle id, second model's) when touching
};

// What one pass did; reset at the start of the pass.
struct PassCounters {
  int queries = 0;           // collision queries run
  int replayed = 0;          // queries answered from the pair's previous, bit-identical query
  int skipped = 0;           // queries not run because a bounding ball showed the models apart
  long long box_visits = 0;  // bounding-volume pairs visited by the queries run
  int contacts = 0;          // touching body pairs, or body-wall contacts
  int longest_run = 0;       // most separation or backing iterations one contact took
};

class CollisionWorkspace {
 public:
  CollisionWorkspace() = default;
  CollisionWorkspace(const CollisionWorkspace&) = delete;
  CollisionWorkspace& operator=(const CollisionWorkspace&) = delete;

  // Does the mesh of body i touch the mesh of body j, each placed by its pose as it is now?
  // Skipped when their bounding balls are apart, replayed when the pair's previous query had the
  // same inputs, queried with StopAtFirstContact otherwise. i and j index the pass's own system.
  QueryAnswer BodiesTouch(uint32_t i, const RigidBody& bi, uint32_t j, const RigidBody& bj);
  // Does body i touch environment body e? Replayed as above; skipped when the body's ball is clear
  // of every triangle of a small environment model (the box has twelve); queried otherwise.
  QueryAnswer TouchesEnvironment(uint32_t i, const RigidBody& body, uint32_t e, const RigidBody& environment);
  // Every touching pair of body i and environment body e, for the rare contact whose first pair
  // has no usable normal. Runs a full query; the pairs are in the result until the next query.
  const CQ_CollideResult& AllEnvironmentPairs(uint32_t i, const RigidBody& body, uint32_t e,
                                              const RigidBody& environment);

  // Called by each pass as it begins: counters to zero, the record's part emptied.
  void BeginBodyPass(uint32_t body_count);
  void BeginWallPass(uint32_t body_count, uint32_t environment_count);

  // Both shortcuts give the answer the query would give, bit for bit; they can be switched off
  // to show just that, or to measure what they save.
  struct Shortcuts {
    bool replay = true;            // replay the answers of bit-identical queries
    bool skip_balls_apart = true;  // no query when a bounding ball shows the models apart
  } shortcuts;

  CollisionGrid grid;
  RBList candidates;  // the bodies examined for the current body
  PassCounters body_counters;
  PassCounters wall_counters;
  // Set by whoever wants to see the contacts (the demo's contact view); not owned. Null: nothing
  // is recorded and recording costs nothing.
  ContactRecord* record = nullptr;

 private:
  // Make room for the pass's bodies and environment bodies; every remembered answer is forgotten
  // when their number changes.
  void PrepareBodies(uint32_t body_count);
  void PrepareEnvironment(uint32_t environment_count);
  // What a body's pose gives the queries, kept until its position, orientation or mesh changes:
  // the placement, the bounding ball as placed, and a serial that changes with them.
  struct PoseMark {
    float pose[7];
    uint64_t mesh = 0;
    uint32_t serial = 0;
    bool known = false;
    BodyPlacement placement;
    PlacedBall ball;
  };
  // Body i's mark (environment body e's with EnvironmentMark), renewed first if its pose bits or
  // its mesh changed since it was last asked.
  const PoseMark& Mark(uint32_t i, const RigidBody& body);
  const PoseMark& EnvironmentMark(uint32_t e, const RigidBody& environment);
  static void Renew(PoseMark& mark, const RigidBody& body);
  QueryAnswer RunQuery(CQ_CollideResult& result, PassCounters& counters, const RigidBody& b1, const BodyPlacement& p1,
                       const CQ_Model& m2, const BodyPlacement& p2);

  // The answer of one pair's last query, kept with the lower-numbered body.
  struct PairMemo {
    uint32_t other;
    uint32_t serial;        // the lower body's pose serial at the query
    uint32_t other_serial;  // the other body's
    uint64_t mesh;          // the meshes' ids, in case a body's models were replaced
    uint64_t other_mesh;
    uint32_t pass;  // the body pass that last used it; older memos are dropped
    QueryAnswer answer;
  };
  struct WallMemo {
    bool valid = false;
    uint32_t serial;
    uint32_t environment_serial;
    uint64_t mesh;
    uint64_t environment_mesh;
    QueryAnswer answer;
  };

  CQ_CollideResult body_result_;
  CQ_CollideResult wall_result_;
  std::vector<PoseMark> poses_;
  std::vector<PoseMark> environment_poses_;
  std::vector<std::vector<PairMemo>> pair_memos_;  // indexed by the lower body
  std::vector<WallMemo> wall_memos_;               // indexed by body * environment count + e
  uint32_t environment_count_ = 0;
  uint32_t body_pass_ = 0;
};
