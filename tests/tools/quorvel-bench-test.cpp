// quorvel-bench as a user meets it: its options, its messages and its exit codes (0 after the
// run or --help, 1 with the loader's message for a missing or malformed mesh file, 2 for a bad
// option). Only the paths that end before the timed run are taken, so nothing here is slow.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "test-files.h"

namespace {

struct Outcome {
  int exit_code;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs quorvel-bench with `args` in `folder`, keeping both output streams (in files named after
// the running test, as the tests run side by side).
Outcome RunBench(const std::string& folder, const std::string& args) {
  const std::string stem = ::testing::TempDir() + "bench-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string out = stem + "-out.txt", err = stem + "-err.txt";
  const std::string command =
      "cd '" + folder + "' && exec '" QUORVEL_BENCH_PATH "' " + args + " > '" + out + "' 2> '" + err + "'";
  const int status = std::system(command.c_str());
  Outcome outcome{-1, Slurp(out), Slurp(err)};
  if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
  return outcome;
}

const std::string kData = QUORVEL_DATA_DIR;

}  // namespace

TEST(QuorvelBench, HelpPrintsTheUsageAndExitsZero) {
  for (const char* option : {"--help", "-h", "--seed 3 --help"}) {
    const Outcome o = RunBench(kData, option);
    EXPECT_EQ(o.exit_code, 0) << option;
    EXPECT_EQ(o.out.rfind("usage: quorvel-bench [--seed N] [--rk4] [--step H] [--model N] [--bodies N]", 0), 0u)
        << option << ": " << o.out;
    for (const char* each : {"--seed N", "--rk4", "--step H", "--model N", "--bodies N", "--fingerprint"})
      EXPECT_NE(o.out.find(each), std::string::npos) << each;
    EXPECT_EQ(o.err, "") << option;
  }
}

// A bad option or value: exit code 2, the problem on one line, then the usage, all on the
// standard error stream, and nothing run.
TEST(QuorvelBench, BadOptionsExitTwoWithTheProblemAndTheUsage) {
  const struct {
    const char* args;
    const char* problem;
  } cases[] = {
      {"--bogus", "unknown option '--bogus'"},
      {"extra", "unknown option 'extra'"},
      {"--seed", "--seed needs a value"},
      {"--seed x", "--seed wants a whole number from 0 to 4294967295, not 'x'"},
      {"--seed -1", "--seed wants a whole number from 0 to 4294967295, not '-1'"},
      {"--seed 4294967296", "--seed wants a whole number from 0 to 4294967295, not '4294967296'"},
      {"--bodies 0", "--bodies wants a whole number from 1 to 1000, not '0'"},
      {"--bodies 1001", "--bodies wants a whole number from 1 to 1000, not '1001'"},
      {"--bodies 5x", "--bodies wants a whole number from 1 to 1000, not '5x'"},
      {"--model 100", "--model wants a whole number from 0 to 99, not '100'"},
      {"--model", "--model needs a value"},
      {"--step 0", "--step wants a number in (0, 10]"},
      {"--step 10.5", "--step wants a number in (0, 10]"},
      {"--step nan", "--step wants a number in (0, 10]"},
      {"--step 0.1s", "--step wants a number in (0, 10]"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunBench(kData, c.args);
    EXPECT_EQ(o.exit_code, 2) << c.args;
    EXPECT_EQ(o.err.rfind("quorvel-bench: " + std::string(c.problem) + "\nusage: quorvel-bench ", 0), 0u)
        << c.args << ": " << o.err;
    EXPECT_EQ(o.out, "") << c.args;
  }
}

// The mesh files are read from the working directory: the loader's two lines and exit code 1
// for a missing box, a missing sphere model, or a malformed file.
TEST(QuorvelBench, MissingOrMalformedMeshFilesExitOneWithTheLoadersMessage) {
  const std::string empty = ::testing::TempDir() + "bench-empty";
  mkdir(empty.c_str(), 0700);
  Outcome o = RunBench(empty, "--seed 1");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("ERROR occurred while parsing box.tris\nCould not open file.\n"), std::string::npos) << o.err;

  o = RunBench(kData, "--seed 1 --model 7");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("ERROR occurred while parsing sphere07.tris\nCould not open file.\n"), std::string::npos)
      << o.err;

  const std::string malformed = ::testing::TempDir() + "bench-malformed";
  mkdir(malformed.c_str(), 0700);
  std::ofstream(malformed + "/box.tris") << "1.5 0 0 0 1 0 0 0 1";
  o = RunBench(malformed, "--seed 1");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("ERROR occurred while parsing box.tris\n"
                       "First entry should be number of triangles (an unsigned int).\n"),
            std::string::npos)
      << o.err;
  EXPECT_EQ(o.out, "");
}
