// Diagnostics of the frame loop on a real display.
//  - The frame log: off unless a file is named (the program takes it from SKORVANE_FRAME_LOG);
//    the file is emptied at start, then each drawn frame writes the milliseconds since the
//    previous one, one number per line.
//  - The rate report (--fps): once a second, the frames drawn and the processor time the
//    program used, on standard error.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/core/Clock.h"

class FrameLog {
 public:
  // `file` empty: no log file.
  FrameLog(Clock& clock, const std::string& file, bool reportRate);
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  bool On() const { return file_ != nullptr || report_; }
  void Frame();  // a frame has just been drawn

 private:
  void Report(double nowMs);

  Clock& clock_;
  std::FILE* file_ = nullptr;
  double last_ = -1;
  bool report_ = false;
  double report_start_ = -1;
  double cpu_start_ = 0;
  int frames_ = 0;
};
