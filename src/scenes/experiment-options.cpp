#include "scenes/experiment-options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

std::string WantsWhole(const char* option, long lowest, long highest, const char* text) {
  return std::string(option) + " wants a whole number from " + std::to_string(lowest) + " to " +
         std::to_string(highest) + ", not '" + text + "'";
}

}  // namespace

bool ParseWholeNumber(const char* text, long lowest, long highest, long& value) {
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || parsed < lowest || parsed > highest) return false;
  value = parsed;
  return true;
}

OptionTaken TakeExperimentOption(int argc, char** argv, int& a, Experiment& experiment, bool& seed_given,
                                 std::string& problem) {
  const char* option = argv[a];
  const bool ours = !std::strcmp(option, "--seed") || !std::strcmp(option, "--bodies") ||
                    !std::strcmp(option, "--model") || !std::strcmp(option, "--scene");
  if (!ours) return OptionTaken::kNotOurs;
  if (a + 1 >= argc) {
    problem = std::string(option) + " needs a value";
    return OptionTaken::kBad;
  }
  const char* text = argv[++a];
  long value = 0;
  if (!std::strcmp(option, "--scene")) {
    if (SceneFromName(text, experiment.kind)) return OptionTaken::kTaken;
    problem = std::string("--scene wants one of ") + SceneNames() + ", not '" + text + "'";
    return OptionTaken::kBad;
  }
  if (!std::strcmp(option, "--seed")) {
    if (!ParseWholeNumber(text, 0, UINT_MAX, value)) {
      problem = WantsWhole(option, 0, UINT_MAX, text);
      return OptionTaken::kBad;
    }
    experiment.seed = static_cast<unsigned>(value);
    seed_given = true;
  } else if (!std::strcmp(option, "--bodies")) {
    if (!ParseWholeNumber(text, 1, 1000, value)) {
      problem = WantsWhole(option, 1, 1000, text);
      return OptionTaken::kBad;
    }
    experiment.bodies = static_cast<unsigned>(value);
  } else {
    if (!ParseWholeNumber(text, 0, 99, value)) {
      problem = WantsWhole(option, 0, 99, text);
      return OptionTaken::kBad;
    }
    experiment.model = static_cast<int>(value);
  }
  return OptionTaken::kTaken;
}

bool ExperimentOptionsAgree(const Experiment& experiment, std::string& problem) {
  if (experiment.kind == SceneKind::Crowd && experiment.bodies != 0 &&
      (experiment.bodies < kMinCrowdBodies || experiment.bodies > kMaxCrowdBodies)) {
    problem = "--bodies with --scene crowd wants a whole number from " + std::to_string(kMinCrowdBodies) + " to " +
              std::to_string(kMaxCrowdBodies) + ", not " + std::to_string(experiment.bodies);
    return false;
  }
  return true;
}
