#include "display/StarfieldForm.h"

#include "platform/SurfaceWindow.h"
#include "startup/modMain.h"

StarfieldForm::StarfieldForm(frmStarfield3& form, Clock& clock)
    : Form(modMain::kDisplayCaption), form_(form), clock_(clock) {}

std::unique_ptr<QWidget> StarfieldForm::CreateWindow() {
  auto window = std::make_unique<SurfaceWindow>(form_, clock_, [this] { Unload(); });
  window_ = window.get();
  return window;
}

void StarfieldForm::Form_Load() {
  form_.Attach(window_);
}

void StarfieldForm::Form_Unload() {
  form_.Form_Unload();
  form_.Attach(nullptr);
  window_ = nullptr;
}
