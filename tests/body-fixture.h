#pragma once
// A small system of sphere bodies loaded from the committed mesh files, placed by hand, and the
// box environment placed as the scene places it (half a turn about y).

#include <random>
#include <string>

#include "force-list.h"
#include "body-placement.h"
#include "rb-system.h"

inline std::string DataFile(const char* name) { return std::string(QUORVEL_DATA_DIR) + "/" + name; }

// A unit quaternion uniformly distributed over the rotations.
inline Quaternion RandomOrientation(std::mt19937& random) {
  std::normal_distribution<float> normal;
  Quaternion q(normal(random), normal(random), normal(random), normal(random));
  q.Normalize();
  return q;
}

struct Bodies {
  explicit Bodies(unsigned n, const char* model = "sphere03.tris") : system(n, &forces) {
    for (unsigned i = 0; i < n; ++i) {
      system.Body(i)->SetMass(10.0f);
      system.Body(i)->LoadModels(DataFile(model).c_str(), 1.0f);
    }
  }
  RigidBody& operator[](unsigned i) { return *system.Body(i); }
  // Position and velocity; the derived fields follow as after a step.
  void Place(unsigned i, const Vec3& position, const Vec3& velocity, const Vec3& spin = Vec3()) {
    RigidBody& b = *system.Body(i);
    b.position = position;
    b.linear_momentum = b.mass * velocity;
    b.angular_momentum = spin;
    b.UpdateDerived();
  }

  ForceList forces{10, 10};
  RBSystem system;
};

struct Box {
  Box() {
    RigidBody& box = *system.Body(0);
    box.SetMass(1.0f);
    box.orientation = Quaternion(0.0f, Vec3(0, 1, 0));
    box.LoadModels(DataFile("box.tris").c_str(), 1.0f);
  }
  ForceList forces{10, 10};
  RBSystem system{1, &forces};
};

// Whether the meshes of a and b touch with their centres at pa and pb, each turned by its own
// orientation: a query of its own, apart from the passes'.
inline bool TouchAt(RigidBody& a, const Vec3& pa, RigidBody& b, const Vec3& pb) {
  BodyPlacement placement_a(a.orientation, pa), placement_b(b.orientation, pb);
  CQ_CollideResult result;
  CollideModels(&result, placement_a.R, placement_a.T, &a.collision_model(), placement_b.R, placement_b.T,
                &b.collision_model(), StopAtFirstContact);
  return result.HasContact();
}
