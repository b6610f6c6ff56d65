#pragma once
// Draws the bodies of a system, each at its pose, with the material that tells them apart:
// body 0 (the one Start shoots) white, bodies that touched something in the last collision
// passes red, the others in the material already set.

class RBSystem;

// Needs the main window current with the bodies' material, the texture and the view set. A
// system without bodies draws nothing.
void DrawBodies(RBSystem& system);
