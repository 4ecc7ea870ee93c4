// A chosen number of novas fired one after another, then the first fragment announced as the dominant
// planet.
#include "events/multiple_nova.h"

#include <cmath>

#include "events/nova.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// The count is a 16-bit counter raised once a tick; a timer takes whole milliseconds from 1.
constexpr double kMostNovas = 9999;
constexpr double kShortestGap = 1, kLongestGap = 65535;

constexpr int kRowTop = 5300, kRowHeight = 330, kCaptionTop = kRowTop + 45;

using Self = MultipleNova::Controls;
const ControlRow<Self> kControls[] = {
    // The row under the grid's tip, beside the Nova button.
    {QUORL_CONTROL(Command10), .kind = Kind::Button, .place = {16500, kRowTop, 540, kRowHeight}, .caption = "I*",
     .toolTip = "Multiple Nova Event", .font = kPanelFont, .fontSize = 8, .bold = true},
    {QUORL_CONTROL(CapBanana), .kind = Kind::Label, .place = {17100, kCaptionTop, 660, 270}, .caption = "Novas",
     .toolTip = "Number of Nova", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TXbanana), .kind = Kind::TextBox, .place = {17760, kRowTop, 540, kBoxHeight},
     .toolTip = "Number of Nova", .text = "7", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(CapGap), .kind = Kind::Label, .place = {18360, kCaptionTop, 780, 270}, .caption = "Gap ms",
     .toolTip = "Time Between Novas", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TXgap), .kind = Kind::TextBox, .place = {19140, kRowTop, 660, kBoxHeight},
     .toolTip = "Time Between Novas", .text = "222", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROL(TimAfrica), .kind = Kind::Timer, .interval = 200},
};

}  // namespace

MultipleNova::MultipleNova(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.Command10->onClick = [this] { startStop(); };
  c.TimAfrica->onTick = [this] { tick(); };
  c.TXbanana->onLostFocus = [this] { limitBox(w_, c.TXbanana, "Number of novas", 0, kMostNovas); };
  c.TXgap->onLostFocus = [this] { limitBox(w_, c.TXgap, "Time between novas", kShortestGap, kLongestGap); };
}

void MultipleNova::startStop() {
  const double gap = limitBox(w_, c.TXgap, "Time between novas", kShortestGap, kLongestGap);
  Control& timer = c.TimAfrica;
  timer.setInterval(static_cast<int>(std::nearbyint(gap)));
  if (w_.s.Focus < 3) {
    w_.status(p_.nova->sunRefusal());
    return;
  }
  if (timer.enabled()) {
    timer.setEnabled(false);
    return;
  }
  timer.setEnabled(true);
  w_.s.MultiNovaCount = 1;
}

// A text typed and not yet left still counts, within the limits leaving it would apply.
double MultipleNova::novaCount() {
  const double n = Val(c.TXbanana->text());
  return n > kMostNovas ? kMostNovas : n;
}

void MultipleNova::tick() {
  SharedState& s = w_.s;
  if (novaCount() >= s.MultiNovaCount) {
    // A refused or failed nova still counts, so the event always comes to its end.
    try {
      p_.nova->c.Command11->press();
    } catch (...) {
      s.MultiNovaCount += 1;
      throw;
    }
    s.MultiNovaCount += 1;
    return;
  }
  const int target = s.MultiNovaTarget;
  setClamped(p_.focus->c.Hcelest, target);
  const BodyTable& b = w_.b;
  const bool known = validBody(target);
  const std::string className = known ? p_.classes->className(b.PlanetClass[target]) : std::string();
  w_.status("Dominant planet" + Str(target) + "\r" + className + "\r" + (known ? b.BodyName[target] : std::string()));
  c.TimAfrica->setEnabled(false);
}

}  // namespace quorl
