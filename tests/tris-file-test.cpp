#include "tris-file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "test-files.h"

namespace {

struct Parsed {
  TrisStatus status;
  int count;
  std::vector<float> coords;
  std::string message;
};

Parsed Parse(const std::string& text) {
  std::istringstream in(text);
  Parsed p{TrisStatus::Ok, -1, {}, ""};
  p.status = ParseTris(in, p.coords, p.count, p.message);
  return p;
}

const char kNine[] = " 0 0 0 1 0 0 0 1 0";

struct Refusal {
  std::string text;
  std::string message;
};

void ExpectRefused(TrisStatus status, std::initializer_list<Refusal> cases) {
  for (const Refusal& c : cases) {
    const Parsed p = Parse(c.text);
    EXPECT_EQ(p.status, status) << c.text;
    EXPECT_EQ(p.message, c.message);
  }
}

}  // namespace

// The count is a whole token of decimal digits: nothing of a token that is anything else is
// read as a count, so no data can be shifted into or out of the coordinates. A leading '+' is
// taken, as the standard extraction of a count takes it; a '-' never is, not even on "-0".
TEST(TrisFile, CountIsAPlainDecimalToken) {
  const struct {
    const char* count;
    int expected;  // -1: refused
  } cases[] = {
      {"1", 1},       {"+1", 1},      {"01", 1},       {"\n\t 1", 1},    {"1.5", -1}, {"1.", -1},
      {"0x1", -1},    {"-3", -1},     {"-0", -1},      {"12abc", -1},    {"1e0", -1}, {"abc", -1},
      {"+", -1},      {"++1", -1},     {"1,", -1},       {"٣", -1},   {"2147483648", -1},
      {"99999999999999999999999999999999999999999", -1},
  };
  for (const auto& c : cases) {
    // Each count is followed by one triangle, so that a count of 1 parses whole.
    const Parsed p = Parse(std::string(c.count) + kNine);
    if (c.expected < 0) {
      EXPECT_EQ(p.status, TrisStatus::BadCount) << "'" << c.count << "'";
      EXPECT_EQ(p.message, "First entry should be number of triangles (an unsigned int).") << c.count;
    } else {
      EXPECT_EQ(p.status, TrisStatus::Ok) << "'" << c.count << "'";
      EXPECT_EQ(p.count, c.expected) << c.count;
      EXPECT_EQ(p.coords.size(), 9u) << c.count;
    }
  }
  for (const char* nothing : {"", " \n\t "}) EXPECT_EQ(Parse(nothing).status, TrisStatus::BadCount);
  const Parsed zero = Parse("0");
  EXPECT_EQ(zero.status, TrisStatus::Ok);
  EXPECT_EQ(zero.count, 0);
  // The largest count is taken; the file then simply ends early.
  const Parsed most = Parse("2147483647 1 2 3");
  EXPECT_EQ(most.status, TrisStatus::Incomplete);
  EXPECT_EQ(most.message, "Triangle 1 of 2147483647 is incomplete: expected 9 numbers, found 3.");
}

// Numbers are read as a float is extracted; one beyond the float range is refused by name, with
// the triangle and the position counted from 1. The largest float itself is fine.
TEST(TrisFile, NumbersOutOfFloatRangeAreNamed) {
  const Parsed fine = Parse("1 3.4028235e38 -3.4028235e38 1e-50 .5 5. +.5e+1 0 0 0");
  ASSERT_EQ(fine.status, TrisStatus::Ok) << fine.message;
  EXPECT_EQ(fine.coords[0], 3.4028235e38f);
  EXPECT_EQ(fine.coords[2], 0.0f) << "too small a number underflows to zero, as extraction has it";
  EXPECT_EQ(fine.coords[5], 5.0f);

  ExpectRefused(TrisStatus::OutOfRange,
                {{"2 0 0 0 1 0 0 0 1 0  0 0 0 1 1e39 0 0 1 0",
                  "Triangle 2 of 2: number 5 of 9 is out of range for a float (larger in size than about 3.4e38)."},
                 {"1 -1e39 0 0 1 0 0 0 1 0",
                  "Triangle 1 of 1: number 1 of 9 is out of range for a float (larger in size than about 3.4e38)."},
                 {"1 0 0 0 1 0 0 0 1 3.5e38",
                  "Triangle 1 of 1: number 9 of 9 is out of range for a float (larger in size than about 3.4e38)."}});
  // The largest float followed by the end of the file is a short file, not a number out of range.
  const Parsed short_after_max = Parse("1 0 0 0 1 0 0 3.4028235e38");
  EXPECT_EQ(short_after_max.status, TrisStatus::Incomplete);
  EXPECT_EQ(short_after_max.message, "Triangle 1 of 1 is incomplete: expected 9 numbers, found 7.");
}

TEST(TrisFile, ShortFilesAndWordsCountTrianglesFromOne) {
  ExpectRefused(TrisStatus::Incomplete,
                {{"2 0 0 0 1 0 0 0 1 0  4 4 4", "Triangle 2 of 2 is incomplete: expected 9 numbers, found 3."},
                 {"1 0 0 0 1 x 0 0 1 0", "Triangle 1 of 1: number 5 of 9, 'x', is not a number."},
                 // A line of nine tokens used to be reported as holding none.
                 {"1 nan 0 0 1 0 0 0 1 0", "Triangle 1 of 1: number 1 of 9, 'nan', is not a number."},
                 {"1 0 0 0 1 0 0 0 1 " + std::string(40, 'z'),
                  "Triangle 1 of 1: number 9 of 9, '" + std::string(24, 'z') + "...', is not a number."},
                 {"3", "Triangle 1 of 3 is incomplete: expected 9 numbers, found 0."}});
  // Anything after the last number is never read.
  const Parsed trailing = Parse("1 0 0 0 1 0 0 0 1 0x ignored words");
  EXPECT_EQ(trailing.status, TrisStatus::Ok);
}

// A folder is no file to open; a stream on one that cannot be read says so. A pipe, which cannot
// be measured or rewound, is read like any file.
TEST(TrisFile, FoldersAndPipes) {
  std::vector<float> coords;
  int count = -1;
  std::string message;
  const std::string folder = ::testing::TempDir() + "a-folder.tris";
  mkdir(folder.c_str(), 0700);
  EXPECT_EQ(ReadTris(folder.c_str(), coords, count, message), TrisStatus::CannotOpen);
  EXPECT_EQ(message, "Could not open file.");
  std::ifstream opened_folder(folder);
  ASSERT_FALSE(opened_folder.fail()) << "a folder opens as a stream";
  EXPECT_EQ(ParseTris(opened_folder, coords, count, message), TrisStatus::CannotRead);
  EXPECT_EQ(message, "Could not read file.");

  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  const std::string text = std::string("2") + kNine + kNine;
  ASSERT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(ends[1]);
  const std::string path = "/dev/fd/" + std::to_string(ends[0]);
  EXPECT_EQ(ReadTris(path.c_str(), coords, count, message), TrisStatus::Ok) << message;
  EXPECT_EQ(count, 2);
  EXPECT_EQ(coords.size(), 18u);
  close(ends[0]);

  EXPECT_EQ(ReadTris((::testing::TempDir() + "no-such.tris").c_str(), coords, count, message),
            TrisStatus::CannotOpen);
  EXPECT_EQ(message, "Could not open file.");
}
