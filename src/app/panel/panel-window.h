#pragma once
// The control panel's widgets: a retained tree of controls bound to the program's live variables,
// emitted as one immediate-mode window every frame. Because every frame reads the live variables
// afresh, a change the program makes to one shows in the next frame without any re-read call.
//
// This file knows only the widget library, not the window system, so the panel can be laid out
// and driven headless (tests, the panel-layout tool) by the same code that draws it on screen.

#include <memory>
#include <string>
#include <vector>

// Called with the control's id after the user changed or pressed the control.
using ControlCallback = void (*)(int id);

enum class WidgetKind { Panel, Checkbox, Spinner, RadioGroup, Button };

// One control or framed panel. Fields that do not apply to a kind stay at their defaults.
struct Widget {
  WidgetKind kind = WidgetKind::Panel;
  std::string label;  // caption of a panel; empty for a radio group
  int id = -1;
  ControlCallback callback = nullptr;
  int* int_variable = nullptr;      // checkbox, radio group
  float* float_variable = nullptr;  // spinner
  float lower = 0.0f;               // spinner limits, both inclusive
  float upper = 0.0f;
  bool limited = false;
  float step = 0.0f;                 // change per press of a spinner arrow
  // A spinner's text field edits this copy; the live variable takes it only when the user
  // finishes typing (Enter, or leaving the field), never keystroke by keystroke.
  float typed = 0.0f;
  bool typing = false;  // the text field held the keyboard at the end of the last frame
  std::vector<std::string> options;  // radio buttons, values 0, 1, ... in this order
  std::vector<Widget*> children;     // panel contents, top to bottom

  // Limits a spinner's value to [lower, upper]: typed text and arrow presses alike end inside.
  // The arrows step by a hundredth of the range unless SetStep chose otherwise.
  void SetFloatLimits(float lower_limit, float upper_limit);
  void SetStep(float step_per_press);
};

// Where a drawn control ended up, in pixels from the panel window's top-left corner. A spinner
// gives three: its text field under its label, and its arrows under "<label> up" and "<label> down".
struct WidgetRect {
  std::string name;
  float left, top, right, bottom;
};

struct PanelSize {
  int width, height;
};

// `value` forced into [lower, upper]; a value that is not a number ends at `lower`.
float ClampToLimits(float value, float lower, float upper);

class PanelWindow {
 public:
  explicit PanelWindow(std::string title);

  const std::string& Title() const { return title_; }

  // Each Add appends below the previous control of `parent`, or of the window's top level when
  // `parent` is null. The returned widget lives as long as the window.
  Widget* AddCheckbox(Widget* parent, const char* label, int* live_variable, int id,
                      ControlCallback callback);
  Widget* AddPanel(Widget* parent, const char* caption);
  Widget* AddSpinner(Widget* parent, const char* label, float* live_variable, int id,
                     ControlCallback callback);
  Widget* AddRadioGroup(Widget* parent, int* live_variable, int id, ControlCallback callback);
  void AddRadioButton(Widget* radio_group, const char* label);
  Widget* AddButton(Widget* parent, const char* label, int id, ControlCallback callback);

  // Emits the panel as one window covering the whole display; call between ImGui::NewFrame and
  // ImGui::Render. Controls the user changed write their live variables at once; their callbacks
  // are only recorded, because a callback may end the frame's owner (Quit) or need another window.
  void Draw();

  // Calls, in the order of the user's actions, the callbacks recorded by Draw, and forgets them.
  void RunFiredCallbacks();

  // The rectangles of the last Draw, in drawing order.
  const std::vector<WidgetRect>& Rectangles() const { return rectangles_; }
  const WidgetRect* FindRectangle(const std::string& name) const;

  // The window size that shows every control of the last Draw with the window's padding around.
  PanelSize FittedSize() const;

 private:
  struct FiredCallback {
    ControlCallback callback;
    int id;
  };

  Widget* Append(Widget* parent, WidgetKind kind, const char* label, int id,
                 ControlCallback callback);
  void DrawWidget(Widget& widget, float width);
  void DrawPanelFrame(Widget& panel, float width);
  void DrawSpinner(Widget& spinner, float width);
  void DrawRadioGroup(Widget& group);
  void RecordLastItem(const std::string& name);
  void Fire(const Widget& widget);

  std::string title_;
  std::vector<std::unique_ptr<Widget>> widgets_;  // owns every widget
  std::vector<Widget*> top_level_;
  std::vector<WidgetRect> rectangles_;
  std::vector<FiredCallback> fired_;
};
