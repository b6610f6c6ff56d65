#pragma once
// The experiments the demo and the benchmark can set up: the break (the default), and six scenes
// that each show one law of the model and check themselves against it.

#include <cstdint>

enum class SceneKind : uint8_t { Break, HeadOn, Glancing, Cradle, SlideToRoll, Bank, Crowd };

constexpr int kSceneCount = 7;

// The name used by --scene: "break", "head-on", "glancing", "cradle", "slide-to-roll", "bank",
// "crowd".
const char* SceneName(SceneKind kind);
// The scene of that name; false, leaving kind alone, for any other text.
bool SceneFromName(const char* name, SceneKind& kind);
// All names, comma separated, for messages and the usage text.
const char* SceneNames();

// ']' and '[': the next and the previous scene, round the list.
SceneKind NextScene(SceneKind kind);
SceneKind PreviousScene(SceneKind kind);

// The one line the demo shows at the top of the main window; empty for the break.
const char* SceneCaption(SceneKind kind);

// How many balls the scene sets up. `bodies`: the --bodies value, 0 when not given; only the
// break (default 10) and the crowd (default 200, also for a value beyond its limits below) take
// it.
unsigned SceneBodyCount(SceneKind kind, unsigned bodies);
// The crowd's limits: beyond this the cells of the broad phase (30 entries each) overflow and
// random placement without overlap gets slow.
constexpr unsigned kMinCrowdBodies = 2;
constexpr unsigned kMaxCrowdBodies = 300;
