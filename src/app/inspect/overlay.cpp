#include "app/inspect/overlay.h"

#include <imgui.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/app-globals.h"
#include "app/draw/draw-caption.h"
#include "scenes/integrator-error.h"
#include "inspect/figure-scale.h"
#include "inspect/scene-measures.h"

namespace {

// The plots look back this far, in this many bins.
constexpr double kPlotSeconds = 10.0;
constexpr int kPlotBins = 120;
// Fixed, so that the overlay does not change its width as the numbers change, and small enough
// to leave the box in view (about 270 by 230 pixels of the 720 by 720 window unfolded).
constexpr float kOverlayWidth = 272.0f;
constexpr float kPlotHeight = 26.0f;
// Translucent: the balls under it stay visible.
constexpr float kBackgroundAlpha = 0.45f;
// The energy plot's scale never falls below this share of the shot's energy.
constexpr float kEnergyPlotFloor = 1e-3f;

// Makes the overlay's context current (creating it, with the drawing back end on the main
// window's context, the first time) and returns the one that was current.
ImGuiContext* EnterOverlayContext() {
  OverlayContext& overlay = close_look.overlay_context;
  ImGuiContext* previous = ImGui::GetCurrentContext();
  if (!overlay.context) {
    overlay.context = ImGui::CreateContext();
    ImGui::SetCurrentContext(overlay.context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the program writes no files
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui_ImplOpenGL2_Init();
  }
  ImGui::SetCurrentContext(overlay.context);
  return previous;
}

// A pause outlasts Reset and Start: the next shot waits for Space or '.'.
const char* RunState() {
  const bool paused = close_look.pacer.paused();
  if (!started) return paused ? "not started, paused" : "not started";
  return paused ? "paused" : "running";
}

// floor: the least top of the scale, so that a plot of rounding noise stays flat at the bottom.
void Plot(const char* label, const WallTimeSeries& series, double now, const char* caption, float floor,
          double scale) {
  float bins[kPlotBins];
  series.Resample(now, kPlotSeconds, bins, kPlotBins);
  const float highest = *std::max_element(bins, bins + kPlotBins);
  char overlay_text[64];
  std::snprintf(overlay_text, sizeof overlay_text, "%s, max %.4g", caption, ShownFigure(highest, scale));
  ImGui::PlotLines(label, bins, kPlotBins, 0, overlay_text, 0.0f, PlotTop(highest, floor),
                   ImVec2(kOverlayWidth - 16, kPlotHeight));
}

// The first line, and the only one when the overlay is folded.
void DrawHeadline() {
  ImGui::Text("%3.0f fps  t %7.2f  %s", close_look.monitor.frames_per_second(), bodies_system.time,
              RunState());
}

// One compared figure: what the scene's law predicts and what this run measured of it.
void Figure(const char* quantity, const char* unit, bool measured_yet, double measured, double predicted,
            double tolerance, bool bound_only) {
  // Wrapped and split over short lines: the overlay's width is fixed.
  ImGui::TextWrapped("%s (%s)", quantity, unit);
  const char* within = bound_only ? "at most " : "";
  if (measured_yet) {
    ImGui::Text("  measured  %.9g", measured);
  } else {
    ImGui::Text("  not measured yet");
  }
  ImGui::Text("  predicted %s%.9g", within, predicted);
  ImGui::Text("  tolerance %.3g", tolerance);
}

// The slide-to-roll scene's table: each integrator's error against the closed form at the
// scene's sliding coefficient, as the step halves. Measured again only when "Slide:" changes.
void IntegratorErrorTable() {
  if (close_look.integrator_errors_slide != slide) {
    close_look.integrator_errors = MeasureIntegratorErrors(slide);
    close_look.integrator_errors_slide = slide;
  }
  const IntegratorErrors& errors = close_look.integrator_errors;
  ImGui::TextWrapped("sliding speed's error against v0 e^(-9.8 slide t) at t = %.1f:", kErrorTime);
  ImGui::Text("  step      Euler      RK4");
  for (size_t s = 0; s < kErrorSteps.size(); ++s) {
    ImGui::Text("  %-7.4g   %-9.2e  %.2e", kErrorSteps[s], errors.euler[s], errors.rk4[s]);
  }
}

// The scene's law, predicted and measured, once Start (or Enter) has begun its check.
void SceneFigures() {
  const SceneCheck& check = experiment.check;
  const CheckFigures& f = check.figures();
  ImGui::Separator();
  if (!check.begun() || !f.quantity) {
    ImGui::Text("scene %s: Start to measure", SceneName(experiment.kind));
  } else {
    const char* verdict = !f.complete ? "measuring" : f.pass ? "pass" : "FAIL";
    ImGui::Text("scene %s: %s", SceneName(experiment.kind), verdict);
    Figure(f.quantity, f.unit, f.measured_yet, f.measured, f.predicted, f.tolerance, f.bound_only);
    if (f.second_quantity) {
      Figure(f.second_quantity, f.second_unit, f.measured_yet, f.second_measured, f.second_predicted,
             f.second_tolerance, false);
    }
  }
  if (experiment.kind == SceneKind::SlideToRoll) IntegratorErrorTable();
}

void DrawFigures(double now) {
  const SceneMonitor& monitor = close_look.monitor;
  const IterationStats& last = monitor.last_iteration();
  const SceneMeasures measures = MeasureBodies(bodies_system);
  const FigureScale scale = ShotScale(bodies_system);

  ImGui::Text("%s, step %.3g, rolling %u/%u", PacingName(close_look.pacer.mode()), step_size, measures.rolling,
              bodies_system.BodyCount());
  if (!timeline.history().empty())
    ImGui::Text("history: iteration %llu of %llu", static_cast<unsigned long long>(timeline.history().shown()),
                static_cast<unsigned long long>(timeline.history().Newest()));
  // After Reset, nothing has run yet: no costs to show until the next iteration.
  if (monitor.has_last_iteration()) {
    ImGui::Text("us: step %.1f bodies %.1f walls %.1f", 1e6 * last.step_seconds, 1e6 * last.body_pass_seconds,
                1e6 * last.wall_pass_seconds);
    ImGui::Text("contacts: %d body-body, %d wall", last.body.contacts, last.wall.contacts);
  } else {
    ImGui::Text("us: step - bodies - walls -");
    ImGui::Text("contacts: -");
  }
  ImGui::Text("energy %.3f (spin %.3f)", ShownFigure(measures.KineticEnergy(), scale.energy),
              ShownFigure(measures.rotational_kinetic_energy, scale.energy));
  const double* p = measures.momentum;
  ImGui::Text("P (%.3f, %.3f, %.3f)", ShownFigure(p[0], scale.momentum), ShownFigure(p[1], scale.momentum),
              ShownFigure(p[2], scale.momentum));
  if (experiment.kind != SceneKind::Break) SceneFigures();
  Plot("##energy", monitor.kinetic_energy(), now, "energy", kEnergyPlotFloor * static_cast<float>(scale.energy),
       scale.energy);
  Plot("##body-contacts", monitor.body_contacts(), now, "body contacts", 1.0f, 1.0);
  Plot("##wall-contacts", monitor.wall_contacts(), now, "wall contacts", 1.0f, 1.0);
  if (close_look.pick_missed) ImGui::TextColored(ImVec4(1, 0.8f, 0.3f, 1), "Shift + drag: no ball there");
  ImGui::TextDisabled("f: fold  h: hide  quorvel --help");
}

}  // namespace

void DrawOverlay(double now) {
  ImGuiContext* previous = EnterOverlayContext();
  ImGuiIO& io = ImGui::GetIO();
  // The size the main window is held at, which the viewport uses.
  const WindowRecord& window = window_table[main_window];
  const int width = window.width;
  const int height = window.height;
  io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
  // The library wants a positive frame time; the first frame and equal clock readings get a
  // nominal one.
  OverlayContext& overlay = close_look.overlay_context;
  const double delta = now - overlay.last_frame;
  io.DeltaTime = delta > 0 && overlay.last_frame > 0 ? static_cast<float>(delta) : 1.0f / 60.0f;
  overlay.last_frame = now;

  ImGui_ImplOpenGL2_NewFrame();  // uploads the font texture into the main window's context once
  ImGui::NewFrame();
  // Below the scene's caption, if it has one.
  ImGui::SetNextWindowPos(ImVec2(8, static_cast<float>(8 + CaptionHeight())));
  // Width fixed, height fitted to what is shown (0: fit that axis).
  ImGui::SetNextWindowSize(ImVec2(kOverlayWidth, 0));
  ImGui::SetNextWindowBgAlpha(kBackgroundAlpha);
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoInputs |
                                 ImGuiWindowFlags_NoSavedSettings |
                                 ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav |
                                 ImGuiWindowFlags_NoMove;
  ImGui::Begin("measurements", nullptr, flags);
  DrawHeadline();
  if (!close_look.overlay_folded) DrawFigures(now);
  ImGui::End();
  ImGui::Render();
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  ImGui::SetCurrentContext(previous);
}
