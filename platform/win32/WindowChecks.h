// Whether this program runs already, as Windows tells: a top-level window with a caption, and
// a mutex named for the session that the first copy holds while it lives.
#pragma once

#include "platform/win32/WindowsApi.h"

#include "platform/core/InstanceChecks.h"

class WindowChecks : public InstanceChecks {
 public:
  WindowChecks();
  ~WindowChecks() override;
  WindowChecks(const WindowChecks&) = delete;
  WindowChecks& operator=(const WindowChecks&) = delete;

  bool WindowWithCaptionExists(const std::string& caption) override;
  bool PrevInstance() override { return another_; }

 private:
  HANDLE mutex_ = nullptr;
  bool another_ = false;
};
