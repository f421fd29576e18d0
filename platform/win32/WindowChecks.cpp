#include "platform/win32/WindowChecks.h"

namespace {
constexpr const char* kMutexName = "Local\\Skorvane!.running";
}

WindowChecks::WindowChecks() {
  mutex_ = CreateMutexA(nullptr, FALSE, kMutexName);
  another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

WindowChecks::~WindowChecks() {
  if (mutex_) CloseHandle(mutex_);
}

bool WindowChecks::WindowWithCaptionExists(const std::string& caption) {
  return FindWindowA(nullptr, caption.c_str()) != nullptr;
}
