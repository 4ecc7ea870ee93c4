// The window's load, in the order the rules give.
#include "app/program_start.h"

#include <algorithm>
#include <clocale>

#include "app/clock_score.h"
#include "app/game.h"
#include "app/help.h"
#include "app/params.h"
#include "events/biosphere.h"
#include "events/launch.h"
#include "events/nova.h"
#include "sim/numbers.h"
#include "views/planet_picture.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

void font(Control& c, double size) {
  c.setFontName("Georgia");
  c.setFontSize(size);
  if (c.canvas) {
    c.canvas->fontName = "Georgia";
    c.canvas->fontSize = size;
  }
}

}  // namespace

void programStart(Game& g) {
  SharedState& s = g.s;
  // The window toolkit takes the user's locale; number texts in boxes, labels and files keep a point.
  std::setlocale(LC_NUMERIC, "C");

  // 1. The zoom's magnification; an empty box means no magnification.
  const std::string zz = g.zoom->c.txZZ->text();
  s.Magnification = zz.empty() ? 1.0 : Val(zz);

  // 2. Collapsed panels.
  g.bio->collapse();
  g.launch->collapse();
  const LaunchPanel::Controls& launch = g.launch->c;
  g.launch->steering.collapse();
  g.picture->c.PicWorld->setTop(11280);

  // 3. Thrust power and angle bars from their boxes.
  setClamped(launch.SCRpowER, Int(Val(launch.TXpower->text())));
  setClamped(launch.ScrAngle, Int(Val(launch.TXangle->text())));

  // 4. Craft types.
  s.CraftTypeNames[1] = "Comet";
  s.CraftTypeNames[2] = "U-Boat";
  s.CraftTypeNames[3] = "Starship";
  s.CraftTypeNames[4] = "UFO";
  s.CraftTypeNames[5] = "Lightball";

  // 5. Fonts of the drawing areas.
  font(g.window.Quorl, 12);
  font(g.picture->c.PicWorld, 12);
  font(g.zoom->c.PicMoon, 10);
  font(g.zoom->c.PicSide, 10);

  // 6. Torque spin power (a box that does not hold a number leaves it as it is).
  double torque = 0;
  if (parseStrict(g.nova->c.TXmo->text(), torque)) s.TorqueSpinPower = torque;

  // 7. The about button in the top left corner.
  g.help->c.Command1->setLeft(0);
  g.help->c.Command1->setTop(0);

  // 8. Zoom scroll bars at the zoom frame's place.
  const ZoomView::Controls& zoom = g.zoom->c;
  setClamped(zoom.ZkrolHorz, zoom.FraMoon->left());
  setClamped(zoom.ZkrolVert, zoom.FraMoon->top());

  // 9. Speed from its box; the bar follows.
  s.Speed = Val(g.params->c.TXspac->text());
  setClamped(g.params->c.Hspac, std::nearbyint(s.Speed));

  // The saved parameters, or a new file from the panel.
  g.clockScore->file.Remfile();

  g.params->colourPlanetsBox();
}

}  // namespace quorl
