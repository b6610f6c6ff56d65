#include "app/inspect/screenshot.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app-globals.h"
#include "app/inspect/png-file.h"

void WriteMainWindowShot() {
  const WindowRecord& window = window_table[main_window];
  const int width = window.width;
  const int height = window.height;
  std::vector<unsigned char> bottom_up(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  // GL's rows run from the bottom up, a PNG's from the top down.
  std::vector<unsigned char> top_down(bottom_up.size());
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::copy_n(&bottom_up[static_cast<size_t>(height - 1 - y) * row], row, &top_down[static_cast<size_t>(y) * row]);

  const unsigned long long iteration = timeline.history().empty() ? 0 : timeline.history().shown();
  char name[96];
  std::snprintf(name, sizeof name, "quorvel-%s-%06llu.png", SceneName(experiment.kind), iteration);
  const std::string path = std::string(shots_folder) + "/" + name;
  std::string problem;
  if (WritePng(path.c_str(), width, height, top_down.data(), problem))
    std::fprintf(stderr, "Screenshot: %s\n", path.c_str());
  else
    std::fprintf(stderr, "Screenshot not taken: %s\n", problem.c_str());
}
