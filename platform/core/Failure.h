// How the program meets its own run-time errors (RuntimeError: a value out of range, an index
// outside its array, a missing resource): at the boundary of a step, in one of two ways. Any
// other exception is a fault of the program and goes on to end it.
#pragma once

#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <string>

// A run-time error of the program's own: a value out of range, a failed surface access, a
// store that cannot be written. Each caller decides what such an error does (abandon a frame,
// close a window, tell the user, ...).
class RuntimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Element i of `items`, or a RuntimeError when there is none: the program's range check.
template <typename Items>
auto& CheckedAt(Items& items, long long i) {
  if (i < 0 || size_t(i) >= std::size(items)) {
    throw RuntimeError("subscript out of range: " + std::to_string(i));
  }
  return items[size_t(i)];
}

// Runs `step`; a run-time error ends it where it happened, silently, and the caller goes on.
template <typename Step>
void StopOnError(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

// Runs `step`; a run-time error ends it where it happened and closes the window.
template <typename Step, typename Close>
void CloseOnError(Step&& step, Close&& close) {
  try {
    step();
  } catch (const RuntimeError&) {
    close();
  }
}
