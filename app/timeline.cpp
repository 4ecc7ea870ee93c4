// The timeline's bar, readout and buttons.
#include "app/timeline.h"

#include <algorithm>
#include <cstdio>

#include "app/game.h"
#include "app/rewind.h"
#include "panels/layout.h"

namespace quorl {

namespace {

using namespace layout;
using Self = TimelinePanel::Controls;

// Along the foot of the main view, just above the planet strip.
constexpr int kTop = 11040, kHeight = 240, kBarWidth = 12480, kLabelWidth = 1500, kBackWidth = 1215;
constexpr Color kBarBack = rgb(10, 12, 22), kPlayed = rgb(70, 84, 120), kAhead = rgb(38, 44, 62),
                kImpact = rgb(255, 150, 60), kNova = rgb(255, 244, 170), kNow = rgb(255, 255, 255);

const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(PicTimeline), .kind = Kind::Picture, .place = {0, kTop, kBarWidth, kHeight},
     .toolTip = "The system's seconds of play, impacts and novas marked: drag back to see it as it was, let go "
                "to play on from there (Ctrl+Z: back 10 seconds)",
     .back = kBarBack, .outsideGame = true},
    {QUORL_CONTROL(LabPlay), .kind = Kind::Label, .place = {kBarWidth, kTop, kLabelWidth, kHeight}, .caption = "",
     .toolTip = "The moment shown, of the seconds this system has been played", .fore = kCaptionFore,
     .back = kBarBack, .font = kPanelFont, .fontSize = 7, .outsideGame = true},
    {QUORL_CONTROL(CmdBack), .kind = Kind::Button, .place = {kBarWidth + kLabelWidth, kTop, kBackWidth, kHeight},
     .caption = "Back 10 s", .toolTip = "The system as it was 10 seconds of play ago, and on from there (Ctrl+Z)",
     .font = kPanelFont, .fontSize = 7, .outsideGame = true},
    // Left of the first preset button, over the main view's edge, while no system has begun.
    {QUORL_CONTROL(CmdContinue), .kind = Kind::Button, .place = {14280, 6000, 1020, 360}, .caption = "Continue",
     .font = kPanelFont, .fontSize = 8, .hidden = true, .outsideGame = true},
};

std::string clockText(std::int64_t ms) {
  const std::int64_t s = std::max<std::int64_t>(ms, 0) / 1000;
  char buf[32];
  if (s >= 3600) std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                               static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  else std::snprintf(buf, sizeof buf, "%lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
  return buf;
}

}  // namespace

TimelinePanel::TimelinePanel(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  c.CmdBack->onClick = [this] { back(); };
  c.CmdContinue->onClick = [this] {
    withdrawContinue();
    if (onContinue) onContinue();
  };
  c.PicTimeline->onClick = [this] {
    // A click without a pointer position (the driver's press): plays on from a moment shown.
    release();
  };
}

void TimelinePanel::redraw() {
  Canvas& bar = *c.PicTimeline->canvas;
  bar.clear();
  Rewind* rw = g_.rewind();
  const std::int64_t total = rw ? rw->playAt(rw->lastPass()) : 0;
  if (!rw || total <= 0) {
    c.LabPlay->setCaption(rw ? "0:00" : "");
    return;
  }
  const double w = c.PicTimeline->width();
  const auto xOf = [&](std::int64_t ms) { return std::clamp(static_cast<double>(ms) / static_cast<double>(total), 0.0, 1.0) * (w - 15); };
  const std::int64_t shown = rw->holding() ? rw->playAt(rw->shownPass()) : total;
  const double at = xOf(shown);
  for (int y = 75; y <= 165; y += 15) {
    bar.line(0, y, at, y, kPlayed);
    if (at < w - 15) bar.line(at, y, w - 15, y, kAhead);
  }
  for (const Rewind::Mark& m : rw->marks()) {
    const double x = xOf(rw->playAt(m.pass));
    if (m.kind == World::Mark::Nova) bar.line(x, 15, x, kHeight - 15, kNova);
    else bar.line(x, 45, x, kHeight - 45, kImpact);
  }
  bar.line(at, 0, at, kHeight, kNow);
  c.LabPlay->setCaption(rw->holding() ? clockText(shown) + " of " + clockText(total) : clockText(total));
}

void TimelinePanel::drag(int x) {
  Rewind* rw = g_.rewind();
  if (!rw) return;
  const std::int64_t total = rw->playAt(rw->lastPass());
  const double f = std::clamp(static_cast<double>(x) / std::max(1, c.PicTimeline->width() - 15), 0.0, 1.0);
  std::string why;
  if (!rw->seek(rw->passAt(static_cast<std::int64_t>(f * static_cast<double>(total))), why)) g_.status(why);
  redraw();
}

void TimelinePanel::release() {
  if (Rewind* rw = g_.rewind()) rw->letGo();
  redraw();
}

void TimelinePanel::back() {
  Rewind* rw = g_.rewind();
  std::string why;
  if (!rw) g_.status("This game is not recorded: there is nothing to go back to");
  else if (!rw->back(kBackMs, why)) g_.status(why);
  redraw();
}

void TimelinePanel::offerContinue(const std::string& saved) {
  c.CmdContinue->setToolTip("Continue the game saved " + saved + ", where it was left");
  c.CmdContinue->setVisible(true);
}

void TimelinePanel::withdrawContinue() { c.CmdContinue->setVisible(false); }

}  // namespace quorl
