// The pseudo-random generator: uniform single-precision draws in [0, 1). Injected wherever
// randomness is used, so tests can script the exact sequence of draws.
#pragma once

#include <cstdint>

class Random {
 public:
  virtual ~Random() = default;
  virtual float Next() = 0;         // uniform in [0, 1), 24 bits of precision
  virtual void SeedFromTime() = 0;  // a different sequence each run
};

// xorshift64*: fast, good enough for a starfield, and the same sequence for the same seed.
class XorShiftRandom : public Random {
 public:
  explicit XorShiftRandom(uint64_t seed = 0x9E3779B97F4A7C15ull) { Seed(seed); }
  float Next() override;
  void SeedFromTime() override;
  void Seed(uint64_t seed) { state_ = seed ? seed : 1; }

 private:
  uint64_t state_ = 1;
};
