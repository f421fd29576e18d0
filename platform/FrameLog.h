// A diagnostic log of frame times, for measuring the frame loop on a real display. Off unless
// the environment variable SKORVANE_FRAME_LOG names a file; then each drawn frame appends the
// milliseconds since the previous one, one number per line.
#pragma once

#include <cstdint>
#include <cstdio>

class FrameLog {
 public:
  FrameLog();
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  bool On() const { return file_ != nullptr; }
  void Frame(double nowMs);

 private:
  std::FILE* file_ = nullptr;
  double last_ = -1;
};
