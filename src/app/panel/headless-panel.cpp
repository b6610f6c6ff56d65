#include "app/panel/headless-panel.h"

#include <imgui.h>

#include "app/panel/panel-context.h"

namespace {
// Larger than the panel in every direction, so nothing is clipped.
constexpr float kDisplayWidth = 640.0f;
constexpr float kDisplayHeight = 800.0f;
constexpr float kFrameSeconds = 1.0f / 60.0f;
}  // namespace

HeadlessPanel::HeadlessPanel(PanelWindow& panel)
    : panel_(panel), context_(ImGui::CreateContext()) {
  ImGui::SetCurrentContext(context_);
  ConfigurePanelContext();
  ImGui::GetIO().DisplaySize = ImVec2(kDisplayWidth, kDisplayHeight);
}

HeadlessPanel::~HeadlessPanel() { ImGui::DestroyContext(context_); }

void HeadlessPanel::RunFrame() {
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  input_.FeedOneFrame(io);
  io.DeltaTime = kFrameSeconds;
  ImGui::NewFrame();
  panel_.Draw();
  ImGui::Render();
  panel_.RunFiredCallbacks();
}

bool HeadlessPanel::RunUntilIdle(int settle_frames, int max_frames) {
  int frames = 0;
  while (!input_.Empty() && frames < max_frames) {
    RunFrame();
    ++frames;
  }
  for (int i = 0; i < settle_frames && frames < max_frames; ++i, ++frames) RunFrame();
  return input_.Empty();
}
