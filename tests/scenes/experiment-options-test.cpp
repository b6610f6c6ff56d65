// The options that choose an experiment, as the demo and the benchmark read them.

#include "scenes/experiment-options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
  OptionTaken taken;
  Experiment experiment;
  bool seed_given = false;
  std::string problem;
  int next = 0;  // the argument after those taken
};

Parsed Take(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  Parsed p;
  int a = 0;
  p.taken = TakeExperimentOption(static_cast<int>(argv.size()), argv.data(), a, p.experiment, p.seed_given, p.problem);
  p.next = a + 1;
  return p;
}

}  // namespace

TEST(ExperimentOptions, GoodValuesAreTakenWithTheirValue) {
  Parsed p = Take({"--scene", "slide-to-roll"});
  EXPECT_EQ(p.taken, OptionTaken::kTaken);
  EXPECT_EQ(p.experiment.kind, SceneKind::SlideToRoll);
  EXPECT_EQ(p.next, 2);
  p = Take({"--seed", "4294967295"});
  EXPECT_TRUE(p.seed_given);
  EXPECT_EQ(p.experiment.seed, 4294967295u);
  EXPECT_EQ(Take({"--bodies", "1000"}).experiment.bodies, 1000u);
  EXPECT_EQ(Take({"--model", "0"}).experiment.model, 0);
  for (int k = 0; k < kSceneCount; ++k) {
    const SceneKind kind = static_cast<SceneKind>(k);
    EXPECT_EQ(Take({"--scene", SceneName(kind)}).experiment.kind, kind);
    EXPECT_EQ(PreviousScene(NextScene(kind)), kind);
  }
  // Whatever else is on the line (the window system's options) is left alone.
  p = Take({"-display", ":1"});
  EXPECT_EQ(p.taken, OptionTaken::kNotOurs);
  EXPECT_EQ(p.next, 1);
}

TEST(ExperimentOptions, BadValuesAreRejectedWithAMessage) {
  const struct {
    std::vector<std::string> words;
    const char* problem;
  } cases[] = {
      {{"--scene"}, "--scene needs a value"},
      {{"--scene", "Break"}, "--scene wants one of break, head-on, glancing, cradle, slide-to-roll, bank, crowd, not 'Break'"},
      {{"--seed", "-1"}, "--seed wants a whole number from 0 to 4294967295, not '-1'"},
      {{"--seed", "4294967296"}, "--seed wants a whole number from 0 to 4294967295, not '4294967296'"},
      {{"--bodies", "0"}, "--bodies wants a whole number from 1 to 1000, not '0'"},
      {{"--bodies", "12x"}, "--bodies wants a whole number from 1 to 1000, not '12x'"},
      {{"--model", "100"}, "--model wants a whole number from 0 to 99, not '100'"},
      {{"--model", ""}, "--model wants a whole number from 0 to 99, not ''"},
  };
  for (const auto& c : cases) {
    const Parsed p = Take(c.words);
    EXPECT_EQ(p.taken, OptionTaken::kBad) << c.problem;
    EXPECT_EQ(p.problem, c.problem);
  }
  // The crowd's own limits, across the boundary.
  Experiment crowd;
  crowd.kind = SceneKind::Crowd;
  std::string problem;
  for (unsigned bodies : {0u, 2u, 300u}) {
    crowd.bodies = bodies;
    EXPECT_TRUE(ExperimentOptionsAgree(crowd, problem)) << bodies;
  }
  for (unsigned bodies : {1u, 301u}) {
    crowd.bodies = bodies;
    EXPECT_FALSE(ExperimentOptionsAgree(crowd, problem)) << bodies;
  }
  EXPECT_EQ(problem, "--bodies with --scene crowd wants a whole number from 2 to 300, not 301");
  // Stepped to from the break, the crowd takes a --bodies beyond its limits as its default.
  EXPECT_EQ(SceneBodyCount(SceneKind::Crowd, 300), 300u);
  EXPECT_EQ(SceneBodyCount(SceneKind::Crowd, 301), 200u);
  EXPECT_EQ(SceneBodyCount(SceneKind::Crowd, 1), 200u);
  EXPECT_EQ(SceneBodyCount(SceneKind::Break, 301), 301u);
}
