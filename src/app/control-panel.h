#pragma once
// The control panel: outline drawing, the friction coefficients, the time step, the integrator,
// and the Reset, Start and Quit buttons, bound to the program's live variables.

class PanelWindow;

// Control ids passed to Control.
constexpr int kWireframeControl = 0;
constexpr int kSimMethodControl = 1;
constexpr int kResetControl = 2;
constexpr int kStartControl = 3;

// Opens the panel window "GLUI" at (780, 50), adds the controls, names `main_window_id` as the
// window that control callbacks act on, and installs `idle` as the program's idle function.
void CreateControlPanel(int main_window_id, void (*idle)());

// Adds the controls, top to bottom, to `panel`. Used by CreateControlPanel and by the
// panel-layout tool, which lays the same controls out without a window.
void AddControlPanelWidgets(PanelWindow& panel);

// The callback of the "Wireframe" checkbox, the "Sim Method" radio group and the Reset and
// Start buttons; unknown ids do nothing. Runs with the main window current.
void Control(int id);
