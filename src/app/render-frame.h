#pragma once
// One frame of the main window, in two halves: the frame that draws (the scene as it stands,
// with whatever views of it are switched on) and the frame that advances (the simulation by the
// frame's share, by default one step and the collision passes it leads to). RenderFrame runs
// them in this order, so a frame always shows the state from before its own step.

// The whole frame: DrawFrame, then AdvanceSimulation, then the buffer swap. Needs the main
// window current with its view loaded.
void RenderFrame();

// The drawing half: the scene, the aimed shot's line, the views the keys switched on, the
// scene's caption, and the overlay if it is on.
// `now`: the frame's reading of SteadyClockSeconds. Needs the main window current with its view
// loaded; swaps nothing.
void DrawFrame(double now);

// The advancing half: while started, the iterations the pacing allows (by default exactly one
// with step_size: step, both collision passes, then the slide-to-roll rule, each measured by
// the scene's check); otherwise nothing.
// Draws nothing.
void AdvanceSimulation();

// Seconds on the steady clock since frame_clock_origin (the program's start): the clock the
// frames are paced and the contact highlight fades by. Never goes back, unlike the calendar
// clock.
double SteadyClockSeconds();
