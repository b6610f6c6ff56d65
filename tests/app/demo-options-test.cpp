// The demo's command line: its own options taken out, the window system's left in order.

#include "app/demo-options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CommandLine {
  explicit CommandLine(std::vector<std::string> words) : words_(std::move(words)) {
    for (std::string& w : words_) argv.push_back(w.data());
    argv.push_back(nullptr);
    argc = static_cast<int>(words_.size());
  }
  std::vector<std::string> Left() const { return std::vector<std::string>(argv.begin(), argv.begin() + argc); }
  int argc;
  std::vector<char*> argv;

 private:
  std::vector<std::string> words_;
};

}  // namespace

TEST(DemoOptions, OursAreTakenAndTheWindowSystemsKeptInOrder) {
  CommandLine line({"quorvel", "-display", ":3", "--scene", "cradle", "--seed", "9", "-gldebug", "--model", "2"});
  Experiment experiment;
  std::string problem;
  ASSERT_TRUE(TakeDemoOptions(line.argc, line.argv.data(), 77, experiment, problem)) << problem;
  EXPECT_EQ(line.Left(), (std::vector<std::string>{"quorvel", "-display", ":3", "-gldebug"}));
  EXPECT_EQ(line.argv[line.argc], nullptr);
  EXPECT_EQ(experiment.kind, SceneKind::Cradle);
  EXPECT_EQ(experiment.seed, 9u);
  EXPECT_EQ(experiment.model, 2);

  CommandLine plain({"quorvel"});
  Experiment unseeded;
  ASSERT_TRUE(TakeDemoOptions(plain.argc, plain.argv.data(), 77, unseeded, problem));
  EXPECT_EQ(unseeded.seed, 77u) << "without --seed, the default seed";
  EXPECT_EQ(unseeded.kind, SceneKind::Break);
}

TEST(DemoOptions, BadValuesAndDisagreeingOptionsAreRefused) {
  for (std::vector<std::string> words : {std::vector<std::string>{"quorvel", "--bodies", "0"},
                                         {"quorvel", "--seed"},
                                         {"quorvel", "--scene", "crowd", "--bodies", "301"}}) {
    CommandLine line(words);
    Experiment experiment;
    std::string problem;
    EXPECT_FALSE(TakeDemoOptions(line.argc, line.argv.data(), 0, experiment, problem)) << words.back();
    EXPECT_FALSE(problem.empty());
  }
}
