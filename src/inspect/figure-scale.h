#pragma once
// Scales for the overlay's figures and plots, tied to what the scene starts with: the shot's
// kinetic energy and momentum. Without such a floor a plot scales itself to rounding noise
// (just after Reset, "max 8e-43" at full height), and a sum that is zero but for rounding prints
// as "-0.000".

class RBSystem;

struct FigureScale {
  double energy = 1;    // the shot's kinetic energy, m v^2 / 2 of body 0 at the shot speed
  double momentum = 1;  // the shot's momentum, m v
};

// The scale of the system's shot (unit scales for a system without bodies).
FigureScale ShotScale(const RBSystem& bodies);

// A plot's top: a little above its highest value, never below `floor`.
float PlotTop(float highest, float floor);

// The value as the overlay shows it: exactly 0 (never -0) when it lies within rounding of zero
// next to `scale`, that is within a relative 1e-5 of it; the value itself otherwise.
double ShownFigure(double value, double scale);
