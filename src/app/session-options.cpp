#include "app/session-options.h"

#include <cstring>

bool TakeSessionFlags(int& argc, char** argv, SessionFlags& options, std::string& problem) {
  int kept = 1;
  for (int a = 1; a < argc; ++a) {
    const char* option = argv[a];
    const char** value = nullptr;
    if (!std::strcmp(option, "--record")) {
      value = &options.record;
    } else if (!std::strcmp(option, "--replay")) {
      value = &options.replay;
    } else if (!std::strcmp(option, "--shots")) {
      value = &options.shots;
    } else if (!std::strcmp(option, "--fingerprint")) {
      options.fingerprint = true;
      continue;
    } else {
      argv[kept++] = argv[a];
      continue;
    }
    if (a + 1 >= argc) {
      problem = std::string(option) + " needs a value";
      return false;
    }
    *value = argv[++a];
  }
  argc = kept;
  argv[argc] = nullptr;
  if (options.record && options.replay) {
    problem = "--record and --replay cannot be used together";
    return false;
  }
  return true;
}
