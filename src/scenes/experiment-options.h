#pragma once
// The command-line options that choose an experiment, shared by the demo and the benchmark with
// the same meanings and checks: --seed N, --bodies N, --model N, --scene NAME.

#include <string>

#include "scenes/experiment.h"

enum class OptionTaken { kNotOurs, kTaken, kBad };

// A whole number in [lowest, highest] spelled in decimal with nothing after it; false otherwise.
bool ParseWholeNumber(const char* text, long lowest, long highest, long& value);

// Looks at argv[a]: one of the four options takes its value from argv[a + 1] (a moves past it)
// into the experiment; seed_given tells whether --seed came. kBad, with a message in problem,
// for a missing or bad value; kNotOurs, changing nothing, for any other argument.
OptionTaken TakeExperimentOption(int argc, char** argv, int& a, Experiment& experiment, bool& seed_given,
                                 std::string& problem);

// What only the whole set can tell: the crowd takes kMinCrowdBodies .. kMaxCrowdBodies balls.
bool ExperimentOptionsAgree(const Experiment& experiment, std::string& problem);
