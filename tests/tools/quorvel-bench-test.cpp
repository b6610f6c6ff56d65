// quorvel-bench as a user meets it: its options, its messages and its exit codes (0 after the
// run or --help, 1 with the loader's message for a missing or malformed mesh file, 2 for a bad
// option), and its outputs for other programs. The runs use the 20-triangle spheres, or end
// before the timed run, so nothing here is slow.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

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
    for (const char* each :
         {"--seed N", "--rk4", "--step H", "--model N", "--bodies N", "--fingerprint", "--json", "--trace"})
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
      {"--scene pool", "--scene wants one of break, head-on, glancing, cradle, slide-to-roll, bank, crowd, not 'pool'"},
      {"--scene bank", "--scene other than break needs --check"},
      {"--scene crowd --bodies 1 --check", "--bodies with --scene crowd wants a whole number from 2 to 300, not 1"},
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
  // A mesh no body could touch: its only triangle has no area.
  std::ofstream(malformed + "/box.tris") << "1  0 0 0 0 0 0 0 0 0";
  o = RunBench(malformed, "--seed 1");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("ERROR occurred while parsing box.tris\n"
                       "No triangle has a positive area: no body could ever touch this mesh.\n"),
            std::string::npos)
      << o.err;
  EXPECT_EQ(o.out, "");
}

// The machine-readable outputs of one seeded run with the 20-triangle spheres (quick): one JSON
// object whose figures agree with the trace, a trace row for every settling and timed
// iteration, and a fingerprint that a second run with the same seed repeats.
TEST(QuorvelBench, JsonTraceAndFingerprintDescribeTheSameRun) {
  const std::string trace = ::testing::TempDir() + "bench-trace.csv";
  const Outcome o = RunBench(kData, "--seed 4 --model 0 --json --fingerprint --trace '" + trace + "'");
  ASSERT_EQ(o.exit_code, 0) << o.err;
  ASSERT_EQ(o.out.front(), '{');
  ASSERT_EQ(o.out.substr(o.out.size() - 2), "}\n");
  EXPECT_EQ(o.out.find('\n'), o.out.size() - 1) << "one line";
  auto number = [&](const std::string& key) {
    const size_t at = o.out.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? -1.0 : std::stod(o.out.substr(at + key.size() + 4));
  };
  EXPECT_EQ(number("bodies"), 10);
  EXPECT_EQ(number("timed_iterations"), 16384);
  EXPECT_GT(number("seconds_per_iteration"), 0);
  EXPECT_GE(number("queries_per_iteration"), 0);
  const double settling = number("settling_iterations");  // 0 when the rack is free of contacts
  EXPECT_NE(o.out.find("\"contact_free_reached\": true"), std::string::npos) << o.out;

  std::ifstream rows(trace);
  std::string line;
  ASSERT_TRUE(std::getline(rows, line));
  EXPECT_EQ(line.rfind("phase,iteration,time,body_contacts,wall_contacts,queries,replayed,skipped,box_visits,", 0), 0u);
  int settling_rows = 0, timed_rows = 0;
  while (std::getline(rows, line)) (line.rfind("settling,", 0) == 0 ? settling_rows : timed_rows)++;
  EXPECT_EQ(settling_rows, settling);
  EXPECT_EQ(timed_rows, 16384);

  const size_t at = o.out.find("\"fingerprint\": \"");
  ASSERT_NE(at, std::string::npos);
  const std::string hash = o.out.substr(at + 16, 16);
  EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << hash;
  const Outcome again = RunBench(kData, "--seed 4 --model 0 --fingerprint");
  EXPECT_EQ(again.out, "fingerprint " + hash + "\n") << "the same seed ends in the same state";
}

// A trace that cannot be written: the system's reason and exit code 1, instead of the result
// line. A run that fails before the trace opens (a bad mesh file) leaves an existing trace as it
// was, byte for byte.
TEST(QuorvelBench, TraceFailuresGiveTheReasonAndSpareAnExistingTrace) {
  Outcome o = RunBench(kData, "--seed 1 --model 0 --trace /dev/full");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("quorvel-bench: writing the trace file '/dev/full' failed: No space left on device\n"),
            std::string::npos) << o.err;
  EXPECT_EQ(o.err.find("seconds per iteration"), std::string::npos) << o.err;
  o = RunBench(kData, "--seed 1 --trace /nonexistent-folder/trace.csv");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.err.find("quorvel-bench: cannot write the trace file '/nonexistent-folder/trace.csv': "
                       "No such file or directory\n"), std::string::npos) << o.err;
  EXPECT_EQ(o.out, "");

  const std::string trace = ::testing::TempDir() + "bench-kept-trace.csv";
  const std::string kept = "phase,iteration\nsettling,1\n";
  const std::string empty = ::testing::TempDir() + "bench-no-box";
  mkdir(empty.c_str(), 0700);
  for (const auto& [folder, args] : {std::pair<std::string, std::string>{kData, "--seed 1 --model 9"},
                                     std::pair<std::string, std::string>{empty, "--seed 1"}}) {
    std::ofstream(trace) << kept;
    o = RunBench(folder, args + " --trace '" + trace + "'");
    EXPECT_EQ(o.exit_code, 1) << args;
    EXPECT_EQ(Slurp(trace), kept) << args;
  }
}

// A scene's check: one line on the standard output, or one JSON object, and the exit code says
// whether the run agreed with the prediction. The cradle's chain of one ball per step needs a
// step that carries a ball less than a diameter: at 0.2 it travels 3 units, and the check fails.
TEST(QuorvelBench, SceneChecksPrintOneLineAndExitOneWhenTheyFail) {
  Outcome o = RunBench(kData, "--scene cradle --check --seed 1");
  EXPECT_EQ(o.exit_code, 0) << o.err;
  EXPECT_EQ(o.out.rfind("cradle: measured 0.98", 0), 0u) << o.out;
  EXPECT_NE(o.out.find(", tolerance 5e-06 (ratio): pass\n"), std::string::npos) << o.out;
  o = RunBench(kData, "--scene cradle --check --seed 1 --step 0.2");
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_NE(o.out.find(": FAIL\n"), std::string::npos) << o.out;
  o = RunBench(kData, "--scene slide-to-roll --check --rk4 --json");
  EXPECT_EQ(o.exit_code, 0) << o.err;
  for (const char* field : {"\"scene\": \"slide-to-roll\"", "\"quantity\": ", "\"unit\": ", "\"measured\": 0.9",
                            "\"predicted\": 0.909090909", "\"tolerance\": ", "\"pass\": true",
                            "\"switch_time\": 2", "\"switch_time_predicted\": 1.945", "\"switch_speed_ratio\": 0.9",
                            "\"switch_speed_ratio_predicted\": 0.909090909"})
    EXPECT_NE(o.out.find(field), std::string::npos) << field << " in " << o.out;
}
