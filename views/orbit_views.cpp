// The orbit views: plotting bodies and debris, clearing and auto clear.
#include "views/orbit_views.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "events/biosphere.h"
#include "panels/body_editor.h"
#include "sim/numbers.h"
#include "views/name_labels.h"
#include "views/zoom_view.h"
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace quorl {

namespace {

constexpr std::uint32_t kWhite = 0xffffff;
constexpr std::uint32_t kGrey = 77 | 77 << 8 | 77 << 16;

// RGB(CInt(r), CInt(g), CInt(b)) by the conversion instructions (nearest, ties to even), the plot being
// hot; components outside 0..255 (or not numbers) are held at the nearer end. Packed r | g << 8 | b << 16,
// so that the plot keeps one colour in one register.
inline std::uint32_t packedColor(float r, float g, float b) {
#if defined(__SSE2__)
  __m128i v = _mm_cvtps_epi32(_mm_setr_ps(r, g, b, 0.0f));  // out of range: INT_MIN, packed to 0
  v = _mm_packs_epi32(v, v);
  v = _mm_packus_epi16(v, v);
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(v)) & 0xffffffu;
#else
  auto one = [](float f) {
    const float v = std::isfinite(f) ? std::nearbyint(f) : 0.0f;
    return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v);
  };
  return one(r) | one(g) << 8 | one(b) << 16;
#endif
}

inline std::uint32_t pack(Color c) { return c.r | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16; }
inline Color unpack(std::uint32_t v) {
  return Color{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16)};
}

// The system's origin in the main view, and depth 0 in the edge and side views.
constexpr int kOriginX = 7680, kOriginY = 5760, kDepthZero = 1200;

// The sums the rules compute in 16-bit arithmetic (X + 7680, Y + 5760, Z + 1200) can only leave the
// range upwards.
inline void check16(int x, int y, int z) {
  if (x > 32767 - kOriginX || y > 32767 - kOriginY || z > 32767 - kDepthZero)
    throw OverflowError("Overflow: a 16-bit plot position left its range");
}

// Clear and auto clear sit in the run frame of the start and pause buttons.
constexpr Color kRunFrame = rgb(16, 16, 40);
constexpr Color kViewCaption = rgb(160, 160, 200);

using Self = OrbitViews::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(PiZX), .kind = Kind::Picture, .place = {2400, 8880, 10455, 2400}, .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(PiZY), .kind = Kind::Picture, .place = {12840, 2400, 2415, 6495}, .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(LOxy), .kind = Kind::Picture, .place = {12840, 8880, 2415, 2415}, .toolTip = "Zoom out X-Y",
     .back = rgb(0, 0, 16)},
    {QUORL_CONTROL(LoZX), .kind = Kind::Picture, .place = {0, 8880, 2415, 2415}, .toolTip = "Zoom out X-Z",
     .back = rgb(0, 0, 16)},
    {QUORL_CONTROL(LoZY), .kind = Kind::Picture, .place = {12840, 0, 2415, 2415}, .toolTip = "Zoom out Y-Z",
     .back = rgb(0, 0, 16)},
    // Captions of the edge and side views, on the main view just outside the pictures.
    {QUORL_CONTROL(LabEdgeView), .kind = Kind::Label, .place = {2400, 8640, 2400, 240}, .caption = "X-Z view (edge)",
     .fore = kViewCaption, .back = rgb(0, 0, 0), .fontSize = 8},
    {QUORL_CONTROL(LabSideView), .kind = Kind::Label, .place = {11040, 2400, 1800, 240}, .caption = "Y-Z view (side)",
     .fore = kViewCaption, .back = rgb(0, 0, 0), .fontSize = 8},
    // Hidden until the start shows them (the bar: until creation).
    {QUORL_CONTROL(Command4), .kind = Kind::Button, .parent = "FraRun", .place = {1680, 60, 1200, 360},
     .caption = "Clear", .toolTip = "Clear Screen", .hidden = true},
    {QUORL_CONTROL(CHacs), .kind = Kind::CheckBox, .parent = "FraRun", .place = {120, 480, 1400, 330},
     .caption = "Auto clear", .toolTip = "Auto Clear Screen", .fore = rgb(200, 200, 255), .back = kRunFrame,
     .hidden = true},
    {QUORL_CONTROL(Hacl), .kind = Kind::HScroll, .parent = "FraRun", .place = {1560, 500, 1900, 290},
     .toolTip = "Clear Screen Time", .hidden = true, .bar = BarRange{1, 30, 5, 1, 5}},
    // The planets box borrows this box's colour on black.
    {QUORL_CONTROL(TXref), .kind = Kind::TextBox, .parent = "FraRun", .place = {3540, 480, 660, 330},
     .toolTip = "Clear Screen Time", .text = "5", .fore = rgb(192, 255, 192), .back = rgb(0, 0, 0), .hidden = true},
    {QUORL_CONTROL(Tiball), .kind = Kind::Timer, .interval = 1000},
};

}  // namespace

OrbitViews::OrbitViews(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  for (Control* view : {&*c.LOxy, &*c.LoZX, &*c.LoZY}) view->onClick = [this] { clearZoomOuts(); };
  c.Command4->onClick = [this] { clearViews(); };
  c.CHacs->onClick = [this] { onAutoClearBox(); };
  c.Hacl->onChange = [this] {
    c.TXref->setText(std::to_string(c.Hacl->value()));
    c.Tiball->setInterval(i16(c.Hacl->value()) * i16(1000));
  };
  c.TXref->onLostFocus = [this] { onClearTimeLeft(); };
  c.Tiball->onTick = [this] { onAutoClearTick(); };
}

void OrbitViews::bindSlow() {
  bound_ = true;
  main_ = &w_.mainView();
  edge_ = c.PiZX->canvas.get();
  side_ = c.PiZY->canvas.get();
  loxy_ = c.LOxy->canvas.get();
  lozx_ = c.LoZX->canvas.get();
  lozy_ = c.LoZY->canvas.get();
  // The areas never move or change size, so their extents are read once.
  edgeLeft_ = c.PiZX->left();
  sideTop_ = c.PiZY->top();
  edgeWidth_ = edge_->width(), edgeHeight_ = edge_->height();
  sideWidth_ = side_->width(), sideHeight_ = side_->height();
  zoomWidth_ = loxy_->width(), zoomHeight_ = loxy_->height();
  zyWidth_ = lozy_->width(), zyHeight_ = lozy_->height();
  zxWidth_ = lozx_->width(), zxHeight_ = lozx_->height();
  if (p_.bio)
    for (int k = 0; k < 6; ++k) payload_[k] = p_.bio->c.LaMount.find(k);
  // "Selected world only." (its click, which clears LOxy, belongs to the name labels).
  if (p_.labels) selectedOnly_ = p_.labels->c.OptUp.find(7);
}

Color OrbitViews::bodyColor(int pln) const { return unpack(ownColor(pln)); }

std::uint32_t OrbitViews::ownColor(int pln) const {
  const BodyTable& b = w_.b;
  return packedColor(b.ColorR[pln], b.ColorG[pln], b.ColorB[pln]);
}

bool OrbitViews::craftColor(int pln, std::uint32_t& out) const {
  // Launch only makes payloads 1..5; a kind with no payload label keeps the body's own colour.
  const double k = std::nearbyint(w_.b.BodyKind[pln] - 10);
  if (!(k <= 5) || !payload_[static_cast<int>(k)]) return true;
  const Control& label = *payload_[static_cast<int>(k)];
  if (w_.s.BlinkPhase == 1) out = pack(label.fore());
  else if (w_.s.BlinkPhase == 2) out = pack(label.back());
  else return false;
  return true;
}

// Inlined into both plotting operations: one call per body per pass, and every debris point.
[[gnu::always_inline]] inline void OrbitViews::plot(int x, int y, int z, std::uint32_t packed, std::uint32_t xyPacked,
                                                    bool drawn, bool xyDrawn) {
  const Color c = unpack(packed), xyZoom = unpack(xyPacked);
  check16(x, y, z);
  // Every test is strict: a point on an edge is not drawn.
  const int mu = x + kOriginX, mv = y + kOriginY, zu = z + kDepthZero;
  if (drawn) {
    if (0 < mu && mu < 15360 && 0 < mv && mv < 11520) main_->pset(mu, mv, c);
    const int eu = mu - edgeLeft_;
    if (0 < eu && eu < edgeWidth_ && 0 < zu && zu < edgeHeight_) edge_->pset(eu, zu, c);
    const int sv = mv - sideTop_;
    if (0 < zu && zu < sideWidth_ && 0 < sv && sv < sideHeight_) side_->pset(zu, sv, c);
  }
  // The zoom-out views at a twentieth of the scale, in double precision; Z is centred at 1200.
  const double xx = zoomWidth_ / 2.0 + x / 20.0, yy = zoomHeight_ / 2.0 + y / 20.0, zz = z / 20.0 + 1200;
  if (xyDrawn && 0 < xx && xx < zoomWidth_ && 0 < yy && yy < zoomHeight_) loxy_->pset(xx, yy, xyZoom);
  if (drawn) {
    if (0 < zz && zz < zyWidth_ && 0 < yy && yy < zyHeight_) lozy_->pset(zz, yy, c);
    if (0 < xx && xx < zxWidth_ && 0 < zz && zz < zxHeight_) lozx_->pset(xx, zz, c);
  }
}

void OrbitViews::BomBA(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t pln) {
  if (!validBody(pln)) return;
  bind();
  std::uint32_t c = ownColor(pln);
  const bool craft = w_.b.BodyKind[pln] > 10 && w_.b.CraftCode[pln] > 0;
  const bool selectedOnly = selectedOnly_ && selectedOnly_->value() != 0;
  if (!craft && !selectedOnly) return plot(x, y, z, c, c, true, true);
  const bool drawn = !craft || craftColor(pln, c);
  if (!selectedOnly) return plot(x, y, z, c, c, drawn, drawn);
  // The zoom-out X-Y view shows the selected world white and every other body grey, craft included.
  plot(x, y, z, c, pln == w_.s.Focus ? kWhite : kGrey, drawn, true);
}

bool OrbitViews::place(Area area, double x, double y, double z, double& u, double& v) {
  bind();
  const double mu = x + kOriginX, mv = y + kOriginY, zu = z + kDepthZero;
  const auto inside = [&](double a, double b, int w, int h) {
    u = a, v = b;
    return 0 < a && a < w && 0 < b && b < h;
  };
  switch (area) {
    case Area::Main: return inside(mu, mv, main_->width(), main_->height());
    case Area::Edge: return inside(mu - edgeLeft_, zu, edgeWidth_, edgeHeight_);
    case Area::Side: return inside(zu, mv - sideTop_, sideWidth_, sideHeight_);
  }
  return false;
}

void OrbitViews::BomBB(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t pln) {
  if (!validBody(pln)) return;
  bind();
  const std::uint32_t c = ownColor(pln);
  plot(x, y, z, c, c, true, true);
}

void OrbitViews::clearViews() {
  bind();
  main_->clear();
  side_->clear();
  edge_->clear();
  // The names go with the trails, as after an auto clear: the zoom's next tick prints them again.
  w_.s.ZoomLabelRequest = 1;
  if (onClearViews) onClearViews();
}

void OrbitViews::redrawFromState() {
  bind();
  for (Canvas* c : {main_, side_, edge_, lozx_, loxy_, lozy_}) c->clear();
  const int last = std::clamp<int>(w_.s.BodyCount, -1, kRows - 1);
  for (int i = 0; i <= last; ++i) {
    const double x = w_.b.PosX[i], y = w_.b.PosY[i], z = w_.b.PosZ[i];
    const auto fits = [](double v) { return v >= -32768.0 && v < 32768.0; };
    if (w_.b.Gone[i] == 0 && fits(x) && fits(y) && fits(z))
      BomBA(static_cast<std::int16_t>(std::floor(x)), static_cast<std::int16_t>(std::floor(y)),
            static_cast<std::int16_t>(std::floor(z)), static_cast<std::int16_t>(i));
  }
}

void OrbitViews::clearZoomOuts() {
  bind();
  lozx_->clear();
  loxy_->clear();
  lozy_->clear();
}

int OrbitViews::clearIntervalMs(double seconds) {
  const double ms = std::nearbyint(seconds * 1000);
  if (!(ms >= 0 && ms <= 2147483647.0)) return -1;
  return static_cast<int>(ms);
}

void OrbitViews::onAutoClearBox() {
  if (!c.CHacs->checked()) {
    c.TXref->setVisible(false);
    c.Tiball->setEnabled(false);
    return;
  }
  c.TXref->setVisible(true);
  c.Tiball->setEnabled(false);
  int ms = clearIntervalMs(Val(c.TXref->text()));
  if (ms < 0) {
    // Negative or beyond a timer's reach: the timer gets 0 and does not fire.
    w_.status("Clear Screen Time " + c.TXref->text() + " cannot be used: auto clear waits for 1 to 30 seconds.");
    ms = 0;
  }
  c.Tiball->setInterval(ms);
  c.Tiball->setEnabled(true);
}

void OrbitViews::onClearTimeLeft() {
  const double v = Val(c.TXref->text());
  const double seconds = std::isfinite(v) ? std::nearbyint(v) : 0;
  if (!(seconds >= c.Hacl->min() && seconds <= c.Hacl->max())) {
    w_.status("Clear Screen Time must be 1 to 30 seconds.");
    c.TXref->setText(std::to_string(c.Hacl->value()));
    return;
  }
  c.Hacl->setValue(static_cast<int>(seconds));
  if (c.CHacs->checked()) {
    c.Tiball->setEnabled(false);
    c.Tiball->setInterval(i16(c.Hacl->value()) * i16(1000));
    c.Tiball->setEnabled(true);
  }
}

void OrbitViews::onAutoClearTick() {
  bind();
  // While the body editor shows its number box, the trails stay.
  if (p_.editor && p_.editor->c.TXTOden->visible()) return;
  main_->clear();
  side_->clear();
  edge_->clear();
  if (p_.zoom) p_.zoom->clearAreas();
  w_.s.ZoomLabelRequest = 1;
}

}  // namespace quorl
