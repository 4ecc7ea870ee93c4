// Planet classes and the colour code. The class tests are independent (a stellar-mass body passes both
// the brown-dwarf and the star test, and is counted in both); colours follow the class and the body number.
#include "panels/class_sort.h"

#include <algorithm>
#include <string>

#include "sim/numbers.h"

namespace quorl {

namespace {

// Class names are the labels' tool tips; class 8 has none.
constexpr const char* kClassNames[9] = {"Solar Star",      "Lunar world", "Mars world",
                                        "Earth world",     "Super earth", "Uraniun world",
                                        "Saturnine world", "Brown dwarf", ""};

// Column A, between the run buttons and the focus panel (window units).
constexpr int kLeft = 15480, kWidth = 4320;
constexpr int kRowTop = 7920, kRowHeight = 330, kCountTop = 8310, kCountHeight = 330;

using Self = ClassSort::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(Command6), .kind = Kind::Button, .place = {kLeft + kWidth - 480, kRowTop, 480, kRowHeight},
     .toolTip = "largest planet + planet color code sort"},
    // Four digits fit each cell in this font.
    {QUORL_CONTROLS(Lapl), .kind = Kind::Label, .first = 0, .last = 8,
     .place = {kLeft, kCountTop, kWidth / 9, kCountHeight}, .fore = rgb(230, 230, 230), .font = "DejaVu Sans",
     .fontSize = 8},
    {QUORL_CONTROL(LaPlan), .kind = Kind::Label, .place = {kLeft + 1200, kRowTop, 1200, kRowHeight}, .caption = "~~",
     .fore = rgb(255, 255, 255)},
    {QUORL_CONTROL(Label7), .kind = Kind::Label, .place = {kLeft, kRowTop, 1200, kRowHeight},
     .caption = "Planets:", .fore = rgb(200, 200, 220)},
};

}  // namespace

ClassSort::ClassSort(World& w) : w_(w) {
  declare(w.ui, c, kControls);
  const int cell = kWidth / 9;
  for (int k = 0; k <= 8; ++k) {
    Control& label = c.Lapl[k];
    label.setToolTip(kClassNames[k]);
    label.setCaption(k == 0 ? "sol" : k == 8 ? "=" : "0+");
    label.setLeft(kLeft + k * cell);
    // Neighbouring cells differ in shade, so that two counts never read as one number.
    if (k % 2) label.setBack(rgb(34, 40, 60));
  }
  // The live count: black on white.
  c.Lapl[8].setBack(rgb(255, 255, 255));
  c.Lapl[8].setFore(rgb(0, 0, 0));
  c.Command6->onClick = [this] { sort(); };
}

std::string ClassSort::className(int cls) const {
  const Control* label = c.Lapl.find(cls);
  return label ? label->toolTip() : std::string();
}

void ClassSort::sort() {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  std::fill(s.ClassCount.begin() + 1, s.ClassCount.end(), i16(0));

  const int last = std::min<int>(s.BodyCount, kRows - 1);
  i16 live = 0;
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0) ++live;
  s.LiveCount = live;
  c.LaPlan->setCaption(std::to_string(s.LiveCount));
  c.Lapl[8].setCaption(std::to_string(s.LiveCount));

  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0) classify(i);

  for (int k = 1; k <= 7; ++k) c.Lapl[k].setCaption(std::to_string(s.ClassCount[k]));
  c.Lapl[0].setCaption("1");
}

void ClassSort::classify(int i) {
  BodyTable& b = w_.b;
  SharedState& s = w_.s;
  const double f11 = (i % 11) / 11.0;
  const double f4 = (i % 4) / 4.0;
  const double g7 = 1 - (i % 7) / 7.0;
  const double M = b.Mass[i];
  float& R = b.ColorR[i];
  float& G = b.ColorG[i];
  float& B = b.ColorB[i];
  auto mark = [&](int cls) {
    s.ClassCount[cls] += i16(1);
    b.PlanetClass[i] = static_cast<std::int16_t>(cls);
  };

  if (M < 4e-7) {
    mark(1);
    R = G = B = static_cast<float>(Int(f11 * 40) + 50);
    if (M < 3e-8) {
      B = static_cast<float>(Int(g7 * 25) + 50);
      G = static_cast<float>(Int(f4 * 50) + B);
      R = B;
    }
    if (b.BodyKind[i] > 10) R = G = B = 255;
  }
  if (M >= 4e-7 && M < 1.5e-6) {
    mark(2);
    B = static_cast<float>(Int(f4 * 40) + 40);
    G = static_cast<float>(Int(f11 * 40) + 40);
    R = static_cast<float>(Int(g7 * 20) + G + 20);
  }
  if (M >= 1.5e-6 && M <= 6e-6) {
    mark(3);
    R = static_cast<float>(Int(f4 * 60));
    G = static_cast<float>(Int(f11 * 100) + 160);
    B = static_cast<float>(Int(w_.Rnd() * g7) + 200);  // always 200, but the draw moves the sequence on
  }
  if (M > 6e-6 && M <= 3e-5) {
    mark(4);
    R = static_cast<float>(Int(f4 * 99) + 40);
    G = static_cast<float>(120 - Int(g7 * 99));
    B = static_cast<float>(Int(f11 * 77) + 150);
  }
  if (M > 3e-5 && M <= 1e-4) {
    mark(5);
    R = static_cast<float>(Int(g7 * 110));
    G = static_cast<float>(Int(f11 * 100) + 100 + Int(f4 * 55));
    B = static_cast<float>(Int(f4 * 50));
  }
  if (M > 1e-4 && M < 3e-4) {
    mark(6);
    R = static_cast<float>(Int(g7 * 33) + 222);
    G = static_cast<float>(Int(f11 * 100) + 100);
    B = 0;
  }
  if (M >= 3e-4) {
    mark(7);
    R = static_cast<float>(Int(f11 * 99) + 155);
    G = static_cast<float>(Int(f4 * 40));
    B = static_cast<float>(Int(g7 * 80));
  }
  if (M >= 0.1) {
    mark(8);
    R = 255;
    G = static_cast<float>(Int(f11 * 100) + 120);
    B = static_cast<float>(Int(f11 * 100) + 120);
  }
}

}  // namespace quorl
