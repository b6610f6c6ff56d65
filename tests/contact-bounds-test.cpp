// The no-contact shortcuts against the query and against a slow distance: they may only say
// "apart" when nothing can touch.

#include "contact-bounds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "body-fixture.h"
#include "collision-workspace.h"
#include "test-files.h"

namespace {

#ifdef QUORVEL_SANITIZED
constexpr int kCases = 400;
#else
constexpr int kCases = 5000;
#endif

// A one-triangle model at the identity placement.
struct OneTriangle {
  explicit OneTriangle(const double a[3], const double b[3], const double c[3]) {
    model.BeginModel();
    model.AddTri(a, b, c, 0);
    model.EndModel();
  }
  CQ_Model model;
};

// The distance from p to the triangle, from above: the nearest of a fine grid of its points.
double SampledDistance(const double p[3], const double a[3], const double b[3], const double c[3], int steps) {
  double best = INFINITY;
  for (int i = 0; i <= steps; ++i)
    for (int j = 0; i + j <= steps; ++j) {
      const double u = double(i) / steps, v = double(j) / steps;
      double d2 = 0;
      for (int k = 0; k < 3; ++k) {
        const double x = a[k] + u * (b[k] - a[k]) + v * (c[k] - a[k]) - p[k];
        d2 += x * x;
      }
      best = std::fmin(best, std::sqrt(d2));
    }
  return best;
}

}  // namespace

// Balls at random distances from random triangles (zero-area ones among them): clear only when
// the triangle's sampled distance exceeds the radius, and always clear when it exceeds it by
// more than the sampling's coarseness.
TEST(ContactBounds, BallClearOfTrianglesAgreesWithASampledDistance) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> coordinate(-1, 1), slack(-0.1, 0.1);
  const int steps = 200;
  int clear = 0, not_clear = 0;
  const BodyPlacement identity{Quaternion(), Vec3()};
  for (int n = 0; n < kCases / 10; ++n) {
    double a[3], b[3], c[3], p[3];
    for (int k = 0; k < 3; ++k) {
      a[k] = coordinate(random);
      b[k] = coordinate(random);
      c[k] = n % 4 == 0 ? a[k] + 0.5 * (b[k] - a[k]) : coordinate(random);  // every fourth: a segment
      p[k] = 2 * coordinate(random);
    }
    const OneTriangle triangle(a, b, c);
    const double sampled = SampledDistance(p, a, b, c, steps);
    const double spacing = 4.0 / steps;  // the farthest any point of the triangle is from the grid
    const double radius = std::fmax(0.0, sampled + slack(random));
    const bool is_clear = BallClearOfTriangles(p, radius, identity, triangle.model, identity);
    if (is_clear) {
      EXPECT_GT(sampled, radius) << n;
      ++clear;
    } else {
      EXPECT_LE(sampled, radius + spacing + 1e-6) << n;
      ++not_clear;
    }
  }
  EXPECT_GT(clear, kCases / 50);
  EXPECT_GT(not_clear, kCases / 50);
}

// A sphere at random places and turns near the walls, the floor and the corners of the real box,
// placed as the scene places it: whenever its ball is clear of the box's triangles, the query
// finds no contact.
TEST(ContactBounds, ClearOfTheBoxMeansTheQueryFindsNothing) {
  Box box;
  Bodies ball(1);
  const RigidBody& environment = *box.system.Body(0);
  const BodyPlacement pe(environment.orientation, environment.position);
  const CollisionMesh& mesh = ball[0].collision_mesh();
  std::mt19937 random(5);
  std::uniform_real_distribution<float> x(12.5f, 15.5f), y(-1.5f, 1.5f), z(17.5f, 20.5f);
  CQ_CollideResult result;
  int clear = 0, touching = 0;
  for (int n = 0; n < kCases; ++n) {
    ball[0].orientation = RandomOrientation(random);
    ball[0].position = Vec3(n % 2 ? x(random) : -x(random), y(random), n % 3 ? z(random) : -z(random));
    const BodyPlacement pb(ball[0].orientation, ball[0].position);
    CollideModels(&result, pb.R, pb.T, &ball[0].collision_model(), pe.R, pe.T, &environment.collision_model(),
                  StopAtFirstContact);
    touching += result.HasContact();
    if (BallClearOfTriangles(mesh.ball.center, mesh.ball.radius, pb, environment.collision_model(), pe)) {
      ++clear;
      ASSERT_FALSE(result.HasContact()) << n;
    }
  }
  EXPECT_GT(clear, kCases / 20);
  EXPECT_GT(touching, kCases / 20);
}

// A quaternion of the wrong length makes a matrix that stretches the mesh: the plain balls look
// apart while the stretched meshes touch. Far from a rotation (about 1.8 times across) such a
// placement is not trusted at all; a little off (a seventh) its stretch is allowed for. Either
// way the query decides.
TEST(ContactBounds, StretchingPlacementsAreNotTrusted) {
  const struct {
    Quaternion orientation;
    float distance;
    double least_error;
  } cases[] = {{Quaternion(0.5f, 1.1f, 0.0f, 0.0f), 2.3f, 1.0}, {Quaternion(0.9f, 0.55f, 0.0f, 0.0f), 2.03f, 0.1}};
  for (const auto& c : cases) {
    Bodies bodies(2);
    bodies[0].position = Vec3(0, 0, 0);
    bodies[1].position = Vec3(0, c.distance, 0);
    bodies[1].orientation = c.orientation;
    const BodyPlacement p0(bodies[0].orientation, bodies[0].position), p1(bodies[1].orientation, bodies[1].position);
    EXPECT_GT(RotationError(p1.R), c.least_error);
    EXPECT_LT(RotationError(p0.R), 1e-6);
    CQ_CollideResult result;
    CollideModels(&result, p0.R, p0.T, &bodies[0].collision_model(), p1.R, p1.T, &bodies[1].collision_model(),
                  StopAtFirstContact);
    ASSERT_TRUE(result.HasContact()) << c.distance;
    CollisionWorkspace& workspace = bodies.system.Workspace();
    workspace.BeginBodyPass(2);
    EXPECT_TRUE(workspace.BodiesTouch(0, bodies[0], 1, bodies[1]).touching) << c.distance;
    EXPECT_EQ(workspace.body_counters.skipped, 0) << c.distance;
  }
}
