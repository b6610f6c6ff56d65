#pragma once
// Draws the bodies of a system, each at its pose, with the material that tells them apart:
// body 0 (the one Start shoots) white, bodies that touched something in the last collision
// passes red, the others in the material already set.

class RBSystem;

// Needs the main window current with the bodies' material, the texture and the view set. A
// system without bodies draws nothing. With highlight given (one value per body, 0 none to 1
// full red), each body but body 0 is drawn that far between its material and the red of a
// collided body, whatever its collided flag: the contact view's fading highlight.
void DrawBodies(RBSystem& system, const float* highlight = nullptr);
