// The once-a-second clock and the score.
#include "app/clock_score.h"

#include <string>

#include "app/game.h"
#include "panels/focus_panel.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// Under the zoom frame, at its right end: a caption row, then a caption and a value a row.
constexpr int kLeft = 26540, kWidth = 2140, kTop = 12960, kRow = 250;
constexpr int kCaptionWidth = 900, kValueLeft = kLeft + kCaptionWidth, kValueWidth = kWidth - kCaptionWidth;
constexpr Color kValueFore = rgb(230, 236, 255), kCelestialFore = rgb(255, 0, 0);

constexpr Place caption(int row) { return {kLeft, kTop + row * kRow, kCaptionWidth, kRow}; }
constexpr Place value(int row) { return {kValueLeft, kTop + row * kRow, kValueWidth, kRow}; }

using Self = ClockScore::Controls;

ControlRow<Self> label(ControlRow<Self> row) {
  row.kind = Kind::Label;
  if (!row.fore) row.fore = kCaptionFore;
  row.back = kPanelBack;
  row.font = kPanelFont;
  row.fontSize = 8;
  return row;
}

const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(TimerJo), .kind = Kind::Timer, .interval = 1000},
    // The one caption too long for the column at the labels' size.
    {QUORL_CONTROL(CapVirt), .kind = Kind::Label, .place = {kLeft, kTop, kWidth, kRow},
     .caption = "Virtual years = real seconds", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont,
     .fontSize = 7},
    label({QUORL_CONTROL(LabvirT), .place = {kLeft, kTop + kRow, 1140, kRow}, .toolTip = "Virtual years = real seconds",
           .fore = kValueFore}),
    {QUORL_CONTROL(TxStable), .kind = Kind::TextBox, .place = {kLeft + 1200, kTop + kRow, kWidth - 1200, kRow},
     .toolTip = "Number of orbits for selected world.", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont,
     .fontSize = 8, .readOnly = true},
    label({QUORL_CONTROL(Labi), .place = caption(2), .caption = "World:", .fore = kValueFore}),
    label({QUORL_CONTROL(Labrat), .place = value(2), .toolTip = "Score of the selected world", .fore = kValueFore}),
    label({QUORL_CONTROL(CapScore), .place = caption(3), .caption = "Score:"}),
    label({QUORL_CONTROL(LabHi), .place = value(3), .toolTip = "Best score of this system", .fore = kValueFore}),
    label({QUORL_CONTROL(CapAllhi), .place = caption(4), .caption = "All hi:"}),
    label({QUORL_CONTROL(LabAllhi), .place = value(4), .toolTip = "Best score ever", .fore = kHeadingFore}),
    label({QUORL_CONTROL(CapLife), .place = caption(5), .caption = "Classes:"}),
    label(
        {QUORL_CONTROL(Lalif), .place = value(5), .toolTip = "Class bonus x 0.1 + all Celestials", .fore = kValueFore}),
};

std::string number(std::int32_t v) { return std::to_string(v); }

}  // namespace

ClockScore::ClockScore(Game& g) : file(g), g_(g) {
  declare(g.ui, c, kControls);
  c.TimerJo->onTick = [this] { tick(); };
}

void ClockScore::tick() {
  SharedState& s = g_.s;
  // Nothing runs before the first start, so there is nothing to time.
  if (s.StartTime.empty()) return;
  std::int32_t sc = 0;
  try {
    clock();
    sc = score();
  } catch (const OverflowError& e) {
    // A long run of a large system: said once, not every second over whatever the status line shows.
    if (!overflowTold_) g_.status(std::string(e.what()) + "\rThe score stands still while it does not fit");
    overflowTold_ = true;
    return;
  }
  c.Labrat->setCaption(number(sc));
  if (sc > s.Score) {
    s.Score = sc;
    c.LabHi->setCaption(number(s.Score));
  }
  if (s.Score > s.HighScore) {
    s.HighScore = s.Score;
    c.LabAllhi->setCaption(number(s.HighScore));
    file.Outfile();
  }
}

void ClockScore::clock() {
  SharedState& s = g_.s;
  const DateTime now = g_.now();
  s.NowTime = timeText(now);
  s.NowSecond = CInt(Val(s.NowTime.substr(6, 2)));
  s.NowMinute = CInt(Val(s.NowTime.substr(3, 2)));
  s.NowHour = CInt(Val(s.NowTime.substr(0, 2)));

  // Times of day: negative once midnight has passed, which the days since creation make good.
  const i32 nowOfDay = i32(s.NowHour) * 3600 + i32(s.NowMinute) * 60 + i32(s.NowSecond);
  const i32 startOfDay = i32(s.StartHour) * 3600 + i32(s.StartMinute) * 60 + i32(s.StartSecond);
  s.ElapsedSeconds = nowOfDay - startOfDay;
  s.NowDate = now;
  // Days from the day of the last start rather than of the creation: a Decimate on a later day restarts
  // the count at 0 like one on the first day.
  const DateTime& from = s.StartDate;
  s.DaysRunning = daysFromCivil(now.year, now.month, now.day) - daysFromCivil(from.year, from.month, from.day);

  const std::string orbits = number(s.Orbits);
  c.TxStable->setText(orbits);
  g_.focus->c.Laorb->setCaption(orbits);

  const i32 days = s.DaysRunning < 0 ? -s.DaysRunning : s.DaysRunning;
  s.ElapsedSeconds = days * 86400 + s.ElapsedSeconds;
  // Taken from the whole running time: from the time of day alone the flag would fall back to 0 for the
  // hours after the first midnight.
  s.WarmUpDone = s.ElapsedSeconds < 2 ? 0 : 2;
  c.LabvirT->setCaption(number(s.ElapsedSeconds));
}

std::int32_t ClockScore::score() {
  SharedState& s = g_.s;
  BodyTable& b = g_.b;
  const double base = (i32(s.LiveCount) * s.ElapsedSeconds).get() / 100.0;

  // 32 bits hold it for any table: 9998 worlds of class 3 give 199960.
  i32 bonus = i32(s.ClassCount[4]) + s.ClassCount[2] + 2 * i32(s.ClassCount[3]);
  if (s.FocusClass == 2) bonus *= 3;
  else if (s.FocusClass == 4) bonus *= 7;
  else if (s.FocusClass == 3) bonus *= 10;
  s.ClassBonus = bonus;
  c.Lalif->setCaption(plain(s.ClassBonus.get() * 0.1 + s.LifeTotals[5].get()));

  i32 sc = CLng(Int(((s.LifeTotals[5] + s.ClassBonus) * (s.Orbits + 1)).get() + base));

  const int f = s.Focus;
  i32* celestials = validBody(f) ? &b.LifeCount[5][f] : nullptr;
  if (!celestials || *celestials <= 0) {
    c.Labrat->setFore(c.Labi->fore());
  } else {
    if (*celestials > 100) *celestials = 100;
    sc = *celestials * 10000 + sc;
    c.Labrat->setFore(kCelestialFore);
  }
  if (!validBody(f) || b.Gone[f] != 0) sc = 0;
  return sc;
}

}  // namespace quorl
