// Hands out a scripted list of draws; one draw too many throws, so a test that scripts the
// exact draws also proves the order and the count of them. The throw is not one of the
// program's run-time errors: nothing in the program absorbs it.
#pragma once

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "platform/core/Random.h"

class ScriptedRandom : public Random {
 public:
  ScriptedRandom(std::initializer_list<float> draws) : draws_(draws) {}
  void Push(float u) { draws_.push_back(u); }
  float Next() override {
    if (draws_.empty()) throw std::logic_error("ScriptedRandom: more draws than scripted");
    const float u = draws_.front();
    draws_.pop_front();
    return u;
  }
  void SeedFromTime() override { ++seedings_; }
  size_t Remaining() const { return draws_.size(); }
  int Seedings() const { return seedings_; }

 private:
  std::deque<float> draws_;
  int seedings_ = 0;
};
