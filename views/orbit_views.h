// The orbit views: plotting bodies and debris, clearing and auto clear.
#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class OrbitViews {
 public:
  OrbitViews(World& w, Peers& p);

  struct Controls {
    Handle PiZX, PiZY;        // the edge (X-Z) and side (Y-Z) views
    Handle LOxy, LoZX, LoZY;  // the zoom-out views
    Handle LabEdgeView, LabSideView;
    Handle Command4, CHacs, Hacl, TXref, Tiball;  // clear, auto clear, its time, its timer
  } c;

  // Runs after a clear by Command4 (the help text goes with the trails).
  std::function<void()> onClearViews;

  // Plots body `pln` at the whole-number position (x, y, z) in all six areas, with the spacecraft
  // blinking and the selected-world highlight of the zoom-out X-Y view.
  void BomBA(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t pln);
  // The same plot, always in the body's own colour (fusion debris, the selection marker).
  void BomBB(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t pln);

  // A game put back from a snapshot: the trails go, and every present body is plotted where it stands.
  // Changes nothing of the game's state.
  void redrawFromState();
  // The body's own colour: RGB(CInt(ColorR), CInt(ColorG), CInt(ColorB)).
  Color bodyColor(int pln) const;

  // The main view, the edge view (X-Z) and the side view (Y-Z).
  enum class Area { Main, Edge, Side };
  // Where a position falls in one of them, in the area's window units, as a plot puts it there; false
  // when outside the area.
  bool place(Area area, double x, double y, double z, double& u, double& v);

  // Auto-clear interval in ms for a number of seconds, rounded; -1 when a timer cannot take it.
  static int clearIntervalMs(double seconds);

  // Looks up the controls of other panels once they all exist; cheap afterwards.
  void bind() {
    if (!bound_) bindSlow();
  }

 private:
  void bindSlow();
  // The payload blink colour of a spacecraft (kept as is without a payload label); false while the
  // blink phase shows nothing.
  bool craftColor(int pln, std::uint32_t& out) const;
  std::uint32_t ownColor(int pln) const;  // packed r | g << 8 | b << 16
  void plot(int x, int y, int z, std::uint32_t c, std::uint32_t xyZoom, bool drawn, bool xyDrawn);

  void clearViews();       // Command4
  void clearZoomOuts();    // a click on a zoom-out view
  void onAutoClearTick();  // Tiball
  void onAutoClearBox();   // CHacs
  void onClearTimeLeft();  // TXref losing focus

  World& w_;
  Peers& p_;
  bool bound_ = false;
  Canvas* main_ = nullptr;
  Canvas* edge_ = nullptr;  // PiZX
  Canvas* side_ = nullptr;  // PiZY
  Canvas* loxy_ = nullptr;  // LOxy
  Canvas* lozx_ = nullptr;  // LoZX
  Canvas* lozy_ = nullptr;  // LoZY
  int edgeLeft_ = 0, sideTop_ = 0;
  int edgeWidth_ = 0, edgeHeight_ = 0, sideWidth_ = 0, sideHeight_ = 0;
  int zoomWidth_ = 0, zoomHeight_ = 0, zyWidth_ = 0, zyHeight_ = 0, zxWidth_ = 0, zxHeight_ = 0;
  Control* selectedOnly_ = nullptr;    // OptUp(7), "Selected world only."
  std::array<Control*, 6> payload_{};  // LaMount(0..5)
};

}  // namespace quorl
