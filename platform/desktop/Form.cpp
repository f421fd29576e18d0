#include "platform/desktop/Form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QWidget>
#include <cstdio>

#include "platform/core/Numeric.h"
#include "platform/desktop/App.h"
#include "platform/posix/InstanceMarkers.h"

namespace {

// Turns the window manager's close request into an unload of the form.
class CloseToUnload : public QObject {
 public:
  CloseToUnload(Form* form, QObject* window) : QObject(window), form_(form) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    event->ignore();
    form_->Unload();
    return true;
  }

 private:
  Form* form_;
};

// An error text on one line, whatever it holds.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  }
  return text;
}

}  // namespace

Form::Form(Application& app, std::string caption) : app_(app), caption_(std::move(caption)) {}

Form::~Form() = default;

void Form::Load() {
  if (IsLoaded()) return;
  window_ = CreateWindow();
  window_->setWindowTitle(QString::fromStdString(caption_));
  window_->installEventFilter(new CloseToUnload(this, window_.get()));  // goes with the window
  marker_ = std::make_unique<CaptionMarker>(caption_);
  app_.FormLoaded();
  try {
    Form_Load();
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "skorvane: the window \"%s\" could not be opened (%s).\n",
                 caption_.c_str(), OneLine(e.what()).c_str());
    Unload();
    App::EndNow(1);
  }
}

void Form::Show(bool modal) {
  Load();
  // Modal: the program's other windows take no input until this one is unloaded.
  window_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  window_->show();
  if (!modal) return;
  QEventLoop loop;
  modal_loop_ = &loop;
  loop.exec();
  modal_loop_ = nullptr;
}

void Form::Unload() {
  if (!IsLoaded()) return;
  Form_Unload();
  QWidget* window = window_.release();
  window->hide();
  window->deleteLater();  // we may be inside one of its own event handlers
  marker_.reset();
  if (modal_loop_) modal_loop_->quit();
  app_.FormUnloaded();
}
