#pragma once
// One frame of the main window: draw the scene as it stands (with whatever views of it are
// switched on), then advance the simulation by the frame's share, by default one step and the
// collision passes it leads to. So a frame always shows the state from before its own step.

// Needs the main window current with its view loaded; ends by swapping the buffers.
void RenderFrame();

// The simulation part of a frame: while started, the iterations the pacing allows (by default
// exactly one with step_size: step, both collision passes, then the slide-to-roll rule);
// otherwise nothing.
void AdvanceSimulation();

// Seconds on a steady clock from a fixed origin: the wall time the frames are paced by.
double WallSeconds();
