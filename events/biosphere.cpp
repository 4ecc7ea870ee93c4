// Atmosphere, water and life.
#include "events/biosphere.h"

#include "sim/numbers.h"

namespace quorl {

namespace {

// The payload labels: their two colours are also the blink colours of a craft carrying that life.
struct Payload {
  Color fore, back;
  const char* toolTip;
};
const Payload kPayloads[6] = {
    {rgb(255, 255, 255), rgb(0, 0, 0), ""},
    {rgb(202, 252, 15), rgb(0, 128, 0), "Microbial Variation on this world"},
    {rgb(192, 192, 255), rgb(0, 64, 144), "Aquatiq Variation on this world"},
    {rgb(255, 128, 128), rgb(112, 80, 0), "Terran  Variation on this world"},
    {rgb(204, 128, 255), rgb(96, 0, 96), "Fungoidal Variation on this world"},
    {rgb(255, 224, 128), rgb(96, 96, 0), ""},
};

using Self = Biosphere::Controls;
const ControlRow<Self> kControls[] = {
    // The run tick: the start runs it; the live count and star marker it will drive come with life.
    {QUORL_CONTROL(TiK), .kind = Kind::Timer, .interval = 60},
    // Atmosphere, water and life are not built yet.
    {QUORL_CONTROL(TimWheel), .kind = Kind::Timer, .interval = 150, .running = true},
    {QUORL_CONTROL(FraLif), .kind = Kind::Frame},
    {QUORL_CONTROL(txGG), .kind = Kind::TextBox},
    {QUORL_CONTROL(FraCosmo), .kind = Kind::Frame},
    {QUORL_CONTROLS(LaMount), .kind = Kind::Label, .first = 0, .last = 5},
};

}  // namespace

Biosphere::Biosphere(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TiK->onTick = [] {};
  c.TimWheel->onTick = [] {};
  for (int k = 0; k < 6; ++k) {
    Control& label = c.LaMount[k];
    label.setFore(kPayloads[k].fore);
    if (k > 0) label.setBack(kPayloads[k].back);  // label 0 keeps the label's default back colour
    label.setToolTip(kPayloads[k].toolTip);
  }
}

void Biosphere::impactToll(int f, int size) {
  BodyTable& b = w_.b;
  i32& aquatiq = b.LifeCount[2][f];
  if (size >= 100) {
    if (Int(w_.Rnd() * 2) == 0) aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    if (Int(w_.Rnd() * 3) == 0) aquatiq = CLng(aquatiq / 3.0);
  }
  if (size >= 200) {
    if (Int(w_.Rnd() * 2) == 0) aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    i32& terran = b.LifeCount[3][f];
    terran = CLng(terran / 3.0);
  }
}

}  // namespace quorl
