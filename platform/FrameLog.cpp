#include "platform/FrameLog.h"

#include <cstdlib>

FrameLog::FrameLog() {
  const char* path = std::getenv("SKORVANE_FRAME_LOG");
  if (path && *path) file_ = std::fopen(path, "w");
  if (file_) std::setvbuf(file_, nullptr, _IOLBF, 0);  // whole lines, readable while we run
}

FrameLog::~FrameLog() {
  if (file_) std::fclose(file_);
}

void FrameLog::Frame(double nowMs) {
  if (last_ >= 0) std::fprintf(file_, "%.3f\n", nowMs - last_);
  last_ = nowMs;
}
