#include "app/control-panel.h"

#include "app/app-globals.h"
#include "app/panel/panel-host.h"
#include "app/panel/panel-window.h"

namespace {
constexpr int kNoId = -1;
constexpr int kQuitCode = 0;  // the Quit button's id, which is also the exit code
}  // namespace

void CreateControlPanel(int main_window_id, void (*idle)()) {
  PanelWindow* panel = CreatePanelWindow("GLUI", 780, 50);
  AddControlPanelWidgets(*panel);
  SetMainGraphicsWindow(main_window_id);
  SetPanelIdleFunction(idle);
}

void AddControlPanelWidgets(PanelWindow& panel) {
  panel.AddCheckbox(nullptr, "Wireframe", &wireframe, kWireframeControl, Control);

  Widget* friction = panel.AddPanel(nullptr, "Friction");
  panel.AddSpinner(friction, "Slide:", &slide, kNoId, nullptr)->SetFloatLimits(0.0f, 0.1f);
  panel.AddSpinner(friction, "Roll:", &roll, kNoId, nullptr)->SetFloatLimits(0.0f, 0.1f);

  Widget* simulation = panel.AddPanel(nullptr, "Simulation");
  Widget* step = panel.AddSpinner(simulation, "Step:", &step_size, kNoId, nullptr);
  step->SetFloatLimits(0.01f, 0.2f);
  step->SetStep(0.01f);
  Widget* sim_method_panel = panel.AddPanel(simulation, "Sim Method");
  Widget* methods = panel.AddRadioGroup(sim_method_panel, &sim_method, kSimMethodControl, Control);
  panel.AddRadioButton(methods, "Euler");
  panel.AddRadioButton(methods, "RK4");
  panel.AddButton(simulation, "Reset", kResetControl, Control);
  panel.AddButton(simulation, "Start", kStartControl, Control);

  panel.AddButton(nullptr, "Quit", kQuitCode, ExitProgram);
}
