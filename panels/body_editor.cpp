// The body editor shown while paused. It lies in a band over the top of the main view's sky, and reads
// positions as the main view draws them: a body at (PosX, PosY) sits at (PosX + 7680, PosY + 5760) on
// the view, so the marker goes there and a typed position must lie on the view.
#include "panels/body_editor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "panels/focus_panel.h"
#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/creation.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

constexpr Color kNumberBack = rgb(48, 48, 48);
constexpr Color kMarkLit = rgb(255, 255, 128), kMarkDark = rgb(0, 0, 0), kMarkGrey = rgb(128, 128, 128);
constexpr Color kModeFore = rgb(255, 128, 0);
constexpr double kMomentumLimit = 200;
// A typed mass beyond a thousand suns is no body the game can be asked to move.
constexpr double kMassLimit = 1000 * kStarMass;

// The band over the sky: the number, the bar and the type on the first row, the five boxes on the second.
constexpr int kBandLeft = 2460, kBandRight = 12780, kRow1 = 60, kRow2 = 420, kRowHeight = 315;
constexpr int kPairWidth = (kBandRight - kBandLeft) / 5, kLabelWidth = 480, kBoxWidth = 1500;

// One box of the five: its tool tip, colours, start text, and the label beside it.
struct BoxRow {
  const char* toolTip;
  Color fore, back;
  const char* text;
  int label;         // the Label6 element beside it
  const char* what;  // for messages
};
constexpr BoxRow kBoxes[5] = {
    {"Horizontal Position", rgb(255, 192, 128), rgb(64, 64, 0), "0", 1, "the horizontal position"},
    {"Vertical Position", rgb(255, 192, 128), rgb(64, 64, 0), "0", 0, "the vertical position"},
    {"Horizontal Momentum", rgb(255, 128, 0), rgb(80, 32, 0), "0", 3, "the horizontal momentum"},
    {"Vertical Momentum", rgb(255, 128, 0), rgb(80, 32, 0), "0", 2, "the vertical momentum"},
    {"Gravity of Planet", rgb(255, 255, 0), rgb(48, 48, 48), "123456789", 4, "the mass"},
};
constexpr const char* kLabelCaptions[5] = {"Y", "X", "Ym", "Xm", "mass"};

using Self = BodyEditor::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(TiF), .kind = Kind::Timer, .interval = 500},
    {.one = &Self::La0,
     .name = "La(0)",
     .kind = Kind::Label,
     .place = {kBandLeft, kRow1, 1220, kRowHeight},
     .caption = "Planet        #",
     .toolTip = "Click to read the body again",
     .fore = kCaptionFore,
     .back = kPanelBack,
     .font = kPanelFont,
     .fontSize = 8,
     .hidden = true},
    {QUORL_CONTROL(TXTOden), .kind = Kind::TextBox, .place = {kBandLeft + 1240, kRow1, 700, kRowHeight},
     .toolTip = "Planetary Body Number", .text = "0", .fore = rgb(255, 255, 255), .back = kNumberBack,
     .font = kPanelFont, .fontSize = 8, .hidden = true},
    {QUORL_CONTROL(Qui), .kind = Kind::HScroll, .place = {kBandLeft + 2000, kRow1 + 30, 2700, 255}, .hidden = true,
     .bar = BarRange{1, 1, 1, 1, 10}},
    {.one = &Self::La16,
     .name = "La(16)",
     .kind = Kind::Label,
     .place = {kBandLeft + 4760, kRow1, 1100, kRowHeight},
     .caption = "Planet Type",
     .fore = kCaptionFore,
     .back = kPanelBack,
     .font = kPanelFont,
     .fontSize = 8,
     .hidden = true},
    {QUORL_CONTROL(TxTyp), .kind = Kind::TextBox, .place = {kBandLeft + 5880, kRow1, 520, kRowHeight},
     .toolTip = "1 = Large Star, 2 = Small Star, 3 = Planets", .text = "X", .fore = rgb(255, 192, 192),
     .back = kNumberBack, .font = kPanelFont, .fontSize = 8, .hidden = true, .readOnly = true},
    {QUORL_CONTROL(Frame2), .kind = Kind::Frame, .place = {kBandLeft + 6480, kRow1, 3840, kRowHeight},
     .back = rgb(112, 80, 48), .hidden = true},
    {QUORL_CONTROLS(Opadd), .kind = Kind::Option, .first = 0, .last = 1, .parent = "Frame2",
     .place = {90, 30, 1500, 255}, .fore = kModeFore, .back = kNumberBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROLS(TXTp), .kind = Kind::TextBox, .first = 0, .last = 4, .place = {0, kRow2, kBoxWidth, kRowHeight},
     .font = kPanelFont, .fontSize = 8, .hidden = true},
    {QUORL_CONTROLS(Label6), .kind = Kind::Label, .first = 0, .last = 4, .place = {0, kRow2, kLabelWidth, kRowHeight},
     .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8, .hidden = true},
    // Under the four boxes they set; scroll-bar mode leaves them hidden.
    {QUORL_CONTROLS(Hsp), .kind = Kind::HScroll, .first = 0, .last = 3, .place = {0, kRow2, kBoxWidth, kRowHeight},
     .hidden = true},
    {QUORL_CONTROL(Shark), .kind = Kind::Shape, .place = {0, 0, 225, 225}, .fore = kNumberBack, .back = kMarkGrey,
     .hidden = true},
};

}  // namespace

BodyEditor::BodyEditor(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  for (int i = 0; i < 5; ++i) {
    const BoxRow& row = kBoxes[i];
    const int left = kBandLeft + i * kPairWidth;
    Control& box = c.TXTp[i];
    box.setToolTip(row.toolTip);
    box.setFore(row.fore);
    box.setBack(row.back);
    box.setText(row.text);
    box.setLeft(left + kLabelWidth + 20);
    if (i == 4) box.setWidth(kBandRight - box.left());
    box.onLostFocus = [this] { boxLeft(); };
    Control& label = c.Label6[row.label];
    label.setCaption(kLabelCaptions[row.label]);
    label.setLeft(left);
  }
  // The position bars reach across the view, the momentum bars as far as a typed momentum may go.
  const int hw = static_cast<int>(halfWidth()), hh = static_cast<int>(halfHeight());
  const int limits[4] = {hw, hh, static_cast<int>(kMomentumLimit), static_cast<int>(kMomentumLimit)};
  for (int i = 0; i < 4; ++i) {
    Control& bar = c.Hsp[i];
    bar.setLeft(c.TXTp[i].left());
    bar.setRange(-limits[i], limits[i]);
    if (i < 2) bar.setSteps(15, 300);
    else bar.setSteps(1, 10);
    bar.onChange = [this, i] { barMoved(i); };
  }
  c.Opadd[0].setCaption("num");
  c.Opadd[0].setToolTip("Move Planet with Decimal Accuracy");
  c.Opadd[1].setCaption("visual");
  c.Opadd[1].setToolTip("Move Planet with Scrollbars");
  c.Opadd[1].setLeft(1800);
  for (int i = 0; i < 2; ++i) c.Opadd[i].onClick = [this, i] { modeChosen(i); };

  c.TiF->onTick = [this] { blink(); };
  c.Qui->onChange = [this] {
    c.TXTOden->setText(plain(c.Qui->value()));
    Asgard();
  };
  c.La0->onClick = [this] { Asgard(); };
  c.TXTOden->onLostFocus = [this] { numberLeft(); };
}

double BodyEditor::halfWidth() const { return w_.window.Quorl->width() / 2.0; }
double BodyEditor::halfHeight() const { return w_.window.Quorl->height() / 2.0; }

void BodyEditor::open() {
  for (Control* box : c.TXTp) box->setVisible(true);
  for (Control* label : c.Label6) label->setVisible(true);
  for (Control* shown : {&*c.TXTOden, &*c.La0, &*c.La16, &*c.TxTyp}) shown->setVisible(true);

  // The panel opens on the selected world; a number outside the bar's range (before the first system
  // there is one body) is brought into it.
  const int top = std::clamp<int>(w_.s.BodyCount, 1, kRows - 1);
  const int pln = std::clamp<int>(w_.s.Focus, 1, top);
  c.Qui->setRange(1, top);
  c.Qui->setValue(1);
  c.Qui->setValue(pln);
  c.TXTOden->setText(plain(pln));
  Ocean(pln);

  c.TiF->setEnabled(true);
  Asgard();

  c.Qui->setVisible(true);
  c.Frame2->setVisible(true);
  c.Opadd[0].choose();
  p_.focus->c.Chon->setVisible(true);
  if (tabTip) tabTip->setVisible(true);
}

void BodyEditor::close() {
  if (tabTip) tabTip->setVisible(false);
  p_.focus->c.Chon->setVisible(false);
  c.La0->setVisible(false);
  for (Control* box : c.TXTp) box->setVisible(false);
  for (Control* label : c.Label6) label->setVisible(false);
  for (Control* hidden : {&*c.TXTOden, &*c.La16, &*c.TxTyp, &*c.Shark}) hidden->setVisible(false);
  c.TiF->setEnabled(false);
  c.Qui->setVisible(false);
  c.Frame2->setVisible(false);
  for (Control* option : c.Opadd) option->setValue(0);
}

void BodyEditor::Asgard() {
  const double v = Val(c.TXTOden->text());
  if (!(v > -0.5 && v < kRows - 0.5)) {
    w_.status("Planet number must lie between 0 and 9999");
    return;
  }
  const int pln = CInt(v);
  const BodyTable& b = w_.b;
  c.TxTyp->setText(shortest(b.BodyKind[pln]));
  SetBody(pln);
  Ocean(pln);
  Control& off = p_.focus->c.Chon;
  if (b.Gone[pln] == 1) off.setChecked(true);
  if (b.Gone[pln] == 0) off.setChecked(false);
}

bool BodyEditor::Bifrost() {
  // Every text must be a number as a whole; otherwise nothing at all is written.
  double number = 0;
  if (!parseStrict(c.TXTOden->text(), number) || !(number > -0.5 && number < kRows - 0.5)) {
    w_.status("Nothing written back: the planet number \"" + c.TXTOden->text() + "\" is not one from 0 to 9999");
    return false;
  }
  double v[5];
  for (int i = 0; i < 5; ++i)
    if (!parseStrict(c.TXTp[i].text(), v[i])) {
      w_.status("Nothing written back: " + std::string(kBoxes[i].what) + " \"" + c.TXTp[i].text() +
                "\" is not a number");
      return false;
    }
  const int pln = CInt(number);
  BodyTable& b = w_.b;
  if (v[4] > kMassLimit) {
    const std::string typed = c.TXTp[4].text();
    c.TXTp[4].setText(shortest(b.Mass[pln]));
    w_.status("Nothing written back: the mass \"" + typed + "\" lies above " + plain(kMassLimit) +
              ", a thousand times the sun; kept " + c.TXTp[4].text());
    return false;
  }
  b.PosX[pln] = v[0];
  b.PosY[pln] = v[1];
  b.VelX[pln] = v[2];
  b.VelY[pln] = v[3];
  b.Mass[pln] = v[4];
  return true;
}

void BodyEditor::SetBody(int pln) {
  const BodyTable& b = w_.b;
  const double values[5] = {b.PosX[pln], b.PosY[pln], b.VelX[pln], b.VelY[pln], b.Mass[pln]};
  for (int i = 0; i < 5; ++i) c.TXTp[i].setText(shortest(values[i]));
}

void BodyEditor::Ocean(int pln) {
  Control& mark = c.Shark;
  const double x = w_.b.PosX[pln] + halfWidth(), y = w_.b.PosY[pln] + halfHeight();
  // A body off the view has no place to be marked.
  if (!(x > 0 && x < 2 * halfWidth() && y > 0 && y < 2 * halfHeight())) {
    mark.setVisible(false);
    return;
  }
  mark.setLeft(static_cast<int>(std::lround(x - mark.width() / 2.0)));
  mark.setTop(static_cast<int>(std::lround(y - mark.height() / 2.0)));
  mark.setVisible(true);
}

void BodyEditor::repair(int i, double limit, double lo, double hi) {
  Control& box = c.TXTp[i];
  const std::string typed = box.text();
  box.setText(plain(limit));
  w_.status("Nothing written back: " + std::string(kBoxes[i].what) + " \"" + typed + "\" lies outside " + plain(lo) +
            " to " + plain(hi) + "; set to " + box.text());
}

void BodyEditor::boxLeft() {
  // The first check that fails repairs its box, says so, and ends the handler.
  const double hw = halfWidth(), hh = halfHeight();
  const double x = Val(c.TXTp[0].text()), y = Val(c.TXTp[1].text());
  if (x < -hw) return repair(0, -hw, -hw, hw);
  if (y < -hh) return repair(1, -hh, -hh, hh);
  if (static_cast<float>(x) > hw) return repair(0, hw, -hw, hw);
  if (static_cast<float>(y) > hh) return repair(1, hh, -hh, hh);
  for (int i : {2, 3}) {
    const double m = Val(c.TXTp[i].text());
    if (m < -kMomentumLimit) return repair(i, -kMomentumLimit, -kMomentumLimit, kMomentumLimit);
    if (m > kMomentumLimit) return repair(i, kMomentumLimit, -kMomentumLimit, kMomentumLimit);
  }
  if (c.Opadd[0].checked() && Bifrost()) Asgard();
}

void BodyEditor::numberLeft() {
  // A number typed and left loads that body, as the bar does; one the bar cannot reach is refused.
  Control& box = c.TXTOden;
  const double v = readBox(w_, box, "Planet number");
  const int top = c.Qui->max();
  if (!(v > 0.5 && v < top + 0.5)) {
    return refuseBox(w_, box, plain(c.Qui->value()), "Planet number (1 to " + plain(top) + ")");
  }
  const int pln = CInt(v);
  if (c.Qui->value() != pln) c.Qui->setValue(pln);
  else Asgard();
}

void BodyEditor::modeChosen(int index) {
  if (tabTip) tabTip->setVisible(false);
  for (int i = 0; i < 4; ++i) {
    c.TXTp[i].setReadOnly(index == 1);
    c.TXTp[i].setVisible(true);
  }
}

void BodyEditor::blink() {
  Control& mark = c.Shark;
  if (mark.fore() == c.TXTOden->back()) {
    mark.setFore(kMarkLit);
    mark.setBack(kMarkDark);
    c.TxTyp->setFore(mark.fore());
  } else {
    mark.setFore(c.TXTOden->back());
    mark.setBack(kMarkGrey);
  }
  c.La16->setCaption(Val(c.TxTyp->text()) >= 3 ? "Planet Type" : "Star Type");
}

void BodyEditor::barMoved(int index) {
  if (!c.Opadd[1].checked()) return;
  c.TXTp[index].setText(plain(c.Hsp[index].value()));
  if (Bifrost()) Asgard();
}

}  // namespace quorl
