// Diagnostics of the frame loop on a real display.
//  - The frame log: off unless the environment variable SKORVANE_FRAME_LOG names a file; the
//    file is emptied at start, then each drawn frame writes the milliseconds since the
//    previous one, one number per line.
//  - The rate report (--fps): once a second, the frames drawn and the processor time the
//    program used, on standard error.
#pragma once

#include <cstdint>
#include <cstdio>

class FrameLog {
 public:
  FrameLog();
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // Turns the rate report on for every frame log made after this call.
  static void ReportRate();

  bool On() const { return file_ != nullptr || report_; }
  void Frame();  // a frame has just been drawn

 private:
  void Report(double nowMs);
  static double SteadyMs();

  std::FILE* file_ = nullptr;
  double last_ = -1;
  bool report_ = false;
  double report_start_ = -1;
  double cpu_start_ = 0;
  int frames_ = 0;
};
