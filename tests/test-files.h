#pragma once
// Helpers for tests that need files: mesh text written to a temporary folder, and a working
// directory switched for the length of a scope (the loaders read from the working directory).

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& folder) {
    char* old = getcwd(nullptr, 0);
    previous_ = old ? old : ".";
    free(old);
    EXPECT_EQ(chdir(folder.c_str()), 0) << folder;
  }
  ~ScopedWorkingDirectory() { EXPECT_EQ(chdir(previous_.c_str()), 0); }

 private:
  std::string previous_;
};
