// The display form's window: a Form whose window is a SurfaceWindow driving frmStarfield3.
#pragma once

#include "display/frmStarfield3.h"
#include "platform/Form.h"

class SurfaceWindow;

class StarfieldForm : public Form {
 public:
  StarfieldForm(frmStarfield3& form, Clock& clock);

 protected:
  std::unique_ptr<QWidget> CreateWindow() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  frmStarfield3& form_;
  Clock& clock_;
  SurfaceWindow* window_ = nullptr;
};
