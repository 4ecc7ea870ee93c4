// The pace control, its readout, and the cap's bookkeeping.
#include "app/pace.h"

#include <cstdio>

#include "app/game.h"
#include "panels/layout.h"
#include "ui/errors.h"

namespace quorl {

void Pacer::setCap(int passesPerSecond) {
  cap_ = passesPerSecond > 0 ? passesPerSecond : 0;
  period_ = cap_ ? 1'000'000'000 / cap_ : 0;
  started_ = false;  // a new cap counts from the next pass, not from the old schedule
}

std::int64_t Pacer::waitAt(std::int64_t nowNs) {
  if (!cap_) return 0;
  if (!started_ || due_ < nowNs - catchUp_) {
    due_ = started_ ? nowNs - catchUp_ : nowNs;
    started_ = true;
  }
  return due_ > nowNs ? due_ - nowNs : 0;
}

FrameRun runFrame(Pacer& pacer, std::int64_t budgetNs, const std::function<std::int64_t()>& clockNs,
                  const std::function<bool()>& turn) {
  FrameRun run;
  const std::int64_t start = clockNs();
  for (std::int64_t now = start; now - start < budgetNs; now = clockNs()) {
    if (pacer.cap() && pacer.waitAt(now) > 0) break;
    pacer.passRan();
    ++run.turns;
    if (!turn()) {
      run.stopped = true;
      break;
    }
  }
  return run;
}

std::string rateText(double passesPerSecond) {
  const double r = passesPerSecond > 0 ? passesPerSecond : 0;
  char buf[32];
  if (r < 9999.5) std::snprintf(buf, sizeof buf, "%.0f/s", r);
  else if (r < 99950) std::snprintf(buf, sizeof buf, "%.1fk/s", r / 1000);
  else if (r < 999500) std::snprintf(buf, sizeof buf, "%.0fk/s", r / 1000);
  else std::snprintf(buf, sizeof buf, "%.1fM/s", r / 1e6);
  return buf;
}

namespace {

using namespace layout;
using Self = PacePanel::Controls;

// Beside the last rows of the starting parameters: the caption and the readout over each other, the
// three settings in a column right of the nova mass box.
constexpr int kOptionLeft = kLeftBox + kWideBox + 15, kOptionWidth = kColumnLeft + kColumnWidth - kOptionLeft;
constexpr int kCaptionWidth = kOptionLeft - kRightCaption - 15;

const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(CapPace), .kind = Kind::Label, .place = {kRightCaption, rowTop(8) + 45, kCaptionWidth, 270},
     .caption = "Pace", .toolTip = "Passes of the main loop a second at most: the passes themselves never change",
     .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8, .outsideGame = true},
    {QUORL_CONTROLS(OpPace), .kind = Kind::Option, .first = 0, .last = 2,
     .place = {kOptionLeft, rowTop(8), kOptionWidth, kBoxHeight}, .fore = kCaptionFore, .back = kPanelBack,
     .font = kPanelFont, .fontSize = 8, .outsideGame = true},
    {QUORL_CONTROL(LabRate), .kind = Kind::Label, .place = {kRightCaption, rowTop(9) + 45, kCaptionWidth, 270},
     .caption = "0/s", .toolTip = "Passes of the main loop in the last second", .fore = kHeadingFore,
     .back = kPanelBack, .font = kPanelFont, .fontSize = 8, .outsideGame = true},
    {QUORL_CONTROL(TimRate), .kind = Kind::Timer, .outsideGame = true, .interval = 1000, .running = true},
};

constexpr const char* kNames[3] = {"Watch", "Fast", "Max"};
constexpr const char* kTips[3] = {
    "5000 passes a second at most: a world of preset 3 goes round its sun in about 7 seconds",
    "30000 passes a second at most: about one orbit a second", "As many passes a second as the machine runs"};

}  // namespace

PacePanel::PacePanel(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  for (int i = 0; i < 3; ++i) {
    Control& o = c.OpPace[i];
    o.setCaption(kNames[i]);
    o.setToolTip(kTips[i]);
    o.setTop(rowTop(8 + i));
    o.onClick = [this, i] { chosen(i); };
  }
  c.TimRate->onTick = [this] { refreshRate(); };
  c.OpPace[kWatch].choose();
}

void PacePanel::choose(int setting) {
  if (setting < 0 || setting > 2) throw GameError("No pace setting " + std::to_string(setting));
  c.OpPace[setting].choose();
}

void PacePanel::chosen(int setting) {
  setting_ = setting;
  pacer.setCap(kCaps[setting]);
  if (onChosen) onChosen(setting);
}

void PacePanel::refreshRate() {
  const std::int64_t now = clockNs ? clockNs() : g_.ui.now() * 1'000'000;
  const std::uint64_t passes = g_.passesRun();
  if (now > lastNs_) {
    measured_ = static_cast<double>(passes - lastPasses_) * 1e9 / static_cast<double>(now - lastNs_);
    c.LabRate->setCaption(rateText(measured_));
  }
  lastNs_ = now;
  lastPasses_ = passes;
}

}  // namespace quorl
