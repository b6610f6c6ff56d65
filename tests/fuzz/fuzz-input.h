#pragma once
// The fuzz targets' view of their input: bytes taken from the front one value at a time. Past the
// end every value is zero, so any input, however short, is a complete program.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Stops a fuzz target on a broken expectation: the message, then abort, which both the fuzzer
// and the corpus replay report as a failure.
#define FUZZ_CHECK(condition, ...)                                                   \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                                             \
      std::fprintf(stderr, "\n");                                                    \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Done() const { return at_ >= size_; }

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  int SignedByte() { return static_cast<int8_t>(Byte()); }

  int Int16() {
    const int low = Byte();
    return static_cast<int16_t>(low | (Byte() << 8));
  }

  // Any bit pattern: NaN, infinities, subnormals, the largest and smallest numbers.
  double RawDouble() {
    uint8_t bytes[8];
    for (uint8_t& b : bytes) b = Byte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};
