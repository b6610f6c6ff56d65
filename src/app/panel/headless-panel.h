#pragma once
// A panel window without a window: its own widget-library context and a fixed display, driven
// frame by frame with queued input. Tests click and type through it; the panel-layout tool
// reads the rectangles the controls get, which are those of the on-screen panel.

#include "app/panel/panel-input-queue.h"
#include "app/panel/panel-window.h"

struct ImGuiContext;

class HeadlessPanel {
 public:
  // `panel` must outlive this object.
  explicit HeadlessPanel(PanelWindow& panel);
  ~HeadlessPanel();
  HeadlessPanel(const HeadlessPanel&) = delete;
  HeadlessPanel& operator=(const HeadlessPanel&) = delete;

  PanelInputQueue& Input() { return input_; }

  // One frame: feeds the queued input due this frame, draws the panel, then runs the callbacks
  // the frame fired.
  void RunFrame();

  // Frames until the queue is empty, then `settle_frames` more so that the library has acted on
  // the last change; at most `max_frames` in all. Returns whether the queue emptied in time.
  bool RunUntilIdle(int settle_frames = 2, int max_frames = 1000);

 private:
  PanelWindow& panel_;
  ImGuiContext* context_;
  PanelInputQueue input_;
};
