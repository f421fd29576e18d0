// The preview window: a still picture of the running display, placed inside a host window.
// It takes no input, runs no timer and reads no settings; when it goes, the program ends.
#pragma once

#include <cstdint>

#include "platform/desktop/Embed.h"
#include "platform/desktop/Form.h"

class frmPreview : public Form {
 public:
  explicit frmPreview(Application& app);

  // Places the window inside the X11 window `host` (or, when that is 0 or no window, leaves
  // it a maximised window of its own) and shows it.
  void ShowIn(int32_t host);

 protected:
  std::unique_ptr<QWidget> CreateWindow() override;
  void Form_Unload() override;

 private:
  std::unique_ptr<HostWatch> host_watch_;  // while the window is inside its host
};
