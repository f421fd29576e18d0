#include "config/frmPreview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "config/Twips.h"
#include "media/MediaTable.h"
#include "platform/desktop/App.h"
#include "platform/desktop/Embed.h"
#include "startup/modMain.h"

namespace {
constexpr QRect kPictureArea = Twips(0, 0, 2220, 1800);  // 148 x 120 pixels
}

frmPreview::frmPreview(Application& app) : Form(app, modMain::kPreviewCaption) {}

std::unique_ptr<QWidget> frmPreview::CreateWindow() {
  auto window = std::make_unique<QWidget>();
  window->setStyleSheet("background: black");
  window->setFocusPolicy(Qt::NoFocus);
  auto* picture = new QLabel(window.get());
  picture->setGeometry(kPictureArea);
  const media::Bytes gif = media::PreviewPicture();
  QPixmap pixmap;
  pixmap.loadFromData(gif.data(), uint(gif.size()), "GIF");
  picture->setPixmap(pixmap);
  picture->setScaledContents(true);
  return window;
}

void frmPreview::ShowIn(int32_t host) {
  Load();
  host_watch_ = SetParent(Window(), host, [] { App::EndNow(0); });
  if (host_watch_) {
    Show();
    return;
  }
  // No host: a window of its own, as large as the screen allows.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    Window()->setGeometry(screen->availableGeometry());
  Window()->showMaximized();
}

void frmPreview::Form_Unload() {
  App::EndNow(0);
}
