#include "app/panel/panel-window.h"

#include <imgui.h>

#include <cmath>
#include <utility>

#include "base/assertion.h"

namespace {

// Widths in pixels. Every control gets an explicit width, so the layout never depends on the
// window's size: the panel-layout tool, which has no window, finds the same rectangles.
constexpr float kContentWidth = 220.0f;
constexpr float kFramePadding = 8.0f;     // between a panel's frame and its contents
constexpr float kLabelColumnWidth = 48.0f;  // a spinner's label, left of its text field

constexpr ImGuiWindowFlags kWindowFlags = ImGuiWindowFlags_NoDecoration |
                                          ImGuiWindowFlags_NoMove |
                                          ImGuiWindowFlags_NoSavedSettings;

}  // namespace

float ClampToLimits(float value, float lower, float upper) {
  // Written so that NaN fails the first comparison: typed "nan" must not slip past both limits.
  if (!(value >= lower)) return lower;
  if (value > upper) return upper;
  return value;
}

void Widget::SetFloatLimits(float lower_limit, float upper_limit) {
  QUORVEL_ASSERT(kind == WidgetKind::Spinner);
  QUORVEL_ASSERT(lower_limit <= upper_limit);
  lower = lower_limit;
  upper = upper_limit;
  limited = true;
  if (step == 0.0f) step = (upper - lower) / 100.0f;
}

void Widget::SetStep(float step_per_press) {
  QUORVEL_ASSERT(kind == WidgetKind::Spinner);
  step = step_per_press;
}

PanelWindow::PanelWindow(std::string title) : title_(std::move(title)) {}

Widget* PanelWindow::Append(Widget* parent, WidgetKind kind, const char* label, int id,
                            ControlCallback callback) {
  QUORVEL_ASSERT(parent == nullptr || parent->kind == WidgetKind::Panel);
  widgets_.push_back(std::make_unique<Widget>());
  Widget* widget = widgets_.back().get();
  widget->kind = kind;
  widget->label = label;
  widget->id = id;
  widget->callback = callback;
  (parent != nullptr ? parent->children : top_level_).push_back(widget);
  return widget;
}

Widget* PanelWindow::AddCheckbox(Widget* parent, const char* label, int* live_variable, int id,
                                 ControlCallback callback) {
  QUORVEL_ASSERT(live_variable != nullptr);
  Widget* checkbox = Append(parent, WidgetKind::Checkbox, label, id, callback);
  checkbox->int_variable = live_variable;
  return checkbox;
}

Widget* PanelWindow::AddPanel(Widget* parent, const char* caption) {
  return Append(parent, WidgetKind::Panel, caption, -1, nullptr);
}

Widget* PanelWindow::AddSpinner(Widget* parent, const char* label, float* live_variable, int id,
                                ControlCallback callback) {
  QUORVEL_ASSERT(live_variable != nullptr);
  Widget* spinner = Append(parent, WidgetKind::Spinner, label, id, callback);
  spinner->float_variable = live_variable;
  return spinner;
}

Widget* PanelWindow::AddRadioGroup(Widget* parent, int* live_variable, int id,
                                   ControlCallback callback) {
  QUORVEL_ASSERT(live_variable != nullptr);
  Widget* group = Append(parent, WidgetKind::RadioGroup, "", id, callback);
  group->int_variable = live_variable;
  return group;
}

void PanelWindow::AddRadioButton(Widget* radio_group, const char* label) {
  QUORVEL_ASSERT(radio_group != nullptr && radio_group->kind == WidgetKind::RadioGroup);
  radio_group->options.emplace_back(label);
}

Widget* PanelWindow::AddButton(Widget* parent, const char* label, int id,
                               ControlCallback callback) {
  return Append(parent, WidgetKind::Button, label, id, callback);
}

void PanelWindow::Draw() {
  rectangles_.clear();
  ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
  ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
  ImGui::Begin(title_.c_str(), nullptr, kWindowFlags);
  for (Widget* widget : top_level_) DrawWidget(*widget, kContentWidth);
  ImGui::End();
}

void PanelWindow::DrawWidget(Widget& widget, float width) {
  switch (widget.kind) {
    case WidgetKind::Panel:
      DrawPanelFrame(widget, width);
      break;
    case WidgetKind::Checkbox: {
      bool checked = *widget.int_variable != 0;
      if (ImGui::Checkbox(widget.label.c_str(), &checked)) {
        *widget.int_variable = checked ? 1 : 0;
        Fire(widget);
      }
      RecordLastItem(widget.label);
      break;
    }
    case WidgetKind::Spinner:
      DrawSpinner(widget, width);
      break;
    case WidgetKind::RadioGroup:
      DrawRadioGroup(widget);
      break;
    case WidgetKind::Button:
      if (ImGui::Button(widget.label.c_str(), ImVec2(width, 0.0f))) Fire(widget);
      RecordLastItem(widget.label);
      break;
  }
}

void PanelWindow::DrawPanelFrame(Widget& panel, float width) {
  const ImVec2 top_left = ImGui::GetCursorScreenPos();
  const float caption_height = ImGui::GetTextLineHeight();
  const float bottom_padding =
      std::fmax(0.0f, kFramePadding - ImGui::GetStyle().ItemSpacing.y);

  ImGui::BeginGroup();
  ImGui::Dummy(ImVec2(width, caption_height));  // the caption sits in the frame's top edge
  ImGui::Indent(kFramePadding);
  for (Widget* child : panel.children) DrawWidget(*child, width - 2.0f * kFramePadding);
  ImGui::Unindent(kFramePadding);
  ImGui::Dummy(ImVec2(width, bottom_padding));
  ImGui::EndGroup();

  // The frame is drawn after the contents because only now is its height known.
  ImDrawList* draw_list = ImGui::GetWindowDrawList();
  const float frame_top = top_left.y + 0.5f * caption_height;
  const float frame_bottom = ImGui::GetItemRectMax().y;
  draw_list->AddRect(ImVec2(top_left.x, frame_top), ImVec2(top_left.x + width, frame_bottom),
                     ImGui::GetColorU32(ImGuiCol_Border));
  const ImVec2 caption_at(top_left.x + kFramePadding, top_left.y);
  const ImVec2 caption_size = ImGui::CalcTextSize(panel.label.c_str());
  draw_list->AddRectFilled(ImVec2(caption_at.x - 2.0f, caption_at.y),
                           ImVec2(caption_at.x + caption_size.x + 2.0f,
                                  caption_at.y + caption_size.y),
                           ImGui::GetColorU32(ImGuiCol_WindowBg));
  draw_list->AddText(caption_at, ImGui::GetColorU32(ImGuiCol_Text), panel.label.c_str());
  RecordLastItem(panel.label);
}

void PanelWindow::DrawSpinner(Widget& spinner, float width) {
  const float spacing = ImGui::GetStyle().ItemInnerSpacing.x;
  const float arrow_size = ImGui::GetFrameHeight();
  const float line_start = ImGui::GetCursorPosX();
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(spinner.label.c_str());
  ImGui::SameLine();
  ImGui::SetCursorPosX(line_start + kLabelColumnWidth);

  float& value = *spinner.float_variable;
  // Typing "0.15" passes through 0.01 and 0.1: the live variable, which the next frame's step
  // reads, takes the typed value only once the user is done with it. Escape drops the edit.
  if (!spinner.typing) spinner.typed = value;
  ImGui::SetNextItemWidth(width - kLabelColumnWidth - 2.0f * (arrow_size + spacing));
  ImGui::InputFloat(("##" + spinner.label).c_str(), &spinner.typed, 0.0f, 0.0f, "%.3f");
  spinner.typing = ImGui::IsItemActive();
  const bool cancelled = ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
  bool changed = false;
  if (ImGui::IsItemDeactivatedAfterEdit() && !cancelled) {
    value = spinner.typed;
    changed = true;
  }
  RecordLastItem(spinner.label);

  ImGui::PushButtonRepeat(true);
  const std::string up = spinner.label + " up";
  ImGui::SameLine(0.0f, spacing);
  if (ImGui::ArrowButton(up.c_str(), ImGuiDir_Up)) {
    value += spinner.step;
    changed = true;
  }
  RecordLastItem(up);
  const std::string down = spinner.label + " down";
  ImGui::SameLine(0.0f, spacing);
  if (ImGui::ArrowButton(down.c_str(), ImGuiDir_Down)) {
    value -= spinner.step;
    changed = true;
  }
  RecordLastItem(down);
  ImGui::PopButtonRepeat();

  if (!changed) return;
  if (spinner.limited) value = ClampToLimits(value, spinner.lower, spinner.upper);
  Fire(spinner);
}

void PanelWindow::DrawRadioGroup(Widget& group) {
  for (size_t value = 0; value < group.options.size(); ++value) {
    const std::string& option = group.options[value];
    if (ImGui::RadioButton(option.c_str(), group.int_variable, static_cast<int>(value))) {
      Fire(group);
    }
    RecordLastItem(option);
  }
}

void PanelWindow::RecordLastItem(const std::string& name) {
  const ImVec2 origin = ImGui::GetWindowPos();
  const ImVec2 min = ImGui::GetItemRectMin();
  const ImVec2 max = ImGui::GetItemRectMax();
  rectangles_.push_back({name, min.x - origin.x, min.y - origin.y, max.x - origin.x,
                         max.y - origin.y});
}

void PanelWindow::Fire(const Widget& widget) {
  if (widget.callback != nullptr) fired_.push_back({widget.callback, widget.id});
}

void PanelWindow::RunFiredCallbacks() {
  // Taken out first: a callback may add to the list (it never does today) or end the program.
  std::vector<FiredCallback> fired;
  fired.swap(fired_);
  for (const FiredCallback& call : fired) call.callback(call.id);
}

const WidgetRect* PanelWindow::FindRectangle(const std::string& name) const {
  for (const WidgetRect& rect : rectangles_) {
    if (rect.name == name) return &rect;
  }
  return nullptr;
}

PanelSize PanelWindow::FittedSize() const {
  float right = 0.0f;
  float bottom = 0.0f;
  for (const WidgetRect& rect : rectangles_) {
    right = std::fmax(right, rect.right);
    bottom = std::fmax(bottom, rect.bottom);
  }
  const ImVec2 padding = ImGui::GetStyle().WindowPadding;
  return {static_cast<int>(std::ceil(right + padding.x)),
          static_cast<int>(std::ceil(bottom + padding.y))};
}
