// The main window's surface and status line, and the clock as the rules read it.
#include "sim/world.h"

namespace quorl {

namespace {

using Self = World::Controls;
const ControlRow<Self> kWindow[] = {
    {QUORL_CONTROL(Quorl), .kind = Kind::Form, .place = {0, 0, 15360, 11520}, .caption = "Quorl", .back = rgb(0, 0, 0),
     .font = "Georgia", .fontSize = 12},
    // Three lines under the planet picture strip; the path preview's box and text take its right end.
    {QUORL_CONTROL(Labill), .kind = Kind::Label, .place = {0, 13500, 10800, 960}, .caption = "^  Select Supernova ^",
     .fore = rgb(111, 222, 255), .back = rgb(10, 12, 20), .font = "DejaVu Sans", .fontSize = 10},
};

}  // namespace

World::World(CanvasFactory canvases) : ui(std::move(canvases)) {
  declare(ui, window, kWindow);
  ui.report = [this](const std::string& message) { status(message); };
}

DateTime World::now() {
  clock.setVirtualNow(ui.now());
  DateTime t = clock.now();
  if (outside) outside->clockRead(t);
  return t;
}

void World::status(const std::string& text) { window.Labill->setCaption(text); }

}  // namespace quorl
