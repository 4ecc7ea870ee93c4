// The orbit views: plotting bodies and debris, clearing and auto clear.
#include "views/orbit_views.h"

#include <cmath>
#include <string>

#include "app/game.h"
#include "sim/numbers.h"
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

// The sums the rules compute in 16-bit arithmetic (X + 7680, Y + 5760, Z + 1200) can only leave the
// range upwards.
inline void check16(int x, int y, int z) {
  if (x > 32767 - 7680 || y > 32767 - 5760 || z > 32767 - 1200)
    throw OverflowError("Overflow: a 16-bit plot position left its range");
}

}  // namespace

OrbitViews::OrbitViews(Game& g) : g_(g) {
  g.addPicture("PiZX", Kind::Picture, 2400, 8880, 10455, 2400, rgb(0, 0, 0));
  g.addPicture("PiZY", Kind::Picture, 12840, 2400, 2415, 6495, rgb(0, 0, 0));
  g.addPicture("LOxy", Kind::Picture, 12840, 8880, 2415, 2415, rgb(0, 0, 16));
  g.addPicture("LoZX", Kind::Picture, 0, 8880, 2415, 2415, rgb(0, 0, 16));
  g.addPicture("LoZY", Kind::Picture, 12840, 0, 2415, 2415, rgb(0, 0, 16));
  g.c("LOxy").toolTip = "Zoom out X-Y";
  g.c("LoZX").toolTip = "Zoom out X-Z";
  g.c("LoZY").toolTip = "Zoom out Y-Z";
  for (const char* name : {"LOxy", "LoZX", "LoZY"}) g.c(name).onClick = [this] { clearZoomOuts(); };

  // Captions of the edge and side views, on the main view just outside the pictures.
  auto caption = [&](const char* name, const char* text, int left, int top, int width) {
    Control& l = g.ui.add(name, Kind::Label);
    l.caption = text;
    l.left = left, l.top = top, l.width = width, l.height = 240;
    l.fore = rgb(160, 160, 200);
    l.back = rgb(0, 0, 0);
    l.fontSize = 8;
  };
  caption("LabEdgeView", "X-Z view (edge)", 2400, 8640, 2400);
  caption("LabSideView", "Y-Z view (side)", 11040, 2400, 1800);

  // Clear and auto clear sit in the run frame of the start and pause buttons (run control).
  const std::string frame = g.ui.find("FraRun") ? "FraRun" : "";
  const Color panel = frame.empty() ? rgb(0, 0, 0) : g.c("FraRun").back;
  auto place = [&](Control& c, int left, int top, int width, int height) {
    c.parent = frame;
    c.left = left, c.top = top, c.width = width, c.height = height;
  };

  Control& clear = g.ui.add("Command4", Kind::Button);
  clear.caption = "Clear";
  clear.toolTip = "Clear Screen";
  clear.visible = false;  // the start shows it
  place(clear, 1680, 60, 1200, 360);
  clear.onClick = [this] { clearViews(); };

  Control& box = g.ui.add("CHacs", Kind::CheckBox);
  box.caption = "Auto clear";
  box.toolTip = "Auto Clear Screen";
  box.fore = rgb(200, 200, 255);
  box.back = panel;
  box.visible = false;  // the start shows it
  place(box, 120, 480, 1400, 330);
  box.onClick = [this] { onAutoClearBox(); };

  Control& bar = g.ui.add("Hacl", Kind::HScroll);
  bar.setRange(1, 30);
  bar.setValue(5);
  bar.smallChange = 1;
  bar.largeChange = 5;
  bar.toolTip = "Clear Screen Time";
  bar.visible = false;  // system creation shows it
  place(bar, 1560, 500, 1900, 290);
  bar.onChange = [this] {
    txref_->setText(std::to_string(hacl_->value()));
    tiball_->setInterval(i16(hacl_->value()) * i16(1000));
  };

  Control& text = g.ui.add("TXref", Kind::TextBox);
  text.setText("5");
  text.toolTip = "Clear Screen Time";
  text.fore = rgb(192, 255, 192);  // the planets box borrows this colour on black
  text.back = rgb(0, 0, 0);
  text.visible = false;
  place(text, 3540, 480, 660, 330);
  text.onLostFocus = [this] { onClearTimeLeft(); };

  Control& timer = g.ui.add("Tiball", Kind::Timer);
  timer.setInterval(1000);
  timer.setEnabled(false);
  timer.onTick = [this] { onAutoClearTick(); };

  tiball_ = &timer;
  txref_ = &text;
  hacl_ = &bar;
  chacs_ = &box;
}

void OrbitViews::bindSlow() {
  bound_ = true;
  main_ = g_.c("Quorl").canvas.get();
  edge_ = g_.c("PiZX").canvas.get();
  side_ = g_.c("PiZY").canvas.get();
  loxy_ = g_.c("LOxy").canvas.get();
  lozx_ = g_.c("LoZX").canvas.get();
  lozy_ = g_.c("LoZY").canvas.get();
  // The areas never move or change size, so their extents are read once.
  edgeLeft_ = g_.c("PiZX").left;
  sideTop_ = g_.c("PiZY").top;
  edgeWidth_ = edge_->width(), edgeHeight_ = edge_->height();
  sideWidth_ = side_->width(), sideHeight_ = side_->height();
  zoomWidth_ = loxy_->width(), zoomHeight_ = loxy_->height();
  zyWidth_ = lozy_->width(), zyHeight_ = lozy_->height();
  zxWidth_ = lozx_->width(), zxHeight_ = lozx_->height();
  for (int k = 0; k < 6; ++k) payload_[k] = g_.ui.find("LaMount(" + std::to_string(k) + ")");
  // "Selected world only." (its click, which clears LOxy, belongs to the name labels).
  selectedOnly_ = g_.ui.find("OptUp(7)");
}

Color OrbitViews::bodyColor(int pln) const { return unpack(ownColor(pln)); }

std::uint32_t OrbitViews::ownColor(int pln) const {
  const BodyTable& b = g_.b;
  return packedColor(b.ColorR[pln], b.ColorG[pln], b.ColorB[pln]);
}

bool OrbitViews::craftColor(int pln, std::uint32_t& out) const {
  // Launch only makes payloads 1..5; a kind with no payload label keeps the body's own colour.
  const double k = std::nearbyint(g_.b.BodyKind[pln] - 10);
  if (!(k <= 5) || !payload_[static_cast<int>(k)]) return true;
  const Control& label = *payload_[static_cast<int>(k)];
  if (g_.s.BlinkPhase == 1) out = pack(label.fore);
  else if (g_.s.BlinkPhase == 2) out = pack(label.back);
  else return false;
  return true;
}

// Inlined into both plotting operations: one call per body per pass, and every debris point.
[[gnu::always_inline]] inline void OrbitViews::plot(int x, int y, int z, std::uint32_t packed,
                                                     std::uint32_t xyPacked, bool drawn, bool xyDrawn) {
  const Color c = unpack(packed), xyZoom = unpack(xyPacked);
  check16(x, y, z);
  // Every test is strict: a point on an edge is not drawn.
  const int mu = x + 7680, mv = y + 5760, zu = z + 1200;
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
  const bool craft = g_.b.BodyKind[pln] > 10 && g_.b.CraftCode[pln] > 0;
  const bool selectedOnly = selectedOnly_ && selectedOnly_->value() != 0;
  if (!craft && !selectedOnly) return plot(x, y, z, c, c, true, true);
  const bool drawn = !craft || craftColor(pln, c);
  if (!selectedOnly) return plot(x, y, z, c, c, drawn, drawn);
  // The zoom-out X-Y view shows the selected world white and every other body grey, craft included.
  plot(x, y, z, c, pln == g_.s.Focus ? kWhite : kGrey, drawn, true);
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
  if (Control* help = g_.ui.find("Label13")) help->visible = false;
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
  if (!chacs_->checked()) {
    txref_->visible = false;
    tiball_->setEnabled(false);
    return;
  }
  txref_->visible = true;
  tiball_->setEnabled(false);
  int ms = clearIntervalMs(Val(txref_->text()));
  if (ms < 0) {
    // Negative or beyond a timer's reach: the timer gets 0 and does not fire.
    g_.status("Clear Screen Time " + txref_->text() + " cannot be used: auto clear waits for 1 to 30 seconds.");
    ms = 0;
  }
  tiball_->setInterval(ms);
  tiball_->setEnabled(true);
}

void OrbitViews::onClearTimeLeft() {
  const double v = Val(txref_->text());
  const double seconds = std::isfinite(v) ? std::nearbyint(v) : 0;
  if (!(seconds >= hacl_->min() && seconds <= hacl_->max())) {
    g_.status("Clear Screen Time must be 1 to 30 seconds.");
    txref_->setText(std::to_string(hacl_->value()));
    return;
  }
  hacl_->setValue(static_cast<int>(seconds));
  if (chacs_->checked()) {
    tiball_->setEnabled(false);
    tiball_->setInterval(i16(hacl_->value()) * i16(1000));
    tiball_->setEnabled(true);
  }
}

void OrbitViews::onAutoClearTick() {
  bind();
  // While the body editor shows its number box, the trails stay.
  const Control* editorBox = g_.ui.find("TXTOden");
  if (editorBox && editorBox->visible) return;
  main_->clear();
  side_->clear();
  edge_->clear();
  for (const char* zoom : {"PicSide", "PicMoon"})
    if (Control* c = g_.ui.find(zoom); c && c->canvas) c->canvas->clear();
  g_.s.ZoomLabelRequest = 1;
}

}  // namespace quorl
