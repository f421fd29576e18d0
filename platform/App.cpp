#include "platform/App.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {
int g_loaded_forms = 0;
}

namespace App {

void EndNow(int exitCode) {
  std::fflush(nullptr);
  ::_exit(exitCode);
}

void FormLoaded() { ++g_loaded_forms; }

void FormUnloaded() {
  if (--g_loaded_forms == 0) QCoreApplication::quit();
}

int LoadedForms() { return g_loaded_forms; }

}  // namespace App
