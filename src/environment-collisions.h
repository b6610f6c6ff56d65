#pragma once
// The body-environment pass, with an explicit workspace (RBSystem's ResolveEnvironmentCollisions
// passes the system's own).

class RBSystem;
class CollisionWorkspace;

// Every body of system against every body of environment: a touching body is backed out until
// the meshes are disjoint and, if it moves along the stored normal of the triangle it touched,
// bounces with restitution 0.6. Clears collision_free on any contact; never sets it.
void ResolveEnvironmentCollisions(RBSystem& system, RBSystem& environment, CollisionWorkspace& workspace);
