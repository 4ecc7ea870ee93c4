// The paced pump: zero-interval turns while passes are due, a precise single-shot sleep while not.
#include "app/qt/pump.h"

#include <QTimer>

#include "app/game.h"
#include "app/pace.h"

namespace quorl {

PacedPump::PacedPump(Game& g, std::function<bool()> runTurn, QObject* parent)
    : QObject(parent), g_(g), runTurn_(std::move(runTurn)) {
  clock_.start();
  g_.pace->clockNs = [this] { return clock_.nsecsElapsed(); };
  turns_ = new QTimer(this);
  turns_->setInterval(0);
  connect(turns_, &QTimer::timeout, this, [this] { turn(); });
  sleep_ = new QTimer(this);
  sleep_->setSingleShot(true);
  sleep_->setTimerType(Qt::PreciseTimer);
  connect(sleep_, &QTimer::timeout, this, [this] { turn(); });
}

PacedPump::~PacedPump() {
  if (g_.pace) g_.pace->clockNs = {};
}

void PacedPump::start() {
  if (!sleep_->isActive()) turns_->start();
}

void PacedPump::turn() {
  Pacer& pacer = g_.pace->pacer;
  // At Max the clock is not even read.
  const qint64 wait = pacer.cap() ? pacer.waitAt(clock_.nsecsElapsed()) : 0;
  if (wait > 0) {
    // Timers count whole milliseconds: wake at the next one and make up the rest in a short burst.
    turns_->stop();
    sleep_->start(static_cast<int>((wait + 999'999) / 1'000'000));
    return;
  }
  pacer.passRan();
  if (runTurn_()) {
    if (!turns_->isActive()) turns_->start();
  } else {
    turns_->stop();
  }
}

}  // namespace quorl
