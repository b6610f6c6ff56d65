// Prints the size of the demo's control panel window and the rectangle of every control in it,
// in pixels from the window's top-left corner, laid out headless by the code the demo draws it
// with. Output, one item a line:
//   window <width> <height>
//   rect <left> <top> <right> <bottom> <name>
// where a name may contain spaces ("Sim Method", "Step: up").

#include <cstdio>
#include <cstring>

#include "app/control-panel.h"
#include "app/panel/headless-panel.h"
#include "app/panel/panel-window.h"

int main(int argc, char** argv) {
  const char usage[] =
      "usage: panel-layout\n"
      "Prints the demo's control panel size (window W H) and the rectangle of every control\n"
      "(rect LEFT TOP RIGHT BOTTOM NAME), laid out headless by the demo's own panel code.\n";
  if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc > 1) {
    std::fprintf(stderr, "panel-layout: unknown option '%s'\n%s", argv[1], usage);
    return 2;
  }
  PanelWindow panel("GLUI");
  AddControlPanelWidgets(panel);
  HeadlessPanel headless(panel);
  // The first frame measures; the following ones lay out with what it measured.
  constexpr int kLayoutFrames = 3;
  for (int i = 0; i < kLayoutFrames; ++i) headless.RunFrame();

  const PanelSize size = panel.FittedSize();
  std::printf("window %d %d\n", size.width, size.height);
  for (const WidgetRect& rect : panel.Rectangles()) {
    std::printf("rect %.0f %.0f %.0f %.0f %s\n", rect.left, rect.top, rect.right, rect.bottom,
                rect.name.c_str());
  }
  return 0;
}
