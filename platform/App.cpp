#include "platform/App.h"

#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <cstdio>

namespace {
int g_loaded_forms = 0;
}

namespace App {

void SetIcon(const std::vector<uint8_t>& icoFile) {
  QByteArray bytes(reinterpret_cast<const char*>(icoFile.data()), qsizetype(icoFile.size()));
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

void FormLoaded() {
  ++g_loaded_forms;
}

void FormUnloaded() {
  if (--g_loaded_forms == 0) QCoreApplication::quit();
}

int LoadedForms() {
  return g_loaded_forms;
}

}  // namespace App
