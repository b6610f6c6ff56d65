#include "inspect/session-file.h"

#include <cerrno>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "rb-system.h"
#include "scenes/experiment-options.h"

namespace {

constexpr const char* kHeader = "quorvel-session";
constexpr int kVersion = 1;

const char* ActionWord(ActionKind kind) {
  switch (kind) {
    case ActionKind::Start: return "start";
    case ActionKind::Reset: return "reset";
    case ActionKind::Enter: return "enter";
    case ActionKind::Scene: return "scene";
    case ActionKind::Slide: return "slide";
    case ActionKind::Roll: return "roll";
    case ActionKind::Step: return "step";
    case ActionKind::Integrator: return "integrator";
    case ActionKind::Pull: return "pull";
    case ActionKind::Target: return "target";
    case ActionKind::Release: return "release";
    case ActionKind::Rewind: return "rewind";
    case ActionKind::End: return "end";
  }
  return "?";
}

// The words an action takes after its name.
size_t ArgumentCount(ActionKind kind) {
  switch (kind) {
    case ActionKind::Start: return 5;
    case ActionKind::Scene:
    case ActionKind::Slide:
    case ActionKind::Roll:
    case ActionKind::Step:
    case ActionKind::Integrator:
    case ActionKind::Rewind: return 1;
    case ActionKind::Pull: return 4;
    case ActionKind::Target: return 3;
    default: return 0;
  }
}

bool ActionFromWord(const std::string& word, ActionKind& kind) {
  for (int k = 0; k <= static_cast<int>(ActionKind::End); ++k) {
    if (word == ActionWord(static_cast<ActionKind>(k))) {
      kind = static_cast<ActionKind>(k);
      return true;
    }
  }
  return false;
}

// A finite float spelled with nothing after it.
bool ParseFloat(const std::string& text, float& value) {
  char* end = nullptr;
  errno = 0;
  const float parsed = std::strtof(text.c_str(), &end);
  if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseIteration(const std::string& text, uint64_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  value = parsed;
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

// The shortest decimal that reads back to the same float (nine digits always do).
std::string Float(float value) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

bool ModelFileExists(int model) {
  char name[64];
  RBSystem::ModelFileName(model, name, sizeof name);
  return std::ifstream(name).good();
}

// Reads one option line into options; false with a message for a wrong value.
bool ParseOption(const std::vector<std::string>& w, SessionOptions& options, std::string& problem) {
  long value = 0;
  if (w[0] == "scene") {
    if (!SceneFromName(w[1].c_str(), options.scene)) {
      problem = "unknown scene '" + w[1] + "' (known: " + SceneNames() + ")";
      return false;
    }
  } else if (w[0] == "seed") {
    if (!ParseWholeNumber(w[1].c_str(), 0, UINT_MAX, value)) {
      problem = "the seed wants a whole number, not '" + w[1] + "'";
      return false;
    }
    options.seed = static_cast<unsigned>(value);
  } else if (w[0] == "bodies") {
    if (!ParseWholeNumber(w[1].c_str(), 0, 1000, value)) {
      problem = "bodies wants a whole number in 0 .. 1000, not '" + w[1] + "'";
      return false;
    }
    options.bodies = static_cast<unsigned>(value);
  } else {
    if (!ParseWholeNumber(w[1].c_str(), 0, 99, value)) {
      problem = "the model wants a whole number in 0 .. 99, not '" + w[1] + "'";
      return false;
    }
    if (!ModelFileExists(static_cast<int>(value))) {
      char name[64];
      RBSystem::ModelFileName(static_cast<int>(value), name, sizeof name);
      problem = "model " + w[1] + " does not exist: no " + name + " in the working directory";
      return false;
    }
    options.model = static_cast<int>(value);
  }
  return true;
}

bool ParseAction(const std::vector<std::string>& w, SessionAction& action, std::string& problem) {
  if (!ParseIteration(w[0], action.iteration)) {
    problem = "an action line begins with the iteration it precedes, not '" + w[0] + "'";
    return false;
  }
  if (w.size() < 2 || !ActionFromWord(w[1], action.kind)) {
    problem = "unknown action '" + (w.size() < 2 ? std::string() : w[1]) + "'";
    return false;
  }
  const size_t wanted = ArgumentCount(action.kind);
  if (w.size() != wanted + 2) {
    problem = std::string(ActionWord(action.kind)) + " takes " + std::to_string(wanted) + " values, not " +
              std::to_string(w.size() - 2);
    return false;
  }
  const auto floats = [&](size_t from, float* out, size_t n) {
    for (size_t k = 0; k < n; ++k) {
      if (!ParseFloat(w[from + k], out[k])) {
        problem = std::string(ActionWord(action.kind)) + ": '" + w[from + k] + "' is not a number";
        return false;
      }
    }
    return true;
  };
  float v[4];
  long whole = 0;
  switch (action.kind) {
    case ActionKind::Start:
      if (w[2] != "own" && w[2] != "aimed") {
        problem = "start is 'own' or 'aimed', not '" + w[2] + "'";
        return false;
      }
      action.aimed = w[2] == "aimed";
      if (!floats(3, v, 4)) return false;
      action.shot = Shot{Vec3(v[0], v[1], v[2]), v[3]};
      return true;
    case ActionKind::Scene:
      if (!SceneFromName(w[2].c_str(), action.scene)) {
        problem = "unknown scene '" + w[2] + "' (known: " + SceneNames() + ")";
        return false;
      }
      return true;
    case ActionKind::Slide:
    case ActionKind::Roll:
    case ActionKind::Step:
      if (!floats(2, v, 1)) return false;
      action.value = v[0];
      if (action.kind == ActionKind::Step && !(v[0] > 0)) {
        problem = "step wants a number above 0, not '" + w[2] + "'";
        return false;
      }
      return true;
    case ActionKind::Integrator:
      if (w[2] != "euler" && w[2] != "rk4") {
        problem = "integrator is 'euler' or 'rk4', not '" + w[2] + "'";
        return false;
      }
      action.rk4 = w[2] == "rk4";
      return true;
    case ActionKind::Pull:
      if (!ParseWholeNumber(w[2].c_str(), 0, 999, whole)) {
        problem = "pull wants a body number, not '" + w[2] + "'";
        return false;
      }
      action.body = static_cast<uint32_t>(whole);
      if (!floats(3, v, 3)) return false;
      action.point = Vec3(v[0], v[1], v[2]);
      return true;
    case ActionKind::Target:
      if (!floats(2, v, 3)) return false;
      action.point = Vec3(v[0], v[1], v[2]);
      return true;
    case ActionKind::Rewind:
      if (!ParseIteration(w[2], action.back_to)) {
        problem = "rewind wants an iteration, not '" + w[2] + "'";
        return false;
      }
      return true;
    default: return true;
  }
}

}  // namespace

std::string FormatSessionHeader(const SessionOptions& options) {
  return std::string(kHeader) + " " + std::to_string(kVersion) + "\nscene " + SceneName(options.scene) +
         "\nseed " + std::to_string(options.seed) + "\nbodies " + std::to_string(options.bodies) + "\nmodel " +
         std::to_string(options.model) + "\n";
}

std::string FormatSessionAction(const SessionAction& a) {
  std::string line = std::to_string(a.iteration) + " " + ActionWord(a.kind);
  switch (a.kind) {
    case ActionKind::Start:
      line += std::string(a.aimed ? " aimed " : " own ") + Float(a.shot.direction.x) + " " +
              Float(a.shot.direction.y) + " " + Float(a.shot.direction.z) + " " + Float(a.shot.speed);
      break;
    case ActionKind::Scene: line += std::string(" ") + SceneName(a.scene); break;
    case ActionKind::Slide:
    case ActionKind::Roll:
    case ActionKind::Step: line += " " + Float(a.value); break;
    case ActionKind::Integrator: line += a.rk4 ? " rk4" : " euler"; break;
    case ActionKind::Pull: line += " " + std::to_string(a.body); [[fallthrough]];
    case ActionKind::Target:
      line += " " + Float(a.point.x) + " " + Float(a.point.y) + " " + Float(a.point.z);
      break;
    case ActionKind::Rewind: line += " " + std::to_string(a.back_to); break;
    default: break;
  }
  return line + "\n";
}

bool ParseSession(const std::string& text, const char* name, Session& session, std::string& problem) {
  session = Session();
  int line_number = 0;
  const auto fail = [&](const std::string& why) {
    problem = std::string(name) + ": line " + std::to_string(line_number) + ": " + why;
    return false;
  };
  bool options_seen[4] = {false, false, false, false};
  const char* option_names[4] = {"scene", "seed", "bodies", "model"};
  size_t at = 0;
  while (at < text.size()) {
    ++line_number;
    const size_t newline = text.find('\n', at);
    if (newline == std::string::npos) return fail("truncated: the file ends inside this line");
    const std::string line = text.substr(at, newline - at);
    at = newline + 1;
    const std::vector<std::string> w = Words(line);
    if (line_number == 1) {
      if (w.size() != 2 || w[0] != kHeader) return fail("not a session file (it begins 'quorvel-session 1')");
      if (w[1] != std::to_string(kVersion))
        return fail("session version '" + w[1] + "' is not known; this program reads version 1");
      continue;
    }
    if (w.empty()) return fail("empty line");
    if (session.ended) return fail("nothing may follow end");
    int option = -1;
    for (int k = 0; k < 4; ++k)
      if (w[0] == option_names[k]) option = k;
    if (option >= 0) {
      if (!session.actions.empty()) return fail(w[0] + " must come before the first action");
      if (options_seen[option]) return fail(w[0] + " given twice");
      if (w.size() != 2) return fail(w[0] + " takes one value");
      std::string why;
      if (!ParseOption(w, session.options, why)) return fail(why);
      options_seen[option] = true;
      continue;
    }
    for (int k = 0; k < 4; ++k)
      if (!options_seen[k]) return fail(std::string("the option ") + option_names[k] + " must come before the actions");
    SessionAction action;
    std::string why;
    if (!ParseAction(w, action, why)) return fail("malformed: " + why);
    if (!session.actions.empty() && action.iteration < session.actions.back().iteration)
      return fail("stamped at iteration " + std::to_string(action.iteration) + ", before the previous action's " +
                  std::to_string(session.actions.back().iteration));
    action.line = line_number;
    session.ended = action.kind == ActionKind::End;
    session.actions.push_back(action);
  }
  if (line_number == 0) return fail("empty file (a session begins 'quorvel-session 1')");
  for (int k = 0; k < 4; ++k)
    if (!options_seen[k]) return fail(std::string("the option ") + option_names[k] + " is missing");
  return true;
}

bool ReadSession(const char* path, Session& session, std::string& problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = std::string(path) + ": cannot be read: " + std::strerror(errno);
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseSession(text.str(), path, session, problem);
}

Experiment ExperimentOf(const SessionOptions& options) {
  Experiment experiment;
  experiment.kind = options.scene;
  experiment.seed = options.seed;
  experiment.bodies = options.bodies;
  experiment.model = options.model;
  return experiment;
}
