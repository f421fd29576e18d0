#include "platform/desktop/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int signal) {
  const unsigned char number = static_cast<unsigned char>(signal);
  (void)!::write(g_pipe[1], &number, 1);  // async-signal-safe; a full pipe already wakes us
}

[[noreturn]] void EndBy(int signal) {
  std::fflush(nullptr);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  ::_exit(128 + signal);
}

}  // namespace

void EndOnTerminationSignals() {
  if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier =
      new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    unsigned char number = 0;
    // A locker may end us with SIGUSR1 or SIGUSR2: an end like any other.
    if (::read(g_pipe[0], &number, 1) == 1)
      EndBy(number == SIGUSR1 || number == SIGUSR2 ? SIGTERM : number);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
    ::sigaction(signal, &action, nullptr);
}
