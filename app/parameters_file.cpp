// tallyho.txt against the panel.
#include "app/parameters_file.h"

#include <charconv>
#include <cmath>
#include <tuple>
#include <vector>

#include "app/clock_score.h"
#include "app/game.h"
#include "app/params.h"
#include "events/launch.h"
#include "events/nova.h"
#include "io/folder.h"
#include "panels/layout.h"
#include "sim/numbers.h"
#include "ui/errors.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

using namespace layout;

constexpr const char* kFile = "tallyho.txt";
constexpr Color kButtonBack = rgb(200, 214, 240);

using Self = ParametersFile::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(CDsave), .kind = Kind::Button, .place = {15480, 5640, 1030, 330}, .caption = "Save",
     .toolTip = "Save values for starting parameters", .back = kButtonBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Command8), .kind = Kind::Button, .place = {16570, 5640, 1030, 330}, .caption = "Load",
     .toolTip = "Load values for starting parameters", .back = kButtonBack, .font = kPanelFont, .fontSize = 8},
};

// Numbers in the boxes read back to the value the file holds, with a point whatever the locale.
std::string numberText(double v) { return shortest(v); }

// The elevation bar belongs to the launch panel, which may not have it yet.
template <class C>
Control* elevationBar(const C& c) {
  if constexpr (requires { c.ScrVert; }) return &*c.ScrVert;
  else return nullptr;
}

// Takes a box's number into a field; one the file cannot hold keeps the field's last value and is named.
class Taker {
 public:
  void box(Control& box, const char* what, ParamsMember field, ParamsRecord& r) {
    std::visit([&](auto m) { take(box, what, r.*m); }, field);
  }
  void finite(double v, const char* what, double& field) {
    if (std::isfinite(v)) field = v;
    else notes_.push_back(std::string(what) + " is not a number; saved " + numberText(field));
  }
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  void take(Control& box, const char* what, double& field) {
    const double v = Val(box.text());
    if (std::isfinite(v)) field = v;
    else refused(box, what, numberText(field));
  }
  template <typename T>
  void take(Control& box, const char* what, T& field) {
    try {
      const double v = Val(box.text());
      if constexpr (sizeof(T) == 2) field = CInt(v);
      else field = CLng(v);
    } catch (const OverflowError&) {
      refused(box, what, std::to_string(field));
    }
  }
  void refused(Control& box, const char* what, const std::string& kept) {
    notes_.push_back(std::string(what) + " \"" + box.text() + "\" does not fit; saved " + kept);
  }
  std::vector<std::string> notes_;
};

}  // namespace

ParametersFile::ParametersFile(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  c.CDsave->onClick = [this] { Outfile(); };
  c.Command8->onClick = [this] { Remfile(); };
}

std::string ParametersFile::path() const { return g_.folder.path(kFile); }

bool ParametersFile::Outfile() { return save({}); }

bool ParametersFile::save(std::string damage) {
  Game& g = g_;
  SharedState& s = g.s;
  const ParamPanel::Controls& panel = g.params->c;
  const NovaPanel::Controls& nova = g.nova->c;
  const LaunchPanel::Controls& launch = g.launch->c;

  ParamsRecord r = own_;
  Taker take;
  using R = ParamsRecord;
  const std::tuple<const Handle&, const char*, ParamsMember> boxes[] = {
      {panel.TXspac, "Speed", &R::speed},
      {panel.TXplanets, "Planets", &R::planets},
      {panel.Text1, "Proximity", &R::proximity},
      {nova.Txplod, "Explosive randomness", &R::explode},
      {nova.TxSpread, "Dispersal", &R::spread},
      {panel.TxTenner, "Spare worlds", &R::spareWorlds},
      {panel.TXmaster, "Master scale", &R::masterScale},
      {launch.TXpower, "Thrust power", &R::thrustPower},
      {launch.TXangle, "Thrust angle", &R::thrustAngle},
      {launch.Text10, "Elevation", &R::elevation},
      {panel.Text14, "Planet graphics rate", &R::planetRate},
      {panel.Text13, "Zoom graphics rate", &R::zoomRate},
  };
  for (const auto& [box, what, field] : boxes) take.box(box, what, field, r);
  r.highScore = s.HighScore;
  r.seed = s.SeedValue;
  r.zoomScale = CInt(g.zoom->c.ScaleScroll->value());
  r.reserved = 0;
  take.finite(s.TorqueSpinPower, "Torque spin power", r.torque);
  take.finite(s.Magnification, "Magnification", r.magnification);

  s.ZoomScale = r.zoomScale;
  s.SpareWorlds = r.spareWorlds;
  s.MasterScale = r.masterScale;
  s.PlanetGraphicsRate = r.planetRate;
  s.ZoomRate = r.zoomRate;
  own_ = r;

  std::vector<std::string> notes;
  std::string failure;
  const bool written = write(r, std::move(damage), notes, failure);
  own_ = r;
  notes.insert(notes.end(), take.notes().begin(), take.notes().end());
  std::string text = failure;
  if (!notes.empty()) text += (text.empty() ? "" : "\r") + std::string(kFile) + ":";
  for (const std::string& note : notes) text += "\r" + note;
  if (!text.empty()) g.status(text);
  return written;
}

bool ParametersFile::write(ParamsRecord& r, std::string damage, std::vector<std::string>& notes, std::string& failure) {
  Game& g = g_;
  const std::string file = path(), aside = file + ".bad";
  // Two games on one folder take turns: each reads the best the other saved before writing its own.
  const FileLock lock(file + ".lock");
  std::string disk, error;
  bool missing = false;
  const bool readable = readFileHead(file, kParamsReadLimit, disk, error, &missing);
  ParamsRecord probe;
  const int fields = readable ? parseParams(disk, probe) : 0;
  if (damage.empty() && !missing && fields < kParamsFields)
    damage = readable ? paramsFailure(disk, fields) : "it cannot be read (" + error + ")";
  if (!damage.empty() && !missing) {
    // What the player kept is never lost by a rewrite: the damaged file goes aside first, or nothing is written.
    std::string why;
    if (!moveAside(file, aside, why)) {
      failure = std::string(kFile) + ": " + damage + "; it could not be kept as " + kFile + ".bad (" + why +
                "), so it is left as it is";
      return false;
    }
    notes.push_back(damage + "; the file is kept as " + kFile + ".bad and written anew");
  } else if (!damage.empty()) {
    notes.push_back(damage + "; the file is written anew");
  }

  // The best on disk wins when it is higher: another copy of the game, or a file the game has not read.
  std::int32_t diskBest = 0;
  bool higher = readable && parseParamsBest(disk, diskBest) && diskBest > r.highScore;
  std::string best = higher ? std::to_string(diskBest) : std::string();
  if (g.outside) g.outside->fileRead(kParamsBestRead, higher, best);
  std::int32_t taken = 0;
  const auto got = std::from_chars(best.data(), best.data() + best.size(), taken);
  if (higher && got.ec == std::errc() && taken > r.highScore) {
    r.highScore = g.s.HighScore = taken;
    showBest();
  }

  if (!writeFileWhole(file, formatParams(r), error)) {
    failure = "Could not write " + file + ": " + error;
    return false;
  }
  return true;
}

void ParametersFile::showBest() { g_.clockScore->c.LabAllhi->setCaption(std::to_string(g_.s.HighScore)); }

void ParametersFile::Remfile() {
  std::string text, error;
  ParamsRecord r = own_;
  bool missing = false;
  bool read = readFileHead(path(), kParamsReadLimit, text, error, &missing);
  // A game that left a program folder it cannot write starts once from the file it found there.
  bool carried = false;
  if (!read && missing && !started_ && g_.folder.fellBack) {
    std::string ignored;
    carried = read = readFileHead(g_.folder.preferred + "/" + kFile, kParamsReadLimit, text, ignored);
    if (!read) text.clear();
  }
  started_ = true;
  if (g_.outside) g_.outside->fileRead(kFile, read, text);
  const int fieldsRead = read ? parseParams(text, r) : 0;
  std::int32_t best = 0;
  const bool bestAlone = read && fieldsRead <= kParamsBestField && parseParamsBest(text, best);
  if (bestAlone) r.highScore = best;
  store(r, fieldsRead);
  if (bestAlone) g_.s.HighScore = best;
  if (fieldsRead < kParamsFields) {
    save(!read ? (missing ? "" : "it cannot be read (" + error + ")") : paramsFailure(text, fieldsRead));
    showBest();
    return;
  }
  try {
    restoreControls();
  } catch (const GameError& e) {
    // A value the panel cannot take stops the restore where it is, like an unreadable field.
    save(std::string("a value the panel cannot take (") + e.what() + ")");
  }
  if (carried) Outfile();
  g_.params->colourPlanetsBox();
  showBest();
}

void ParametersFile::store(const ParamsRecord& r, int n) {
  SharedState& s = g_.s;
  own_ = r;
  if (n > 5) s.HighScore = r.highScore;
  if (n > 6) s.SeedValue = r.seed;
  if (n > 7) s.ZoomScale = r.zoomScale;
  if (n > 8) s.TorqueSpinPower = r.torque;
  if (n > 9) s.SpareWorlds = r.spareWorlds;
  if (n > 10) s.MasterScale = r.masterScale;
  if (n > 15) s.PlanetGraphicsRate = r.planetRate;
  if (n > 16) s.ZoomRate = r.zoomRate;
  if (n > 17) s.Magnification = r.magnification;
}

void ParametersFile::restoreControls() {
  Game& g = g_;
  const SharedState& s = g.s;
  const ParamPanel::Controls& panel = g.params->c;
  const LaunchPanel::Controls& launch = g.launch->c;
  const ParamsRecord& r = own_;

  panel.Text14->setText(std::to_string(s.PlanetGraphicsRate));
  panel.Text13->setText(std::to_string(s.ZoomRate));
  launch.Text10->setText(std::to_string(r.elevation));
  if (Control* bar = elevationBar(launch)) bar->setValue(i16(r.elevation) + 500);
  launch.TXangle->setText(numberText(r.thrustAngle));
  launch.TXpower->setText(std::to_string(r.thrustPower));
  launch.SCRpowER->setValue(r.thrustPower);
  panel.TXspac->setText(numberText(r.speed));
  panel.TXplanets->setText(numberText(r.planets));
  panel.Text1->setText(numberText(r.proximity));
  // The speed box goes up to 30000, its bar only to 10000: a saved speed above the bar pins it at its end
  // as leaving the box would, rather than failing the whole restore.
  Control& speedBar = panel.Hspac;
  const double speed = std::nearbyint(r.speed);
  if (speed >= speedBar.min() && speed <= speedBar.max()) speedBar.setValue(static_cast<int>(speed));
  else g.params->Skill();
  g.nova->c.Txplod->setText(numberText(r.explode));
  g.nova->c.TxSpread->setText(numberText(r.spread));
  panel.TXran->setText(std::to_string(s.SeedValue));
  g.zoom->c.ScaleScroll->setValue(s.ZoomScale);
  g.clockScore->c.LabAllhi->setCaption(std::to_string(s.HighScore));
  g.nova->c.TXmo->setText(numberText(s.TorqueSpinPower));
  panel.TxTenner->setText(std::to_string(s.SpareWorlds));
  panel.TXmaster->setText(std::to_string(s.MasterScale));
}

}  // namespace quorl
