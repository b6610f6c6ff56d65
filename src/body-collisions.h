#pragma once
// The body-body pass over a system's bodies, with an explicit workspace (RBSystem's
// ResolveBodyCollisions passes the system's own).

class RBSystem;
class CollisionWorkspace;

// After a step: every pair of bodies whose meshes touch is pushed apart until they no longer
// touch and, if they approach each other, exchanges momentum elastically along the line of
// centres. Positions are kept inside the play volume, touching bodies are flagged, and
// collision_free is set to 1 and cleared on any contact.
void ResolveBodyCollisions(RBSystem& system, CollisionWorkspace& workspace);
