#include "platform/core/FrameLog.h"

#include <ctime>

namespace {

double ProcessCpuMs() {
  return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

}  // namespace

FrameLog::FrameLog(Clock& clock, const std::string& file, bool reportRate)
    : clock_(clock), report_(reportRate) {
  if (!file.empty()) file_ = std::fopen(file.c_str(), "w");
  if (file_) std::setvbuf(file_, nullptr, _IOLBF, 0);  // whole lines, readable while we run
}

FrameLog::~FrameLog() {
  if (file_) std::fclose(file_);
}

void FrameLog::Frame() {
  if (!On()) return;
  const double nowMs = clock_.PreciseMs();
  if (file_ && last_ >= 0) std::fprintf(file_, "%.3f\n", nowMs - last_);
  last_ = nowMs;
  if (report_) Report(nowMs);
}

void FrameLog::Report(double nowMs) {
  if (report_start_ < 0) {
    report_start_ = nowMs;
    cpu_start_ = ProcessCpuMs();
    return;
  }
  ++frames_;
  const double elapsed = nowMs - report_start_;
  if (elapsed < 1000) return;
  const double cpu = ProcessCpuMs();
  std::fprintf(stderr, "skorvane: %.1f frames a second, %.1f %% of a core\n",
               frames_ * 1000.0 / elapsed, (cpu - cpu_start_) * 100.0 / elapsed);
  report_start_ = nowMs;
  cpu_start_ = cpu;
  frames_ = 0;
}
