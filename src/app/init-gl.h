#pragma once
// The drawing state set once at start-up: clear colour, lighting, the initial material, the
// checker texture, blending, culling and depth test.

// The texture name of the checker image; 0 until InitGL has run.
extern unsigned checker_texture;

// Sets the state up; needs the main window's context to be current with the modelview matrix at
// the identity, because the light's direction is given here once and so stays fixed relative to
// the viewer.
void InitGL();
