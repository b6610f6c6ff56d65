#pragma once
// Draws one frame of the scene: the box the bodies move in, then every body.

// Needs the main window current, cleared, with the view loaded. Reads wireframe: with it set,
// everything is drawn as outlines; without, the bodies are filled and the box shows its near
// faces as outlines and its far faces filled, so that the inside stays visible from outside.
// With highlight given (one strength in 0..1 per body), balls are highlighted by it instead of
// by their collided flags (see DrawBodies).
void DrawScene(const float* highlight = nullptr);
