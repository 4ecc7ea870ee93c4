// The body editor shown while paused: one body's position, momentum, mass and type, retyped by the player.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class BodyEditor {
 public:
  BodyEditor(World& w, Peers& p);

  struct Controls {
    Handle TiF;  // the blinking marker
    // The editor's number and type boxes; hidden while the simulation runs (the auto clear and system
    // creation test whether they show).
    Handle TXTOden, TxTyp;
    Handle Qui;           // picks the body
    ControlArray TXTp;    // 0..4: X, Y, Xm, Ym, mass
    ControlArray Label6;  // 0..4: "Y", "X", "Ym", "Xm", "mass"
    Handle La0, La16;     // La(0) reloads the panel; La(16) names the type
    Handle Frame2;        // the two modes
    ControlArray Opadd;   // 0: decimal, 1: scroll bars
    Handle Shark;         // the marker on the main view
    ControlArray Hsp;     // 0..3: scroll bars of the four boxes, never shown
  } c;

  // The parameter panel's tab tip, shown with the editor (set by the game).
  Control* tabTip = nullptr;

  // Opens the panel on the body in TXTOden, brought into 1..BodyCount; closes it again.
  void open();
  void close();

 private:
  void Asgard();   // load the panel from the body
  bool Bifrost();  // write the panel back into the body; false when refused
  void SetBody(int pln);
  void Ocean(int pln);
  void boxLeft();     // any TXTp lost focus
  void numberLeft();  // TXTOden lost focus
  // Box i held a value outside lo..hi: it is set to `limit` and the status line says so.
  void repair(int i, double limit, double lo, double hi);
  void modeChosen(int index);
  void blink();
  void barMoved(int index);
  double halfWidth() const;
  double halfHeight() const;

  World& w_;
  Peers& p_;
};

}  // namespace quorl
