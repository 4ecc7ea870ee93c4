// Planet classes and the colour code. The class tests are independent (a stellar-mass body passes both
// the brown-dwarf and the star test, and is counted in both); colours follow the class and the body number.
#include "panels/class_sort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "sim/numbers.h"
#include "sim/pass_kernels.h"
#include "sim/worker_pool.h"

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

// The colours depend on the class and on the body number modulo 11, 4 and 7 only: a table by class and
// body number modulo 308 makes a sort a lookup a body (it runs after nearly every pass of a big system).
constexpr int kPeriod = 11 * 4 * 7;
struct Paint {
  float r, g, b;
};
// Rows 1..8 by class; row 0 is class 1 below 3e-8 and row 9 a class-1 craft. Class 3's blue is 200 plus
// a random draw that is always 0: the sort draws it for every class-3 body.
using PaintTable = std::array<std::array<Paint, kPeriod>, 10>;
constexpr int kDim = 0, kCraft = 9;

PaintTable makePaints() {
  PaintTable t{};
  for (int q = 0; q < kPeriod; ++q) {
    const double f11 = (q % 11) / 11.0;
    const double f4 = (q % 4) / 4.0;
    const double g7 = 1 - (q % 7) / 7.0;
    const auto f = [](double v) { return static_cast<float>(v); };
    const float grey = f(Int(f11 * 40) + 50);
    t[1][q] = {grey, grey, grey};
    const float dimB = f(Int(g7 * 25) + 50);
    t[kDim][q] = {dimB, f(Int(f4 * 50) + dimB), dimB};
    t[kCraft][q] = {255, 255, 255};
    const float g2 = f(Int(f11 * 40) + 40);
    t[2][q] = {f(Int(g7 * 20) + g2 + 20), g2, f(Int(f4 * 40) + 40)};
    t[3][q] = {f(Int(f4 * 60)), f(Int(f11 * 100) + 160), 200};
    t[4][q] = {f(Int(f4 * 99) + 40), f(120 - Int(g7 * 99)), f(Int(f11 * 77) + 150)};
    t[5][q] = {f(Int(g7 * 110)), f(Int(f11 * 100) + 100 + Int(f4 * 55)), f(Int(f4 * 50))};
    t[6][q] = {f(Int(g7 * 33) + 222), f(Int(f11 * 100) + 100), 0};
    t[7][q] = {f(Int(f11 * 99) + 155), f(Int(f4 * 40)), f(Int(g7 * 80))};
    t[8][q] = {255, f(Int(f11 * 100) + 120), f(Int(f11 * 100) + 120)};
  }
  return t;
}

// A slice's tally: present bodies, then the class counts 1..8, then its class-3 bodies; padded to a
// cache line of its own.
constexpr int kPresent = 0, kEarth = 9, kTally = 16;
constexpr int kSliceRows = 1024;

const PaintTable& classPaints() {
  static const PaintTable table = makePaints();
  return table;
}

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

void ClassSort::classify(int from, int to, int* tally) {
  BodyTable& b = w_.b;
  const PaintTable& paints = classPaints();
  int* earth = &earth_[static_cast<std::size_t>(from)];
  int present = 0, earthCount = 0, counts[9] = {};
  for (int i = from, q = from % kPeriod; i < to; ++i, q = q + 1 == kPeriod ? 0 : q + 1) {
    present += b.Gone[i] == 0;
    const double M = b.Mass[i];
    if (b.Gone[i] != 0 || M != M) continue;
    // The class tests are independent, but for a number only class 7 and class 8 overlap: the count of
    // bounds a mass reaches is its row of the table (0 is class 1 below 3e-8). A mass that is not a
    // number passes no test.
    int row =
        (M >= 3e-8) + (M >= 4e-7) + (M >= 1.5e-6) + (M > 6e-6) + (M > 3e-5) + (M > 1e-4) + (M >= 3e-4) + (M >= 0.1);
    const int cls = row == kDim ? 1 : row;
    if (cls == 1 && b.BodyKind[i] > 10) row = kCraft;
    ++counts[cls];
    b.PlanetClass[i] = static_cast<std::int16_t>(cls);
    const Paint& p = paints[static_cast<std::size_t>(row)][static_cast<std::size_t>(q)];
    b.ColorR[i] = p.r;
    b.ColorG[i] = p.g;
    b.ColorB[i] = p.b;
    if (cls == 3) earth[earthCount++] = i;
  }
  counts[7] += counts[8];  // a star is a brown dwarf too
  tally[kPresent] = present;
  for (int k = 1; k <= 8; ++k) tally[k] = counts[k];
  tally[kEarth] = earthCount;
}

void ClassSort::sort() {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  std::fill(s.ClassCount.begin() + 1, s.ClassCount.end(), i16(0));

  // Slices of the rows are classified on the worker threads of the pass in a big system; the random
  // draws of class 3 are made here afterwards, one for each class-3 body in body order, as the rule
  // makes them (nothing else draws in between).
  const int last = std::min<int>(s.BodyCount, kRows - 1);
  const int rows = std::max(0, last - 2);
  const int slices = rows >= 2 * kSliceRows ? (rows + kSliceRows - 1) / kSliceRows : 1;
  earth_.resize(kRows);
  tallies_.assign(static_cast<std::size_t>(slices) * kTally, 0);
  const auto part = [&](int c) {
    const int from = 3 + c * kSliceRows, to = c + 1 == slices ? last + 1 : from + kSliceRows;
    classify(from, to, &tallies_[static_cast<std::size_t>(c) * kTally]);
  };
  if (slices > 1) WorkerPool::shared(pass::engine().threads).run(slices, part);
  else part(0);

  int live = 0, counts[9] = {};
  for (int c = 0; c < slices; ++c) {
    const int* tally = &tallies_[static_cast<std::size_t>(c) * kTally];
    live += tally[kPresent];
    for (int k = 1; k <= 8; ++k) counts[k] += tally[k];
  }
  s.LiveCount = i16(live);
  c.LaPlan->setCaption(std::to_string(s.LiveCount));
  c.Lapl[8].setCaption(std::to_string(s.LiveCount));

  for (int c = 0; c < slices; ++c) {
    const int* earth = &earth_[static_cast<std::size_t>(3 + c * kSliceRows)];
    for (int e = 0; e < tallies_[static_cast<std::size_t>(c) * kTally + kEarth]; ++e) {
      const int i = earth[e];
      b.ColorB[i] = static_cast<float>(Int(w_.Rnd() * (1 - (i % 7) / 7.0)) + 200);
    }
  }
  for (int k = 1; k <= 8; ++k) s.ClassCount[k] = i16(counts[k]);

  for (int k = 1; k <= 7; ++k) c.Lapl[k].setCaption(std::to_string(s.ClassCount[k]));
  c.Lapl[0].setCaption("1");
}

}  // namespace quorl
