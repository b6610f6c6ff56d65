#include "app/inspect/overlay.h"

#include <imgui.h>
#include <imgui_impl_opengl2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/app-globals.h"
#include "app/draw/draw-caption.h"
#include "scenes/integrator-error.h"
#include "inspect/scene-measures.h"

namespace {

// The plots look back this far, in this many bins.
constexpr double kPlotSeconds = 10.0;
constexpr int kPlotBins = 120;

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

void Plot(const char* label, const WallTimeSeries& series, double now, const char* caption) {
  float bins[kPlotBins];
  series.Resample(now, kPlotSeconds, bins, kPlotBins);
  const float highest = *std::max_element(bins, bins + kPlotBins);
  // From zero up, with room above the highest value; a flat zero still gets a scale.
  const float top = highest > 0.0f ? 1.1f * highest : 1.0f;
  char overlay_text[64];
  std::snprintf(overlay_text, sizeof overlay_text, "%s (max %.4g)", caption, highest);
  ImGui::PlotLines(label, bins, kPlotBins, 0, overlay_text, 0.0f, top, ImVec2(300, 44));
}

// One compared figure: what the scene's law predicts and what this run measured of it.
void Figure(const char* quantity, const char* unit, bool measured_yet, double measured, double predicted,
            double tolerance, bool bound_only) {
  ImGui::Text("  %s (%s)", quantity, unit);
  const char* within = bound_only ? "at most" : "";
  if (!measured_yet) {
    ImGui::Text("    predicted %s %.9g +- %.3g, not measured yet", within, predicted, tolerance);
  } else {
    ImGui::Text("    measured %.9g, predicted %s %.9g +- %.3g", measured, within, predicted, tolerance);
  }
}

// The slide-to-roll scene's table: each integrator's error against the closed form at the
// scene's sliding coefficient, as the step halves. Measured again only when "Slide:" changes.
void IntegratorErrorTable() {
  if (close_look.integrator_errors_slide != slide) {
    close_look.integrator_errors = MeasureIntegratorErrors(slide);
    close_look.integrator_errors_slide = slide;
  }
  const IntegratorErrors& errors = close_look.integrator_errors;
  ImGui::Text("  sliding speed's error against v0 e^(-9.8 slide t) at t = %.1f:", kErrorTime);
  ImGui::Text("    step      Euler      RK4");
  for (size_t s = 0; s < kErrorSteps.size(); ++s) {
    ImGui::Text("    %-7.4g   %-9.2e  %.2e", kErrorSteps[s], errors.euler[s], errors.rk4[s]);
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

  ImGui::Text("%.0f frames per second", monitor.frames_per_second());
  ImGui::Text("simulated time %.2f s, step %.3g s", bodies_system.time, step_size);
  ImGui::Text("pacing: %s, %s", PacingName(close_look.pacer.mode()), RunState());
  if (!timeline.history().empty())
    ImGui::Text("history: iteration %llu of %llu", static_cast<unsigned long long>(timeline.history().shown()),
                static_cast<unsigned long long>(timeline.history().Newest()));
  ImGui::Separator();
  ImGui::Text("last iteration, microseconds:");
  ImGui::Text("  step %.1f  body-body pass %.1f  wall pass %.1f", 1e6 * last.step_seconds,
              1e6 * last.body_pass_seconds, 1e6 * last.wall_pass_seconds);
  ImGui::Text("contacts: %d body-body, %d wall", last.body.contacts, last.wall.contacts);
  ImGui::Text("rolling: %u of %u bodies", measures.rolling, bodies_system.BodyCount());
  ImGui::Text("kinetic energy %.3f (linear %.3f, spin %.3f)", measures.KineticEnergy(),
              measures.linear_kinetic_energy, measures.rotational_kinetic_energy);
  const double* p = measures.momentum;
  ImGui::Text("momentum (%.3f, %.3f, %.3f), |P| %.3f", p[0], p[1], p[2],
              std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]));
  if (experiment.kind != SceneKind::Break) SceneFigures();
  ImGui::Separator();
  Plot("##energy", monitor.kinetic_energy(), now, "kinetic energy, 10 s");
  Plot("##body-contacts", monitor.body_contacts(), now, "body-body contacts, 10 s");
  Plot("##wall-contacts", monitor.wall_contacts(), now, "wall contacts, 10 s");
  ImGui::TextDisabled("Space . t h c b, Shift+drag: quorvel --help");
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
  ImGui::SetNextWindowBgAlpha(0.8f);
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoInputs |
                                 ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoSavedSettings |
                                 ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav |
                                 ImGuiWindowFlags_NoMove;
  ImGui::Begin("measurements", nullptr, flags);
  DrawFigures(now);
  ImGui::End();
  ImGui::Render();
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  ImGui::SetCurrentContext(previous);
}
