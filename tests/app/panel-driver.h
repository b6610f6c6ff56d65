#pragma once
// Clicks and types on a headless panel the way the window system would report a user doing it:
// every press and release is queued at once, as fast input arrives between two frames.

#include <gtest/gtest.h>

#include <string>

#include "app/panel/headless-panel.h"
#include "app/panel/panel-window.h"

class PanelDriver {
 public:
  explicit PanelDriver(PanelWindow& panel) : panel_(panel), headless_(panel) {
    headless_.RunFrame();  // lays the panel out, so that rectangles exist
    headless_.RunFrame();
  }

  HeadlessPanel& Headless() { return headless_; }

  // Left click in the middle of the named rectangle, then frames until the panel has acted.
  void Click(const std::string& name) {
    const WidgetRect* rect = panel_.FindRectangle(name);
    ASSERT_NE(rect, nullptr) << name;
    const int x = static_cast<int>((rect->left + rect->right) / 2);
    const int y = static_cast<int>((rect->top + rect->bottom) / 2);
    Push(Event(PanelInputKind::Move, x, y));
    Push(Button(x, y, true));
    Push(Button(x, y, false));
    ASSERT_TRUE(headless_.RunUntilIdle());
  }

  // Clicks the named text field, types `text` and presses Enter.
  void Type(const std::string& field, const std::string& text) {
    Click(field);
    for (char c : text) Key(static_cast<unsigned char>(c));
    Key(13);
    ASSERT_TRUE(headless_.RunUntilIdle());
  }

  void Key(int code) {
    PanelInput key = Event(PanelInputKind::Key, 0, 0);
    key.code = code;
    key.down = true;
    Push(key);
    key.down = false;
    Push(key);
  }

  static PanelInput Event(PanelInputKind kind, int x, int y) {
    PanelInput input;
    input.kind = kind;
    input.x = x;
    input.y = y;
    return input;
  }

  static PanelInput Button(int x, int y, bool down) {
    PanelInput input = Event(PanelInputKind::Button, x, y);
    input.code = 0;
    input.down = down;
    return input;
  }

 private:
  void Push(const PanelInput& input) { headless_.Input().Push(input); }

  PanelWindow& panel_;
  HeadlessPanel headless_;
};
