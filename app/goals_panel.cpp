// The Goals panel, and how the game's state tells which milestone it has reached.
#include "app/goals_panel.h"

#include <cstdio>

#include "app/game.h"
#include "app/preset_press.h"
#include "events/biosphere.h"
#include "events/launch.h"
#include "panels/layout.h"

namespace quorl {

namespace {

using namespace layout;

// Over the sky of the main view (window units, relative to the frame inside it).
constexpr int kLeft = 480, kTop = 840, kWidth = 14400;
constexpr int kInside = 240, kGoalsTop = 720, kGoalPitch = 390, kGoalHeight = 330;
constexpr int kMarkWidth = 330, kNameLeft = kInside + kMarkWidth, kNameWidth = 3600;
constexpr int kHintLeft = kNameLeft + kNameWidth + 120, kHintWidth = kWidth - kInside - kHintLeft;
constexpr int kFootTop = kGoalsTop + kGoalCount * kGoalPitch + 120, kHeight = kFootTop + 600;
constexpr int kButtonHeight = 360, kCloseWidth = 1200, kResetWidth = 2100;

constexpr Color kSky = rgb(8, 12, 30);
constexpr Color kDone = rgb(110, 230, 140), kDoneHint = rgb(120, 190, 140);
constexpr Color kOpen = rgb(110, 125, 165), kOpenName = rgb(190, 205, 230), kOpenHint = rgb(150, 172, 215);
constexpr Color kNext = kHeadingFore, kNews = rgb(255, 223, 128), kButton = rgb(212, 208, 200);

using Self = GoalsPanel::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(CmdGoals), .kind = Kind::Button, .place = {18730, 5640, 1070, 330}, .font = kPanelFont,
     .fontSize = 8, .outsideGame = true},
    {QUORL_CONTROL(FraGoals), .kind = Kind::Frame, .place = {kLeft, kTop, kWidth, kHeight}, .caption = "Goals",
     .fore = kHeadingFore, .back = kSky, .font = kPanelFont, .fontSize = 10, .bold = true, .hidden = true,
     .outsideGame = true},
    {QUORL_CONTROL(LabGoalsIntro), .kind = Kind::Label, .parent = "FraGoals",
     .place = {kInside, 300, kWidth - 2 * kInside, kGoalHeight},
     .caption = "The milestones of a game: each is ticked as you reach it and stays ticked. "
                "\"Goals\" beside Help brings this list back.",
     .fore = kCaptionFore, .back = kSky, .font = kPanelFont, .fontSize = 9, .outsideGame = true},
    {QUORL_CONTROLS(LaGoalMark), .kind = Kind::Label, .last = kGoalCount - 1, .parent = "FraGoals",
     .place = {kInside, kGoalsTop, kMarkWidth, kGoalHeight}, .back = kSky, .font = kPanelFont, .fontSize = 9,
     .bold = true, .outsideGame = true},
    {QUORL_CONTROLS(LaGoal), .kind = Kind::Label, .last = kGoalCount - 1, .parent = "FraGoals",
     .place = {kNameLeft, kGoalsTop, kNameWidth, kGoalHeight}, .back = kSky, .font = kPanelFont, .fontSize = 9,
     .outsideGame = true},
    {QUORL_CONTROLS(LaGoalHint), .kind = Kind::Label, .last = kGoalCount - 1, .parent = "FraGoals",
     .place = {kHintLeft, kGoalsTop, kHintWidth, kGoalHeight}, .back = kSky, .font = kPanelFont, .fontSize = 9,
     .outsideGame = true},
    {QUORL_CONTROL(LabGoalsCount), .kind = Kind::Label, .parent = "FraGoals",
     .place = {kInside, kFootTop + 45, 5000, kGoalHeight}, .fore = kHeadingFore, .back = kSky, .font = kPanelFont,
     .fontSize = 9, .outsideGame = true},
    {QUORL_CONTROL(CmdGoalsReset), .kind = Kind::Button, .parent = "FraGoals",
     .place = {kWidth - kInside - kCloseWidth - 120 - kResetWidth, kFootTop, kResetWidth, kButtonHeight},
     .caption = "Reset goals", .toolTip = "Start the list over: every milestone open again", .font = kPanelFont,
     .fontSize = 8, .outsideGame = true},
    {QUORL_CONTROL(CmdGoalsClose), .kind = Kind::Button, .parent = "FraGoals",
     .place = {kWidth - kInside - kCloseWidth, kFootTop, kCloseWidth, kButtonHeight}, .caption = "Close",
     .font = kPanelFont, .fontSize = 8, .bold = true, .outsideGame = true},
};

// "1:05", "12:40", "2:03:07".
std::string playTime(double seconds) {
  const long long s = static_cast<long long>(seconds);
  char buf[32];
  if (s >= 3600) std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  else std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
  return buf;
}

}  // namespace

GoalsPanel::GoalsPanel(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  for (int i = 0; i < kGoalCount; ++i)
    for (const ControlArray* column : {&c.LaGoalMark, &c.LaGoal, &c.LaGoalHint})
      (*column)[i].setTop(kGoalsTop + i * kGoalPitch);
  c.CmdGoals->onClick = [this] { c.FraGoals->visible() ? close() : open(); };
  c.CmdGoalsClose->onClick = [this] { close(); };
  c.CmdGoalsReset->onClick = [this] { resetPressed(); };
  show();
}

void GoalsPanel::open() {
  news_ = false;
  confirming_ = false;
  c.FraGoals->setVisible(true);
  show();
}

void GoalsPanel::close() {
  confirming_ = false;
  c.FraGoals->setVisible(false);
  show();
}

void GoalsPanel::load(const std::optional<std::string>& record) {
  if (record) goals_.restore(*record);
  else open();
  show();
}

void GoalsPanel::resetPressed() {
  // A list kept for all time goes only on a second press.
  if (!confirming_) {
    confirming_ = true;
  } else {
    confirming_ = false;
    goals_.reset();
    if (onChanged) onChanged();
  }
  show();
}

bool GoalsPanel::isWorld(int body) const {
  return body >= 3 && body <= g_.s.BodyCount && !g_.b.Gone[body] && g_.b.CraftCode[body] <= 0;
}

void GoalsPanel::reach(int i) {
  if (goals_.reached(i)) return;
  const double ms = static_cast<double>(clockMs ? clockMs() : g_.ui.now());
  goals_.reach(i, ms / 1000.0, g_.passesRun());
  if (!c.FraGoals->visible()) news_ = true;
  show();
  if (onChanged) onChanged();
}

void GoalsPanel::before(const Input& in) {
  const SharedState& s = g_.s;
  focus_ = s.Focus;
  newWorlds_ = s.NewWorldCount;
  creations_ = g_.presets->creations();
  power_ = -1;
  launching_ = false;
  if (in.kind != Input::Kind::Press) return;
  const CelestialPowers::Controls& powers = g_.bio->powers.c;
  const Control* const used[3] = {&*powers.CDfab, &*powers.CDsub, &*powers.CDdec};
  for (int k = 0; k < 3; ++k)
    if (in.control == used[k] && used[k]->enabled()) power_ = kGoalFabricate + k;
  launching_ = in.control == &*g_.launch->c.Command12;
}

void GoalsPanel::after(const Input& in) {
  const SharedState& s = g_.s;
  const BodyTable& b = g_.b;
  const bool built = g_.presets->creations() != creations_;
  if (built) {
    reach(kGoalSystem);
    bestBefore_ = s.HighScore;
  }
  // The start selects the largest planet and the selection keeper moves on by itself: a world counts as
  // selected when the player's own input moves the selection onto one.
  if (!built && in.kind != Input::Kind::Tick && s.Focus != focus_ && isWorld(s.Focus)) reach(kGoalSelected);
  if (isWorld(s.Focus)) {
    if (b.AirLevel[s.Focus] > 0) reach(kGoalAir);
    if (b.WaterLevel[s.Focus] > 0) reach(kGoalWater);
  }
  for (int kind = 1; kind <= 4; ++kind)
    if (s.LifeTotals[kind] > 0) reach(kGoalLife);
  if (s.CelestialSum > 0) reach(kGoalCelestial);
  if (power_ >= 0) reach(power_);
  // A launch and a nova each add a new world; nothing else does.
  if (s.NewWorldCount > newWorlds_) reach(launching_ ? kGoalLaunch : kGoalNova);
  if (bestBefore_ > 0 && s.Score > bestBefore_) reach(kGoalBest);
}

void GoalsPanel::fused(int survivor, int absorbed) {
  // A craft that brings a world a kind of life it does not have: the fusion carries it over.
  const BodyTable& b = g_.b;
  if (goals_.reached(kGoalCarried) || survivor < 3 || b.CraftCode[survivor] > 0 || b.CraftCode[absorbed] <= 0) return;
  for (int kind = 1; kind <= 5; ++kind)
    if (b.LifeCount[kind][survivor] == 0 && b.LifeCount[kind][absorbed] > 0) return reach(kGoalCarried);
}

void GoalsPanel::show() {
  const auto& list = milestones();
  int next = -1;
  for (int i = 0; i < kGoalCount; ++i) {
    const Goals::Mark& m = goals_.mark(i);
    const bool isNext = !m.reached && next < 0;
    if (isNext) next = i;
    Control &mark = c.LaGoalMark[i], &name = c.LaGoal[i], &hint = c.LaGoalHint[i];
    mark.setCaption(m.reached ? "\u2713" : isNext ? "\u25B8" : "\u25CB");
    mark.setFore(m.reached ? kDone : isNext ? kNext : kOpen);
    name.setCaption(list[i].text);
    name.setFore(m.reached ? kDone : isNext ? kNext : kOpenName);
    name.setFontBold(isNext);
    const std::string when = playTime(m.seconds) + " of play";
    hint.setCaption(!m.reached ? list[i].hint : m.earlier ? "Reached before, at " + when : "Reached at " + when);
    hint.setFore(m.reached ? kDoneHint : isNext ? kNext : kOpenHint);
    // The whole hint, whatever the panel's size leaves of it.
    hint.setToolTip(m.reached ? std::string(list[i].text) + ": " + list[i].hint : "");
  }
  const std::string count = std::to_string(goals_.count()) + "/" + std::to_string(kGoalCount);
  c.LabGoalsCount->setCaption(std::to_string(goals_.count()) + " of " + std::to_string(kGoalCount) + " reached");
  c.CmdGoals->setCaption("Goals " + count);
  c.CmdGoals->setToolTip(news_ ? "Goals: a milestone newly reached" : "Goals: the milestones of a game");
  c.CmdGoals->setBack(news_ ? kNews : kButton);
  c.CmdGoalsReset->setCaption(confirming_ ? "Press again to reset" : "Reset goals");
}

std::string GoalsPanel::describe() const {
  std::string out = "goals " + std::to_string(goals_.count()) + " of " + std::to_string(kGoalCount) + "\n";
  for (int i = 0; i < kGoalCount; ++i) {
    const Goals::Mark& m = goals_.mark(i);
    out += milestones()[i].id;
    if (m.reached) {
      char buf[64];
      std::snprintf(buf, sizeof buf, " reached %.3f s pass %llu", m.seconds, static_cast<unsigned long long>(m.passes));
      out += buf;
    } else {
      out += " open";
    }
    out += '\n';
  }
  return out;
}

}  // namespace quorl
