// Replays a fuzz target's committed corpus as an ordinary test: every file under the folders (or
// the files) named on the command line, in name order, goes once through the target's entry
// function. A broken expectation aborts the run; otherwise it prints how many inputs it fed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::fprintf(stderr, "%s\n", file.c_str());  // names the input a failure belongs to
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus folder or file>...\n", argv[0]);
    return 2;
  }
  int replayed = 0;
  for (int a = 1; a < argc; ++a) {
    const std::filesystem::path path(argv[a]);
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
      if (!Replay(path)) return 1;
      ++replayed;
      continue;
    }
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
      if (it->is_regular_file(error)) files.push_back(it->path());
    if (error) {
      std::fprintf(stderr, "cannot list %s: %s\n", path.c_str(), error.message().c_str());
      return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      if (!Replay(file)) return 1;
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no inputs found\n");
    return 1;
  }
  std::printf("replayed %d inputs\n", replayed);
  return 0;
}
