#pragma once
// One frame of the main window: draw the scene as it stands, then, while the simulation is
// started, advance it by one step and resolve the collisions the step produced. So a frame
// always shows the state from before its own step.

// Needs the main window current with its view loaded; ends by swapping the buffers.
void RenderFrame();

// The simulation part of a frame: while started, one iteration with step_size (step, both
// collision passes), then the slide-to-roll rule; otherwise nothing.
void AdvanceSimulation();
