#pragma once
// The measurements overlay in the top-left corner of the main window ('h'): frame rate,
// simulated time, pacing and pause state, the cost of the last iteration split into step and
// the two collision passes, its contact counts, the rolling bodies, the kinetic energy and the
// momentum, with plots of the energy and the contact counts over the last ten seconds. Compact,
// of a fixed width and translucent; folded ('f') it shows its first line alone.
//
// It is drawn with the widget library in a context of its own, bound to the main window's
// drawing context, so that it shares nothing with the panel's; the panel's context is current
// again when it returns. It takes no input.

struct ImGuiContext;

// What the overlay keeps from frame to frame (held in the program's state, with the other extras).
struct OverlayContext {
  ImGuiContext* context = nullptr;  // created at the first drawing; lives as long as the program
  double last_frame = 0;            // wall time of the last drawing; 0 before the first
};

// Needs the main window current, after the scene has been drawn. `now`: the frame's reading of
// SteadyClockSeconds.
void DrawOverlay(double now);
