// Planet classes and the colour code. The class tests are independent (a stellar-mass body passes both
// the brown-dwarf and the star test, and is counted in both); colours follow the class and the body number.
#include "panels/class_sort.h"

#include <algorithm>
#include <string>

#include "app/game.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

// Class names are the labels' tool tips; class 8 has none.
constexpr const char* kClassNames[9] = {"Solar Star", "Lunar world",   "Mars world",      "Earth world", "Super earth",
                                        "Uraniun world", "Saturnine world", "Brown dwarf", ""};

// Column A, between the run buttons and the focus panel (window units).
constexpr int kLeft = 15480, kWidth = 4320;
constexpr int kRowTop = 7920, kRowHeight = 330, kCountTop = 8310, kCountHeight = 330;

}  // namespace

ClassSort::ClassSort(Game& g) : g_(g) {
  Control& sortButton = g.ui.add("Command6", Kind::Button);
  sortButton.toolTip = "largest planet + planet color code sort";
  sortButton.left = kLeft + kWidth - 480;
  sortButton.top = kRowTop;
  sortButton.width = 480;
  sortButton.height = kRowHeight;
  sortButton.onClick = [this] { sort(); };

  g.addArray("Lapl", Kind::Label, 0, 8);
  const int cell = kWidth / 9;
  for (int k = 0; k <= 8; ++k) {
    Control& label = g.c("Lapl", k);
    label.toolTip = kClassNames[k];
    label.caption = k == 0 ? "sol" : k == 8 ? "=" : "0+";
    label.left = kLeft + k * cell;
    label.top = kCountTop;
    label.width = cell;
    label.height = kCountHeight;
    label.fore = rgb(230, 230, 230);
    if (k == 8) {
      label.back = rgb(255, 255, 255);
      label.fore = rgb(0, 0, 0);
    }
  }

  Control& live = g.ui.add("LaPlan", Kind::Label);
  live.caption = "~~";
  live.left = kLeft + 1200;
  live.top = kRowTop;
  live.width = 1200;
  live.height = kRowHeight;
  live.fore = rgb(255, 255, 255);

  Control& title = g.ui.add("Label7", Kind::Label);
  title.caption = "Planets:";
  title.left = kLeft;
  title.top = kRowTop;
  title.width = 1200;
  title.height = kRowHeight;
  title.fore = rgb(200, 200, 220);
}

void ClassSort::sort() {
  SharedState& s = g_.s;
  BodyTable& b = g_.b;
  std::fill(s.ClassCount.begin() + 1, s.ClassCount.end(), i16(0));

  const int last = std::min<int>(s.BodyCount, kRows - 1);
  i16 live = 0;
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0) ++live;
  s.LiveCount = live;
  g_.c("LaPlan").caption = std::to_string(s.LiveCount);
  g_.c("Lapl", 8).caption = std::to_string(s.LiveCount);

  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0) classify(i);

  for (int k = 1; k <= 7; ++k) g_.c("Lapl", k).caption = std::to_string(s.ClassCount[k]);
  g_.c("Lapl", 0).caption = "1";
}

void ClassSort::classify(int i) {
  BodyTable& b = g_.b;
  SharedState& s = g_.s;
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
    B = static_cast<float>(Int(g_.Rnd() * g7) + 200);  // always 200, but the draw moves the sequence on
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
