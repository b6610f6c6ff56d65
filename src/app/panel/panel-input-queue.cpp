#include "app/panel/panel-input-queue.h"

#include <imgui.h>

#include <cfloat>

namespace {

void SetCharacterKey(ImGuiIO& io, int code, bool down) {
  // The window system reports Ctrl+A..Ctrl+Z as 1..26 and cannot tell Tab from Ctrl+I; letters
  // are marked in both cases so that shortcuts such as Ctrl+A (select all) are found.
  if (code >= 1 && code <= 26) {
    io.KeysDown[code] = io.KeysDown[code - 1 + 'a'] = io.KeysDown[code - 1 + 'A'] = down;
  } else if (code >= 'a' && code <= 'z') {
    io.KeysDown[code] = io.KeysDown[code - 'a' + 'A'] = down;
  } else if (code >= 'A' && code <= 'Z') {
    io.KeysDown[code] = io.KeysDown[code - 'A' + 'a'] = down;
  } else if (code >= 0 && code < kSpecialKeyOffset) {
    io.KeysDown[code] = down;
  }
  if (down && code >= 32 && code != 127) io.AddInputCharacter(static_cast<unsigned>(code));
}

void SetSpecialKey(ImGuiIO& io, int code, bool down) {
  const int index = kSpecialKeyOffset + code;
  if (index >= 0 && index < IM_ARRAYSIZE(io.KeysDown)) io.KeysDown[index] = down;
}

}  // namespace

void PanelInputQueue::Push(const PanelInput& input) {
  if (input.kind == PanelInputKind::Move && !pending_.empty() &&
      pending_.back().kind == PanelInputKind::Move) {
    pending_.back() = input;
    return;
  }
  pending_.push_back(input);
}

bool PanelInputQueue::FeedOneFrame(ImGuiIO& io) {
  const bool any = !pending_.empty();
  while (!pending_.empty()) {
    const PanelInput input = pending_.front();
    pending_.pop_front();
    switch (input.kind) {
      case PanelInputKind::Move:
        io.MousePos = ImVec2(static_cast<float>(input.x), static_cast<float>(input.y));
        continue;
      case PanelInputKind::Leave:
        io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
        continue;
      case PanelInputKind::Wheel:
        io.MouseWheel += static_cast<float>(input.code);
        continue;
      case PanelInputKind::Button:
        io.MousePos = ImVec2(static_cast<float>(input.x), static_cast<float>(input.y));
        if (input.code >= 0 && input.code < IM_ARRAYSIZE(io.MouseDown)) {
          io.MouseDown[input.code] = input.down;
        }
        break;
      case PanelInputKind::Key:
        SetCharacterKey(io, input.code, input.down);
        break;
      case PanelInputKind::SpecialKey:
        SetSpecialKey(io, input.code, input.down);
        break;
    }
    io.KeyShift = input.shift;
    io.KeyCtrl = input.ctrl;
    io.KeyAlt = input.alt;
    break;  // one button or key change per frame
  }
  return any;
}
