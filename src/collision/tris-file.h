#pragma once
// The collision library's reader of our mesh files (.tris). They are plain text: how many
// triangles, then three corners of three coordinates each per triangle, with line breaks and
// spaces of no meaning. Reading stops once the last
// triangle is complete, so a file may carry notes after it.
//
// The count is a plain decimal integer token from 0 to 2^31 - 1, digits only with an optional
// leading '+': "1.5", "0x1", "-3" or "12abc" are refused rather than read in part. Numbers are
// read as stream extraction reads a float; one beyond the float range (such as 1e39) is refused.
// Storage grows with what the file actually holds, so an absurd count costs nothing.

#include <iosfwd>
#include <string>
#include <vector>

enum class TrisStatus {
  Ok,
  CannotOpen,   // no such file, no permission, or a folder
  CannotRead,   // opened, but reading failed
  BadCount,     // the first token is not a count
  Incomplete,   // fewer than 9n numbers, or a token that is not a number where one is expected
  OutOfRange,   // a number too large in size for a float
};

// Parses mesh text from `in`. On success fills `coords` with the 9n numbers, sets `count` to n
// and returns TrisStatus::Ok. Otherwise returns the problem, with `message` set to the line that
// explains it ("Triangle k of n ..." counts from 1); `coords` and `count` then hold nothing of use.
// Nothing is printed and the program goes on.
TrisStatus ParseTris(std::istream& in, std::vector<float>& coords, int& count, std::string& message);

// Opens the file and parses it as ParseTris does. Pipes and other unseekable files are read
// like any other.
TrisStatus ReadTris(const char* file_name, std::vector<float>& coords, int& count, std::string& message);
