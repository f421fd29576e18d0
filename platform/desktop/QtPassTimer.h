// The frame pump's timer on the toolkit's event loop: one precise single-shot timer.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/core/ScreenPresenter.h"

class QtPassTimer : public PassTimer {
 public:
  explicit QtPassTimer(std::function<void()> pass) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(pass));
  }
  void Start(int milliseconds) override { timer_.start(milliseconds); }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};
