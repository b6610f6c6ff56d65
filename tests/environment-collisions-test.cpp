#include <gtest/gtest.h>

#include <cmath>

#include "body-fixture.h"
#include "collision-workspace.h"
#include "test-files.h"

namespace {

struct Wall {
  const char* name;
  Vec3 position;  // a ball here overlaps the wall by 0.04
  Vec3 normal;    // world direction into the wall
};

// The six faces of the demo's own box, placed as the scene places it. Away from the floor, so
// that backing out touches nothing else.
const Wall kWalls[] = {
    {"x = +15", {14.05f, 4.5f, 0}, {1, 0, 0}},  {"x = -15", {-14.05f, 4.5f, 0}, {-1, 0, 0}},
    {"z = +20", {0, 4.5f, 19.05f}, {0, 0, 1}},  {"z = -20", {0, 4.5f, -19.05f}, {0, 0, -1}},
    {"floor", {0, -0.05f, 0}, {0, -1, 0}},   {"ceiling", {0, 9.05f, 0}, {0, 1, 0}},
};

}  // namespace

// A ball driven into each face leaves with its normal velocity reversed and scaled by 0.6, its
// other components unchanged; this also checks the winding the mesh file stores.
TEST(EnvironmentCollisions, EveryFaceBouncesWithRestitutionSixTenths) {
  Box box;
  Bodies ball(1);
  for (const Wall& wall : kWalls) {
    const Vec3 tangent = Cross(wall.normal, Vec3(0.3f, 0.5f, 0.7f));
    const Vec3 velocity = 2.0f * wall.normal + tangent;
    ball.Place(0, wall.position, velocity, Vec3(0, 0.5f, 0));
    ball[0].render_model.ClearCollided();
    ball.system.collision_free = 1;
    ball.system.ResolveEnvironmentCollisions(box.system);
    const Vec3 v = ball[0].velocity;
    EXPECT_NEAR(Dot(v, wall.normal), -1.2f, 1e-5f) << wall.name;
    const Vec3 along = v - Dot(v, wall.normal) * wall.normal;
    EXPECT_NEAR((along - tangent).Length(), 0.0f, 1e-5f) << wall.name;
    EXPECT_NEAR(ball[0].linear_momentum.Length(), 10.0f * v.Length(), 1e-4f) << wall.name;
    EXPECT_NEAR(ball[0].angular_momentum.Length(), 0.5f, 1e-5f) << wall.name << ": a sliding ball keeps |L|";
    EXPECT_EQ(ball.system.collision_free, 0) << wall.name;
    EXPECT_TRUE(ball[0].render_model.IsCollided()) << wall.name;
    EXPECT_LT(Dot(ball[0].position - wall.position, wall.normal), 0.0f) << wall.name << ": backed out";
    // Backed out along its own velocity by 2 % of it per step, and no farther than the first
    // step that frees it: one step less and it still touches the wall.
    const Vec3 backed = wall.position - ball[0].position;
    const float steps = backed.Length() / (0.02f * velocity.Length());
    EXPECT_NEAR(Cross(backed, velocity).Length(), 0.0f, 1e-5f) << wall.name << ": along the velocity";
    EXPECT_NEAR(steps, std::round(steps), 1e-3f) << wall.name;
    RigidBody& walls = *box.system.Body(0);
    EXPECT_FALSE(TouchAt(ball[0], ball[0].position, walls, walls.position)) << wall.name;
    EXPECT_TRUE(TouchAt(ball[0], ball[0].position + 0.02f * velocity, walls, walls.position)) << wall.name;
  }
}

// Touching a wall while moving away from it (pushed there by another ball, say): backing along
// the velocity would drive the ball through the wall and out of the box, so it is moved off the
// wall instead; its motion is left alone and it is flagged.
TEST(EnvironmentCollisions, MovingAwayIsMovedOffTheWallNotThroughIt) {
  Box box;
  Bodies ball(1);
  for (float speed : {0.5f, 3.0f, 40.0f}) {
    ball.Place(0, Vec3(14.05f, 4.5f, 0), Vec3(-speed, 0, 0.5f), Vec3(0, 0, 2));
    ball.system.ResolveEnvironmentCollisions(box.system);
    EXPECT_EQ(ball[0].velocity.x, -speed);
    EXPECT_EQ(ball[0].velocity.z, 0.5f);
    EXPECT_EQ(ball[0].angular_momentum.z, 2.0f);
    EXPECT_TRUE(ball[0].render_model.IsCollided());
    EXPECT_LT(ball[0].position.x, 14.05f) << speed;
    EXPECT_GT(ball[0].position.x, 13.9f) << speed;
  }
}

TEST(EnvironmentCollisions, RollingBallsSpinAtSixTenthsOfTheirNewSpeed) {
  Box box;
  Bodies ball(1);
  ball.Place(0, Vec3(0, 0, 19.05f), Vec3(0, 0, 3), Vec3(4, 0, 0));
  ball[0].SetRolling();
  ball.system.ResolveEnvironmentCollisions(box.system);
  ASSERT_NEAR(ball[0].velocity.z, -1.8f, 1e-5f);
  EXPECT_NEAR(ball[0].angular_momentum.Length(), 0.6f * 1.8f, 1e-5f);
  EXPECT_NEAR(ball[0].angular_momentum.x, -1.08f, 1e-5f) << "about (v.z, 0, -v.x) made unit";
  EXPECT_NEAR(ball[0].angular_velocity.x, -1.08f, 1e-5f);
}

// A ball at rest against a wall, or sliding along it, cannot be backed out along its velocity;
// it is moved off the wall instead, so the next pass finds no contact.
TEST(EnvironmentCollisions, BallsThatVelocityCannotFreeAreMovedOffTheWall) {
  Box box;
  Bodies ball(1);
  const struct {
    Vec3 position, velocity;
  } cases[] = {{{0, -0.05f, 0}, {0, 0, 0}}, {{14.05f, 0, 0}, {0, 0, 2}}, {{-14.5f, 0, 19.5f}, {0, 0, 0}}};
  for (const auto& c : cases) {
    ball.Place(0, c.position, c.velocity);
    ball.system.ResolveEnvironmentCollisions(box.system);
    EXPECT_EQ(ball.system.collision_free, 0);
    EXPECT_EQ(ball[0].velocity.Length(), c.velocity.Length()) << "no bounce without motion into a wall";
    ball.system.collision_free = 1;
    ball.system.ResolveEnvironmentCollisions(box.system);
    EXPECT_EQ(ball.system.collision_free, 1) << c.position.x << " " << c.position.y << " " << c.position.z;
    EXPECT_LT(ball[0].position.y, 0.1f) << "moved by a few hundredths, not thrown across the box";
  }
}

TEST(EnvironmentCollisions, BallsInsideTheBoxTouchNothing) {
  Box box;
  Bodies balls(3);
  balls.Place(0, Vec3(0, 0, 0), Vec3(5, 0, 5));
  balls.Place(1, Vec3(13.9f, 0, 18.9f), Vec3(1, 0, 1));
  balls.Place(2, Vec3(-13.9f, 8.9f, -18.9f), Vec3(-1, 1, -1));
  balls.system.ResolveEnvironmentCollisions(box.system);
  EXPECT_EQ(balls.system.collision_free, 1);
  EXPECT_EQ(balls[1].velocity.x, 1.0f);
}

// A floor with a zero-area triangle (three points on one line, so no normal) lying across the
// ball's contact: alone, it gives the ball no direction to go, and the pass must give up at once
// instead of stepping a thousand times along a zero normal; beside a proper floor triangle, that
// triangle's normal is used for backing out and for the bounce, whichever the query finds first.
TEST(EnvironmentCollisions, ZeroAreaWallTrianglesAreHandledCheaply) {
  const char* segment = "-5 -1 0.1  5 -1 0.1  0 -1 0.1\n";
  const char* floor = "-10 -1 -10  10 -1 -10  0 -1 10\n";  // stored normal (0, -1, 0): down
  // Out of the ball's reach: the loaders refuse a mesh whose only triangle has no area.
  const char* far_away = "100 50 100  101 50 100  100 50 101\n";
  for (bool with_floor : {false, true}) {
    const std::string text = std::string("2\n") + segment + (with_floor ? floor : far_away);
    ForceList forces(10, 10);
    RBSystem environment(1, &forces);
    environment.Body(0)->LoadModels(WriteTempFile("zero-area.tris", text).c_str(), 1.0f);
    Bodies ball(1);
    ball.Place(0, Vec3(0, -0.02f, 0), Vec3(0, -1, 0));
    ball.system.ResolveEnvironmentCollisions(environment);
    const PassCounters& counters = ball.system.Workspace().wall_counters;
    EXPECT_EQ(ball.system.collision_free, 0) << with_floor;
    EXPECT_EQ(counters.contacts, 1) << with_floor;
    if (!with_floor) {
      EXPECT_EQ(counters.longest_run, 0) << "no direction to go: given up at once";
      EXPECT_LE(counters.queries + counters.replayed, 5);
      EXPECT_EQ(ball[0].position.y, -0.02f) << "not moved without a normal";
      EXPECT_EQ(ball[0].velocity.y, -1.0f);
    } else {
      EXPECT_NEAR(ball[0].velocity.y, 0.6f, 1e-6f) << "bounced off the proper triangle";
      ball.system.ResolveEnvironmentCollisions(environment);
      EXPECT_EQ(counters.contacts, 0) << "backed out of both triangles";
    }
  }
}

// The bounce needs the ball to move along the touched triangle's stored normal faster than
// 0.00001: a thousandth of that speed either side decides it. With a bounce the normal
// component turns to -0.6 of itself and the spin is re-aimed across the new motion; without
// one the ball keeps both, though it is still moved off the wall and flagged.
TEST(EnvironmentCollisions, BounceOnlyWhenMovingIntoTheWallFasterThanTheThreshold) {
  Box box;
  Bodies ball(1);
  for (float w : {1.001e-5f, 0.999e-5f}) {
    ball.Place(0, Vec3(14.05f, 4.5f, 0), Vec3(w, 0, 0.5f), Vec3(0, 0.7f, 0));
    ball.system.collision_free = 1;
    ball.system.ResolveEnvironmentCollisions(box.system);
    EXPECT_EQ(ball.system.collision_free, 0) << w;
    EXPECT_TRUE(ball[0].render_model.IsCollided()) << w;
    const bool bounce = w > 1e-5f;
    EXPECT_NEAR(ball[0].velocity.x, bounce ? -0.6f * w : w, 1e-12f) << w;
    EXPECT_EQ(ball[0].velocity.z, 0.5f) << w;
    EXPECT_NEAR(ball[0].angular_momentum.x, bounce ? 0.7f : 0.0f, 1e-6f) << w;
    EXPECT_NEAR(ball[0].angular_momentum.y, bounce ? 0.0f : 0.7f, 1e-6f) << w;
    EXPECT_LT(ball[0].position.x, 14.05f) << w;
  }
}

// A remembered answer belongs to both poses: a ball that has not moved is queried again when
// the environment has, and finds the wall that came to it.
TEST(EnvironmentCollisions, AMovedEnvironmentIsQueriedAgain) {
  Box box;
  Bodies ball(1);
  ball.Place(0, Vec3(13.5f, 4.5f, 0), Vec3(0.5f, 0, 0));
  ball.system.ResolveEnvironmentCollisions(box.system);
  ASSERT_EQ(ball.system.collision_free, 1) << "half a unit from the wall";
  box.system.Body(0)->position.x = -0.6f;  // the wall at x = +15 comes to x = 14.4
  ball.system.ResolveEnvironmentCollisions(box.system);
  EXPECT_EQ(ball.system.collision_free, 0);
  EXPECT_NEAR(ball[0].velocity.x, -0.3f, 1e-6f) << "bounced off the wall that moved";
}
