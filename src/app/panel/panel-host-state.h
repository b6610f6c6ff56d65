#pragma once
// What the on-screen control panel keeps between the window system's callbacks: its window, its
// widget tree, the input queued for its next frames, and the program's idle function. The one
// instance is among the program's globals (app-globals.h).

#include <memory>

#include "app/panel/panel-input-queue.h"
#include "app/panel/panel-window.h"

struct PanelHost {
  // The size the window opens with, before its controls have been measured.
  static constexpr int kInitialWidth = 240;
  static constexpr int kInitialHeight = 300;

  std::unique_ptr<PanelWindow> panel;
  int window = 0;       // the panel's window id; 0 before CreatePanelWindow
  int main_window = 0;  // 0: callbacks run with the panel window current
  int width = kInitialWidth;  // the window's size as its last reshape gave it
  int height = kInitialHeight;
  PanelInputQueue input;
  int settle_frames = 0;  // frames still to draw after the last input
  void (*idle)() = nullptr;
};
