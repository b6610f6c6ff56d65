#pragma once
// The demo's own options, with the benchmark's meanings and checks: --seed N, --bodies N,
// --model N, --scene NAME. Everything else on the command line is the window system's.

#include <string>

#include "scenes/experiment.h"

// Takes the options out of argv (argc shrinks; the remaining arguments keep their order for the
// window system) into the experiment. Without --seed the seed is `default_seed`. False, with a
// message in problem, on a missing or bad value or options that do not agree.
bool TakeDemoOptions(int& argc, char** argv, unsigned default_seed, Experiment& experiment, std::string& problem);
