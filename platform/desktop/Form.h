// A form: one top-level window of the program with the life cycle its handlers expect.
//
//   Load    creates the window hidden and runs Form_Load; an error there unloads the form
//           and ends the program, so no invisible window is ever left running.
//   Show    modeless returns at once; modal returns once the form has been unloaded.
//   Unload  runs Form_Unload and destroys the window; with the last form gone the program ends.
//
// While loaded, the form's caption is registered, so a second copy of the program can find it.
#pragma once

#include <memory>
#include <string>

class Application;
class CaptionMarker;
class QEventLoop;
class QWidget;

class Form {
 public:
  Form(Application& app, std::string caption);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  void Load();
  void Show(bool modal = false);
  void Unload();

  bool IsLoaded() const { return window_ != nullptr; }
  const std::string& Caption() const { return caption_; }
  QWidget* Window() const { return window_.get(); }

 protected:
  virtual std::unique_ptr<QWidget> CreateWindow() = 0;
  virtual void Form_Load() {}
  virtual void Form_Unload() {}

 private:
  Application& app_;
  std::string caption_;
  std::unique_ptr<QWidget> window_;
  std::unique_ptr<CaptionMarker> marker_;
  QEventLoop* modal_loop_ = nullptr;
};
