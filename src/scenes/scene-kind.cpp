#include "scenes/scene-kind.h"

#include <cstring>

namespace {

struct SceneText {
  const char* name;
  const char* caption;
};

// In the order of SceneKind. Each caption fits the 720-pixel window in the demo's font.
const SceneText kScenes[kSceneCount] = {
    {"break", ""},
    {"head-on", "Head-on, equal masses, elastic impulse: the shooter stops dead and the target leaves with its speed."},
    {"glancing", "Off-centre hit, impulse along the line of centres: the two leave at right angles, whatever the offset."},
    {"cradle",
     "Cradle: pairs are resolved one at a time, one ball per step; a real cradle passes the shot through at once."},
    {"slide-to-roll",
     "Spin catches up: rolls at 10/11 of the shot speed (inertia 1, mass 10); a solid ball (I = 2/5 m r^2) at 5/7."},
    {"bank", "Bank off a wall at 45 degrees: normal part reversed x 0.6, tangential kept: out at 59.04 deg, x 0.825."},
    {"crowd", "A crowd in the broad phase: impulses, bounces and friction never add linear kinetic energy."},
};

}  // namespace

const char* SceneName(SceneKind kind) { return kScenes[static_cast<int>(kind)].name; }

bool SceneFromName(const char* name, SceneKind& kind) {
  for (int k = 0; k < kSceneCount; ++k) {
    if (std::strcmp(name, kScenes[k].name) == 0) {
      kind = static_cast<SceneKind>(k);
      return true;
    }
  }
  return false;
}

const char* SceneNames() { return "break, head-on, glancing, cradle, slide-to-roll, bank, crowd"; }

SceneKind NextScene(SceneKind kind) { return static_cast<SceneKind>((static_cast<int>(kind) + 1) % kSceneCount); }

SceneKind PreviousScene(SceneKind kind) {
  return static_cast<SceneKind>((static_cast<int>(kind) + kSceneCount - 1) % kSceneCount);
}

const char* SceneCaption(SceneKind kind) { return kScenes[static_cast<int>(kind)].caption; }

unsigned SceneBodyCount(SceneKind kind, unsigned bodies) {
  switch (kind) {
    case SceneKind::Break: return bodies ? bodies : 10;
    case SceneKind::HeadOn:
    case SceneKind::Glancing: return 2;
    case SceneKind::Cradle: return 6;
    case SceneKind::SlideToRoll:
    case SceneKind::Bank: return 1;
    // A --bodies meant for the break (the demo steps from one scene to the other) that the crowd
    // cannot take leaves the crowd at its default.
    case SceneKind::Crowd: return bodies >= kMinCrowdBodies && bodies <= kMaxCrowdBodies ? bodies : 200;
  }
  return 10;
}
