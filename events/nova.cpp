// Novas: a world split in two.
#include "events/nova.h"

#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// The five break-up modes, by option index.
constexpr const char* kModes[5] = {"Explode", "Spin", "Shatter", "Spiral", "Implode"};
constexpr const char* kModeTips[5] = {"Use Boom", "", "Use Spread", "", ""};

// Column A, in the gap between the preset buttons and the run frame; two rows, so every caption fits.
constexpr int kFrameTop = 6390, kFrameHeight = 600;
constexpr int kOptionWidth = kColumnWidth / 3, kOptionTop = 30, kOptionHeight = 270;
constexpr Color kFrameBack = rgb(16, 16, 40);

using Self = NovaPanel::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(FraSpiral), .kind = Kind::Frame, .place = {kColumnLeft, kFrameTop, kColumnWidth, kFrameHeight},
     .back = kFrameBack},
    {QUORL_CONTROLS(OpExIm), .kind = Kind::Option, .first = 0, .last = 4, .parent = "FraSpiral",
     .place = {0, kOptionTop, kOptionWidth, kOptionHeight}, .fore = rgb(224, 224, 224), .back = kFrameBack,
     .fontSize = 8},
    // The boxes sit in the grid of the starting parameters.
    {QUORL_CONTROL(TXmo), .kind = Kind::TextBox, .place = paramBox(1, true), .toolTip = "Torque Spin Power",
     .text = "1000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Txplod), .kind = Kind::TextBox, .place = paramBox(6, false), .toolTip = "Explosive randomness",
     .text = "1000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TxSpread), .kind = Kind::TextBox, .place = paramBox(6, true),
     .toolTip = "Pre-calculated dispersal volume", .text = "1000", .fore = kBoxFore, .back = kBoxBack,
     .font = kPanelFont, .fontSize = 8},
    // The top left of the main view, where trails seldom reach.
    {QUORL_CONTROL(LaNu), .kind = Kind::Label, .place = {60, 420, 2300, 2440}, .caption = "New Worlds",
     .fore = rgb(200, 210, 230), .back = rgb(0, 0, 0), .font = kPanelFont, .fontSize = 8},
};

}  // namespace

NovaPanel::NovaPanel(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  for (int i = 0; i < 5; ++i) {
    Control& option = c.OpExIm[i];
    option.setCaption(kModes[i]);
    option.setToolTip(kModeTips[i]);
    option.setLeft((i % 3) * kOptionWidth);
    option.setTop(kOptionTop + (i / 3) * kOptionHeight);
    option.onClick = [this, &option] { w_.s.NovaModeCaption = option.caption(); };
  }
  c.TXmo->onLostFocus = [this] { torqueLeft(); };
}

void NovaPanel::torqueLeft() {
  Control& box = c.TXmo;
  double v = 0;
  if (!parseStrict(box.text(), v)) {
    const std::string typed = box.text();
    const std::string keep = plain(w_.s.TorqueSpinPower);
    box.setText(keep);
    w_.status("Torque spin power: \"" + typed + "\" is not a number; kept " + keep);
    return;
  }
  w_.s.TorqueSpinPower = v;
}

}  // namespace quorl
