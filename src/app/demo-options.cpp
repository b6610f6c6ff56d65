#include "app/demo-options.h"

#include "scenes/experiment-options.h"

bool TakeDemoOptions(int& argc, char** argv, unsigned default_seed, Experiment& experiment, std::string& problem) {
  bool seed_given = false;
  int kept = 1;
  for (int a = 1; a < argc; ++a) {
    const int first = a;
    switch (TakeExperimentOption(argc, argv, a, experiment, seed_given, problem)) {
      case OptionTaken::kBad: return false;
      case OptionTaken::kTaken: break;
      case OptionTaken::kNotOurs: argv[kept++] = argv[first]; break;
    }
  }
  argc = kept;
  argv[argc] = nullptr;  // as the C runtime ends argv
  if (!seed_given) experiment.seed = default_seed;
  return ExperimentOptionsAgree(experiment, problem);
}
