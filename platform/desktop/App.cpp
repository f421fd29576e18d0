#include "platform/desktop/App.h"

#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <cstdio>

namespace App {

void SetIcon(std::span<const uint8_t> icoFile) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(icoFile.data()),
                                             qsizetype(icoFile.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "ICO");
  QIcon icon;
  for (int i = 0; i < reader.imageCount(); ++i) {
    reader.jumpToImage(i);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  QApplication::setWindowIcon(icon);
}

void EndNow(int exitCode) {
  std::fflush(nullptr);
  ::_exit(exitCode);
}

}  // namespace App

void Application::FormUnloaded() {
  if (--loaded_forms_ == 0) QCoreApplication::quit();
}
