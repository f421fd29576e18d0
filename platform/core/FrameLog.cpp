#include "platform/core/FrameLog.h"

#include <cstdlib>
#include <ctime>

namespace {

bool g_report_rate = false;

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

}  // namespace

void FrameLog::ReportRate() {
  g_report_rate = true;
}

FrameLog::FrameLog() : report_(g_report_rate) {
  const char* path = std::getenv("SKORVANE_FRAME_LOG");
  if (path && *path) file_ = std::fopen(path, "w");
  if (file_) std::setvbuf(file_, nullptr, _IOLBF, 0);  // whole lines, readable while we run
}

FrameLog::~FrameLog() {
  if (file_) std::fclose(file_);
}

double FrameLog::SteadyMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

void FrameLog::Frame() {
  const double nowMs = SteadyMs();
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
