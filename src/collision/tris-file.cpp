#include "tris-file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cfloat>
#include <fstream>
#include <string>
#include <utility>

namespace {

const char kCannotOpen[] = "Could not open file.";
const char kCannotRead[] = "Could not read file.";
const char kBadCount[] = "First entry should be number of triangles (an unsigned int).";

constexpr long long kMostTriangles = 0x7fffffff;
// Longer than any count we take ("+" and ten digits, leading zeros aside): the token is refused
// without reading the rest of it.
constexpr size_t kLongestCountToken = 32;

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The first token, up to the next whitespace, as a count: an optional '+' and decimal digits.
bool ReadCount(std::istream& in, long long& count) {
  in >> std::ws;
  std::string token;
  while (token.size() <= kLongestCountToken) {
    const int c = in.peek();
    if (c == std::char_traits<char>::eof() || IsSpace(c)) break;
    token += static_cast<char>(in.get());
  }
  const size_t first = token.size() > 0 && token[0] == '+' ? 1 : 0;
  if (first == token.size() || token.size() > kLongestCountToken) return false;
  count = 0;
  for (size_t i = first; i < token.size(); ++i) {
    if (token[i] < '0' || token[i] > '9') return false;
    count = 10 * count + (token[i] - '0');
    if (count > kMostTriangles) return false;
  }
  return true;
}

// What the stream holds from its position on, or -1 where it cannot seek (a pipe).
long long BytesLeft(std::istream& in) {
  const std::streampos start = in.tellg();
  if (start == std::streampos(-1)) {
    in.clear();
    return -1;
  }
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.clear();
  in.seekg(start);
  return end == std::streampos(-1) ? -1 : static_cast<long long>(end - start);
}

// After a failed extraction: what is left of the token it stopped at (extraction may have taken
// a sign or a prefix of it), so that the message can name it. Long tokens are cut short.
std::string RestOfToken(std::istream& in) {
  constexpr size_t kLongestShown = 24;
  in.clear();
  std::string token;
  for (int c = in.peek(); c != std::char_traits<char>::eof() && !IsSpace(c); c = in.peek()) {
    if (token.size() == kLongestShown) {
      token += "...";
      break;
    }
    token += static_cast<char>(in.get());
  }
  return token;
}

TrisStatus Fail(TrisStatus status, std::string& message, std::string why) {
  message = std::move(why);
  return status;
}

}  // namespace

TrisStatus ParseTris(std::istream& in, std::vector<float>& coords, int& count, std::string& message) {
  const long long bytes = BytesLeft(in);
  long long n = 0;
  if (!ReadCount(in, n)) {
    if (in.bad()) return Fail(TrisStatus::CannotRead, message, kCannotRead);
    return Fail(TrisStatus::BadCount, message, kBadCount);
  }

  coords.clear();
  // Reserve only what the input can back (a number takes at least two characters), never what
  // the count claims.
  if (bytes > 0) coords.reserve(static_cast<size_t>(std::min<long long>(9 * n, bytes / 2)));

  for (long long i = 0; i < 9 * n; ++i) {
    // Reset each time: an extraction that finds only the end of the input leaves it as it was.
    float value = 0.0f;
    if (!(in >> value)) {
      if (in.bad()) return Fail(TrisStatus::CannotRead, message, kCannotRead);
      const std::string triangle = "Triangle " + std::to_string(i / 9 + 1) + " of " + std::to_string(n);
      // Extraction stores the largest float, with the failure, for a number beyond the range.
      if (value == FLT_MAX || value == -FLT_MAX)
        return Fail(TrisStatus::OutOfRange, message,
                    triangle + ": number " + std::to_string(i % 9 + 1) +
                        " of 9 is out of range for a float (larger in size than about 3.4e38).");
      const std::string token = RestOfToken(in);
      if (token.empty())
        return Fail(TrisStatus::Incomplete, message,
                    triangle + " is incomplete: expected 9 numbers, found " + std::to_string(i % 9) + ".");
      return Fail(TrisStatus::Incomplete, message,
                  triangle + ": number " + std::to_string(i % 9 + 1) + " of 9, '" + token + "', is not a number.");
    }
    coords.push_back(value);
  }
  count = static_cast<int>(n);
  return TrisStatus::Ok;
}

TrisStatus ReadTris(const char* file_name, std::vector<float>& coords, int& count, std::string& message) {
  // A folder opens as a file here but cannot be read; it is no mesh file to open.
  struct stat info;
  if (stat(file_name, &info) == 0 && S_ISDIR(info.st_mode))
    return Fail(TrisStatus::CannotOpen, message, kCannotOpen);
  std::ifstream in(file_name);
  if (in.fail()) return Fail(TrisStatus::CannotOpen, message, kCannotOpen);
  return ParseTris(in, coords, count, message);
}
