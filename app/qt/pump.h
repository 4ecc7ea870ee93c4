// The main loop's pump on the event loop: one pass per turn, every pending event handled between two
// passes, and as many turns a second as the pace allows; between paced passes it sleeps on a timer.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QTimer;

namespace quorl {

class Game;

class PacedPump : public QObject {
 public:
  // runTurn runs one turn of the game's pump and says whether the pump goes on.
  PacedPump(Game& g, std::function<bool()> runTurn, QObject* parent = nullptr);
  ~PacedPump() override;
  // Starts turning (the game's superman() asks for it); a second start while running changes nothing.
  void start();

 private:
  void turn();

  Game& g_;
  std::function<bool()> runTurn_;
  QElapsedTimer clock_;
  QTimer* turns_ = nullptr;  // zero interval: one turn each time the event loop comes round
  QTimer* sleep_ = nullptr;  // single shot: the wait until the pace allows the next pass
};

}  // namespace quorl
