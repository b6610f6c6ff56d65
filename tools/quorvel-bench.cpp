// The headless settling benchmark: sets the scene up exactly as the demo does, from the mesh
// files in the working directory, then shoots, waits for an iteration free of contacts and
// times 16384 simulation iterations. No display is needed.

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <ctime>

#include "bench-observer.h"
#include "fingerprint.h"
#include "inspect/session-file.h"
#include "inspect/state-history.h"
#include "inspect/timeline.h"
#include "performance-analysis.h"
#include "scene.h"
#include "scenes/experiment-options.h"
#include "scenes/run-scene-check.h"

namespace {

const char kUsage[] =
    "usage: quorvel-bench [--seed N] [--rk4] [--step H] [--model N] [--bodies N] [--fingerprint]\n"
    "                     [--json] [--trace FILE.csv] [--history] [--scene NAME --check]\n"
    "       quorvel-bench --replay FILE [--fingerprint] [--json]\n"
    "Run from the folder that holds box.tris and the sphere files (data/).\n"
    "  --seed N    seed of the random generator (default: the current time)\n"
    "  --rk4       integrate with fourth-order Runge-Kutta instead of Euler\n"
    "  --step H    time step of every iteration, > 0 (default 0.1)\n"
    "  --model N   sphere model number N: sphereNN.tris (default 3; data/ holds 0 .. 5)\n"
    "  --bodies N  number of spheres, 1 .. 1000 (default 10; beyond ten placed at random)\n"
    "  --fingerprint  after the run, print a hash of every body's final state (bit-exact) to\n"
    "              the standard output, to compare versions of the code on seeded runs\n"
    "  --json      print the figures as one JSON object on the standard output\n"
    "  --trace F   write one CSV row per iteration to F: contacts, queries, and the cost of\n"
    "              the step and of each collision pass (tools/plot-trace draws it)\n"
    "  --history   keep every iteration's state in the history the demo rewinds through, to\n"
    "              measure what keeping it costs\n"
    "  --scene NAME --check  instead of timing, run one scene's shot and compare what it\n"
    "              measures with what the model's laws predict; one line (or with --json one\n"
    "              object), exit 0 on pass and 1 on a failed check. Scenes: break (no\n"
    "              prediction: the run must settle), head-on, glancing, cradle, slide-to-roll,\n"
    "              bank, crowd (--bodies balls, default 200, 2 .. 300)\n"
    "  --replay F  instead of timing, play the session file F (written by quorvel --record) as\n"
    "              fast as it can; with --fingerprint or --json print the final state's hash.\n"
    "              A session that cannot be read or played to its end: a message, exit 1\n"
    "On a terminal, a progress line shows the settling and the timed iterations.\n";

[[noreturn]] void Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "quorvel-bench: %s\n", problem);
  std::fputs(kUsage, problem ? stderr : stdout);
  std::exit(problem ? 2 : 0);
}

long MaxResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

// Prints the check's line, or with json its object, on the standard output; the second figure a
// scene compares goes to the standard error stream as a line of its own. Returns the exit code.
int ReportCheck(const char* scene, const CheckFigures& f, bool json) {
  const bool pass = f.measured_yet && f.pass;
  const bool predicts = std::strcmp(scene, "break") != 0;  // the break only has to settle
  if (json) {
    std::printf("{\"scene\": \"%s\", \"quantity\": \"%s\", \"unit\": \"%s\", ", scene, f.quantity, f.unit);
    if (f.measured_yet)
      std::printf("\"measured\": %.9g, ", f.measured);
    else
      std::printf("\"measured\": null, ");
    if (predicts)
      std::printf("\"predicted\": %.9g, \"tolerance\": %.3g, ", f.predicted, f.tolerance);
    else
      std::printf("\"predicted\": null, \"tolerance\": null, ");
    std::printf("\"pass\": %s", pass ? "true" : "false");
    if (f.second_quantity) {
      const bool switching = !std::strcmp(scene, "slide-to-roll");
      if (switching) {
        std::printf(", \"switch_speed_ratio\": %.9g, \"switch_speed_ratio_predicted\": %.9g", f.measured, f.predicted);
        std::printf(", \"switch_time\": %.9g, \"switch_time_predicted\": %.9g, \"switch_time_tolerance\": %.3g",
                    f.second_measured, f.second_predicted, f.second_tolerance);
      } else {
        std::printf(", \"second_quantity\": \"%s\", \"second_unit\": \"%s\", \"second_measured\": %.9g, "
                    "\"second_predicted\": %.9g, \"second_tolerance\": %.3g",
                    f.second_quantity, f.second_unit, f.second_measured, f.second_predicted, f.second_tolerance);
      }
    }
    std::printf("}\n");
  } else {
    if (!predicts)
      std::printf("%s: measured %.9g, predicted none, tolerance none (%s): %s\n", scene, f.measured, f.unit,
                  pass ? "pass" : "FAIL");
    else if (f.measured_yet)
      std::printf("%s: measured %.9g, predicted %.9g, tolerance %.3g (%s): %s\n", scene, f.measured, f.predicted,
                  f.tolerance, f.unit, pass ? "pass" : "FAIL");
    else
      std::printf("%s: measured nothing within %ld iterations, predicted %.9g, tolerance %.3g (%s): FAIL\n", scene,
                  kMaxCheckIterations, f.predicted, f.tolerance, f.unit);
    if (f.second_quantity && f.measured_yet)
      std::fprintf(stderr, "%s: %s: measured %.9g, predicted %.9g, tolerance %.3g (%s)\n", scene, f.second_quantity,
                   f.second_measured, f.second_predicted, f.second_tolerance, f.second_unit);
  }
  return pass ? 0 : 1;
}

// --replay: the session played headless; its final fingerprint printed as asked.
int ReplayFile(const char* path, bool fingerprint, bool json) {
  Session session;
  std::string problem;
  if (!ReadSession(path, session, problem)) {
    std::fprintf(stderr, "quorvel-bench: %s\n", problem.c_str());
    return 1;
  }
  Scene scene(SceneBodyCount(session.options.scene, session.options.bodies));
  uint64_t iterations = 0;
  if (!ReplaySessionHeadless(session, scene, problem, &iterations)) {
    std::fprintf(stderr, "quorvel-bench: %s: %s\n", path, problem.c_str());
    return 1;
  }
  const unsigned long long hash = StateFingerprint(scene.bodies_system);
  if (json) {
    std::printf("{\"session\": \"%s\", \"iterations\": %llu, \"fingerprint\": \"%016llx\"}\n", path,
                static_cast<unsigned long long>(iterations), hash);
  } else if (fingerprint) {
    std::printf("fingerprint %016llx\n", hash);
  } else {
    std::printf("%s: replayed to its end, %llu iterations\n", path, static_cast<unsigned long long>(iterations));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Experiment experiment;
  experiment.seed = static_cast<unsigned>(std::time(nullptr));
  bool seed_given = false;
  bool check = false;
  bool rk4 = false;
  float step = 0.1f;
  bool fingerprint = false;
  bool json = false;
  const char* trace_path = nullptr;
  bool keep_history = false;
  const char* replay_path = nullptr;

  for (int a = 1; a < argc; ++a) {
    const char* option = argv[a];
    auto value = [&]() -> const char* {
      if (a + 1 >= argc) {
        static char problem[64];
        std::snprintf(problem, sizeof problem, "%s needs a value", option);
        Usage(problem);
      }
      return argv[++a];
    };
    std::string problem;
    const OptionTaken taken = TakeExperimentOption(argc, argv, a, experiment, seed_given, problem);
    if (taken == OptionTaken::kBad) Usage(problem.c_str());
    if (taken == OptionTaken::kTaken) continue;
    if (!std::strcmp(option, "--help") || !std::strcmp(option, "-h")) {
      Usage(nullptr);
    } else if (!std::strcmp(option, "--check")) {
      check = true;
    } else if (!std::strcmp(option, "--fingerprint")) {
      fingerprint = true;
    } else if (!std::strcmp(option, "--json")) {
      json = true;
    } else if (!std::strcmp(option, "--trace")) {
      trace_path = value();
    } else if (!std::strcmp(option, "--replay")) {
      replay_path = value();
    } else if (!std::strcmp(option, "--history")) {
      keep_history = true;
    } else if (!std::strcmp(option, "--rk4")) {
      rk4 = true;
    } else if (!std::strcmp(option, "--step")) {
      const char* text = value();
      char* end = nullptr;
      step = std::strtof(text, &end);
      if (end == text || *end != '\0' || !(step > 0.0f) || step > 10.0f) Usage("--step wants a number in (0, 10]");
    } else {
      static char problem[128];
      std::snprintf(problem, sizeof problem, "unknown option '%s'", option);
      Usage(problem);
    }
  }

  if (replay_path) return ReplayFile(replay_path, fingerprint, json);

  {
    std::string problem;
    if (!ExperimentOptionsAgree(experiment, problem)) Usage(problem.c_str());
  }
  const bool break_scene = experiment.kind == SceneKind::Break;
  if (!break_scene && !check) Usage("--scene other than break needs --check");
  const unsigned seed = experiment.seed;
  const int model = experiment.model;
  const unsigned bodies = SceneBodyCount(experiment.kind, experiment.bodies);

  if (check && !break_scene) {
    Scene scene(bodies);
    SetUpExperiment(scene, experiment);
    if (rk4) scene.bodies_system.SetRK4();
    return ReportCheck(SceneName(experiment.kind), RunSceneCheck(scene, experiment, step), json);
  }

  const auto setup_start = std::chrono::steady_clock::now();
  Scene scene(bodies);
  SetUpScene(scene, seed, bodies, model);
  const double setup_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - setup_start).count();
  if (rk4) scene.bodies_system.SetRK4();

  // Opened only once the set-up has succeeded: a run that ends on a bad mesh file leaves an
  // existing trace as it was.
  std::FILE* trace = nullptr;
  if (trace_path) {
    trace = std::fopen(trace_path, "w");
    if (!trace) {
      std::fprintf(stderr, "quorvel-bench: cannot write the trace file '%s': %s\n", trace_path, std::strerror(errno));
      return 1;
    }
  }

  BenchObserver observer(isatty(STDERR_FILENO) != 0, trace, trace_path);
  StateHistory history;
  if (keep_history) observer.KeepHistory(&history, &scene);
  PerformanceReport report;
  scene.bodies_system.RunPerformanceAnalysis(step, scene.environment_system, &observer, &report);
  if (trace && std::fclose(trace) != 0) {
    std::fprintf(stderr, "quorvel-bench: writing the trace file '%s' failed: %s\n", trace_path, std::strerror(errno));
    return 1;
  }

  if (check) {
    CheckFigures settling;
    settling.quantity = "settling iterations";
    settling.unit = "iterations until one is free of contacts";
    settling.measured_yet = true;
    settling.measured = static_cast<double>(report.settling_iterations);
    settling.pass = report.contact_free_reached;
    return ReportCheck("break", settling, json);
  }

  const uint64_t hash = StateFingerprint(scene.bodies_system);
  if (fingerprint && !json) std::printf("fingerprint %016llx\n", static_cast<unsigned long long>(hash));
  if (json) {
    const double timed = report.timed_iterations;
    std::printf(
        "{\"bodies\": %u, \"model\": %d, \"seed\": %u, \"method\": \"%s\", \"step\": %.9g, "
        "\"setup_seconds\": %.6f, \"settling_iterations\": %ld, \"contact_free_reached\": %s, \"timed_iterations\": %d, "
        "\"seconds_per_iteration\": %.6e, \"queries_per_iteration\": %.4f, \"replayed_per_iteration\": %.4f, "
        "\"skipped_per_iteration\": %.4f, \"box_visits_per_query\": %.4f, \"max_resident_kb\": %ld",
        bodies, model, seed, rk4 ? "rk4" : "euler", step, setup_seconds, report.settling_iterations,
        report.contact_free_reached ? "true" : "false", report.timed_iterations, report.seconds_per_iteration,
        report.queries / timed, report.replayed / timed, report.skipped / timed,
        report.queries > 0 ? static_cast<double>(report.box_visits) / report.queries : 0.0, MaxResidentKilobytes());
    if (fingerprint) std::printf(", \"fingerprint\": \"%016llx\"", static_cast<unsigned long long>(hash));
    std::printf("}\n");
  }
  return 0;
}
