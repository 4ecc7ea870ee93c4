// The picture of the selected world and those after it: a strip of up to thirteen worlds, each with its
// name, outline, air and water halos, craters and craft pictogram, redrawn whole at every tick.
#include "views/planet_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "events/biosphere.h"
#include "panels/focus_panel.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

constexpr Color kWhite = rgb(255, 255, 255);
constexpr double kTop = 3.142;  // an arc without angles runs from 0 to here

using Self = PlanetPicture::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(PicWorld), .kind = Kind::Picture, .place = {0, 11280, 15255, 2175}, .back = rgb(16, 16, 0)},
    {QUORL_CONTROL(TimWo), .kind = Kind::Timer, .interval = 2000},
};

// cos and sin of i / divisor for i = first..last, worked out once: the strip uses the same few hundred
// angles at every tick.
struct Turn {
  std::vector<double> cos, sin;
  Turn(int first, int last, double divisor) {
    for (int i = first; i <= last; ++i) {
      cos.push_back(std::cos(i / divisor));
      sin.push_back(std::sin(i / divisor));
    }
  }
};

const Turn& lightOutline() {
  static const Turn t(1, 132, 21);
  return t;
}
const Turn& middleOutline() {
  static const Turn t(1, 264, 42);
  return t;
}
const Turn& heavyOutline() {
  static const Turn t(1, 528, 84);
  return t;
}
const Turn& starOutline() {
  static const Turn t(2150, 2250, 350);
  return t;
}
const Turn& starArc() {
  static const Turn t(200, 250, 70);
  return t;
}
const Turn& smallRing() {
  static const Turn t(1, 22, 3.5);
  return t;
}
const Turn& largeRing() {
  static const Turn t(1, 63, 10);
  return t;
}

// A colour component as the rules give it: nearest whole number (ties to even), at most 255.
int component(double v) {
  if (!(v > 0)) return 0;
  if (v >= 255) return 255;
  return CInt(v);
}
Color tint(double r, double g, double b) { return rgb(component(r), component(g), component(b)); }

// The starship figures, relative to the centre of the entry (x, 0); every figure is drawn in the base
// colour and ends with a white point at the centre.
enum class Op : char { Line, Box, Circle, Arc };
struct Stroke {
  Op op;
  double x1, y1, x2, y2;  // lines and boxes: two points; circles and arcs: centre, radius, -
  double start = 0, end = 0, aspect = 1;
};
using Figure = std::vector<Stroke>;

const std::array<Figure, 8>& starships() {
  using enum Op;
  static const std::array<Figure, 8> f = {{
      {{Line, 500, 770, 250, 1170},
       {Line, -500, 770, -250, 1170},
       {Line, -500, 770, 500, 770},
       {Box, 100, 1070, -100, 70},
       {Circle, 0, 1570, 480, 0},
       {Box, -400, 770, -500, 270},
       {Box, 400, 770, 500, 270}},
      {{Line, 500, 770, 250, 1640},
       {Line, -500, 770, -235, 1640},
       {Line, -500, 770, 500, 770},
       {Box, 100, 1270, -100, 370},
       {Circle, 7, 1770, 300, 0},
       {Circle, 7, 1770, 200, 0},
       {Box, -300, 770, -500, 70},
       {Box, 300, 770, 500, 70}},
      {{Line, 500, 970, 0, 620},
       {Line, 500, 970, 0, 1320},
       {Line, 0, 1870, 0, 70},
       {Arc, 1200, 970, 1500, 0, 2.5, 3.77, 1},
       {Box, -500, 1370, -315, 570}},
      {{Line, 500, 970, 200, 520},
       {Line, 500, 970, 200, 1420},
       {Box, 200, 1470, 15, 470},
       {Box, 0, 1720, -80, 220},
       {Arc, 1200, 970, 1500, 0, 2.63, 3.67, 1},
       {Box, -315, 1270, -500, 670}},
      {{Line, -400, 370, -80, 570},
       {Line, 400, 370, 80, 570},
       {Line, -400, 370, 400, 370},
       {Box, -400, 1370, 400, 570},
       {Line, -400, 1370, 15, 1720},
       {Line, 400, 1370, -15, 1720}},
      {{Line, 500, 970, 0, 859},
       {Line, 500, 970, 0, 1081},
       {Box, 0, 1870, 100, 70},
       {Arc, 1200, 970, 1500, 0, 2.5, 3.8, 1},
       {Box, -500, 1370, -400, 570},
       {Box, -320, 1170, -400, 770}},
      {{Line, 300, 970, 0, 550},
       {Line, 300, 970, 0, 1390},
       {Line, 0, 1420, 0, 520},
       {Arc, 1200, 970, 1500, 0, 2.5, 3.8, 0.5},
       {Box, -500, 1670, -400, 270},
       {Box, -320, 1370, -400, 570}},
      {{Line, 500, 970, 0, 637},
       {Line, 500, 970, 0, 1303},
       {Line, 0, 1870, 0, 70},
       {Arc, 1200, 970, 1500, 0, 2.5, 3.8, 1},
       {Box, -500, 1370, -400, 570},
       {Box, -320, 1170, -400, 770},
       {Box, 0, 1570, 320, 1670},
       {Box, 0, 370, 320, 270}},
  }};
  return f;
}

void draw(Canvas& pic, int x, const Figure& figure, Color c) {
  for (const Stroke& s : figure) {
    switch (s.op) {
      case Op::Line: pic.line(x + s.x1, s.y1, x + s.x2, s.y2, c); break;
      case Op::Box: pic.box(x + s.x1, s.y1, x + s.x2, s.y2, c); break;
      case Op::Circle: pic.circle(x + s.x1, s.y1, s.x2, c); break;
      case Op::Arc: pic.circle(x + s.x1, s.y1, s.x2, c, s.start, s.end, s.aspect); break;
    }
  }
}

// Crater centres are 16-bit values: a world whose craters could land beyond that range in its slot is
// too large to be pictured there.
bool fitsSlot(int x, double S) {
  const double reach = 0.8 * std::fabs(S) + 0.5;  // the farthest a new crater's rounded offset goes
  return reach <= std::numeric_limits<std::int16_t>::max() - std::max(x, PlanetPicture::kMidY);
}

bool fits16(int v) {
  return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

}  // namespace

// The world's colour and the shades its craters and halos are drawn in.
struct PlanetPicture::Tints {
  int R, G, B;
  Color body, half, third, light;
};

PlanetPicture::PlanetPicture(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TimWo->onTick = [this] { tick(); };
}

void PlanetPicture::tick() {
  SharedState& s = w_.s;
  // A rate of 0 (never entered) would stop the timer for good; the interval stays as it is then.
  if (s.PlanetGraphicsRate > 0 && c.TimWo->interval() != s.PlanetGraphicsRate)
    c.TimWo->setInterval(s.PlanetGraphicsRate);
  for (std::size_t k = 0; k < s.RosterBody.size(); ++k) {
    s.RosterBody[k] = 0;
    s.RosterName[k] = "~";
    s.RosterSize[k] = 0;
  }
  const int sel = p_.focus->c.Hcelest->value();
  if (sel <= 1) return;
  Canvas& pic = *c.PicWorld->canvas;
  pic.clear();
  buildRoster(sel);
  fx_ = fy_ = 0;
  for (int k = 1; k <= kSlots; ++k) drawEntry(pic, k);
}

void PlanetPicture::buildRoster(int sel) {
  const BodyTable& b = w_.b;
  SharedState& s = w_.s;
  int n = 0;
  auto add = [&](int j) {
    ++n;
    s.RosterBody[n] = static_cast<std::int16_t>(j);
    s.RosterName[n] = b.BodyName[j];
    s.RosterSize[n] = b.Radius[j] * 20000;
  };
  const int last = std::min<int>(s.BodyCount, kRows - 1);
  for (int j = sel; j <= last && n < kSlots; ++j)
    if (b.Gone[j] == 0) add(j);
  // Wrapping round to the start fills at most twelve entries.
  for (int j = 2; j < sel && j <= last && n < kSlots - 1; ++j)
    if (b.Gone[j] == 0) add(j);
}

void PlanetPicture::drawEntry(Canvas& pic, int k) {
  const BodyTable& b = w_.b;
  const SharedState& s = w_.s;
  const int body = s.RosterBody[k];
  const int x = slotX(k);
  const double S = s.RosterSize[k];
  const int cc = b.CraftCode[body];

  Tints t;
  t.R = component(b.ColorR[body]), t.G = component(b.ColorG[body]), t.B = component(b.ColorB[body]);
  t.body = rgb(t.R, t.G, t.B);
  t.half = tint(t.R / 2.0, t.G / 2.0, t.B / 2.0);
  t.third = tint(t.R / 3.0, t.G / 3.0, t.B / 3.0);
  t.light = tint((2.0 * t.R + 510) / 3, 255, (2.0 * t.B + 255) / 3);

  pic.currentX = 1100 * k - 888;
  pic.currentY = k % 2 == 1 ? 80 : 1620;
  pic.foreColor = t.body;
  pic.print(s.RosterName[k]);
  pic.pset(x, kMidY, t.body);

  Color base = b.BodyKind[body] == 15 ? rgb(200, 200, 255) : rgb(100, 100, 100);
  craftFigure(pic, x, cc, base);
  if (cc != 0 && body != 2) return;

  if (body == 2)
    for (int v = 255; v >= 15; v -= 15) {
      const Color glow = rgb(255 - v, 255 - v, 255 - v);
      pic.pset(x - v, kMidY, glow);
      pic.pset(x + v, kMidY, glow);
      pic.pset(x, kMidY + v, glow);
      pic.pset(x, kMidY - v, glow);
    }
  if (!fitsSlot(x, S)) return;
  craters(pic, body, x, S, t);
  outline(pic, body, x, S, t);
}

void PlanetPicture::craftFigure(Canvas& pic, int x, int cc, Color& base) {
  const ControlArray& payload = p_.bio->c.LaMount;
  const double y = kMidY;
  if (cc >= 51 && cc < 60) {
    const Color back = payload[5].back();
    pic.circle(x, y + 45 * cc, 45 * cc, back, 0, kTop, 4);
    pic.circle(x, y + 45 * cc, 30 * cc, back, 0, kTop, 3);
    pic.circle(x, y, 15 * cc, payload[5].fore(), 0, 2 * M_PI, 0.61);
    pic.pset(x, y, kWhite);
  }
  if (cc >= 21 && cc < 30) {
    base = payload[2].back();
    pic.circle(x, y, 30 * (cc - 17), payload[2].fore(), 0, 2 * M_PI, 0.5);
    pic.circle(x, y, 60 * (cc - 17), base, 0, 2 * M_PI, 4);
    pic.pset(x, y, payload[2].fore());
  }
  if (cc >= 41 && cc < 50) {
    base = payload[4].fore();
    pic.circle(x, y, 15 * (cc - 30), base, 0, 2 * M_PI, 0.7);
    pic.circle(x, y, 30 * (cc - 30), payload[4].back(), 0, 2 * M_PI, 0.4);
    pic.pset(x, y, kWhite);
  }
  if (cc >= 11 && cc < 20) {
    base = payload[1].fore();
    for (int i = 0; i < 7; ++i) {
      const double r1 = w_.Rnd(), r2 = w_.Rnd();
      pic.line(x, y, x + Int(300 * r1), y + Int(500 * r2), base);
    }
    pic.circle(x, y, 60, payload[1].back());
    pic.circle(x, y, 90, payload[1].back());
  }
  if (cc >= 31 && cc <= 38) {
    draw(pic, x, starships()[cc - 31], base);
    pic.pset(x, y, kWhite);
  }
  if (cc == 61) {
    pic.circle(x, y, 250, base);
    pic.circle(x, y, 100, base);
    pic.pset(x, y, kWhite);
  }
}

void PlanetPicture::craters(Canvas& pic, int body, int x, double S, const Tints& t) {
  BodyTable& b = w_.b;
  const int n = std::min<int>(b.ImpactCount[body], kImpacts - 1);
  for (int m = n; m >= 1; --m) {
    const double r1 = std::sqrt(w_.Rnd()), r2 = std::sqrt(w_.Rnd());
    int dx = b.CraterDX[m][body], dy = b.CraterDY[m][body];
    if (dx == 0) {
      // A crater keeps the place it gets here, once its horizontal offset is not 0.
      dy = CInt(std::sin(6.3 * w_.Rnd()) * r1 * 0.8 * S);
      dx = CInt(std::cos(6.3 * w_.Rnd()) * r2 * 0.8 * S);
      b.CraterDX[m][body] = static_cast<std::int16_t>(dx);
      b.CraterDY[m][body] = static_cast<std::int16_t>(dy);
    }
    const int cx = x + dx, cy = kMidY + dy;
    // An offset stored while the world sat in an earlier slot may not fit this one.
    if (!fits16(cx) || !fits16(cy)) continue;
    const int size = b.ImpactMark[m][body];
    if (size < 16) {
      if (size > 10) pic.pset(cx, cy, t.light);
      if (size >= 1)
        for (int d : {15, -15}) {
          pic.pset(cx + d, cy, t.third);
          pic.pset(cx, cy + d, t.third);
        }
      if (size > 10)
        for (int d : {30, -30}) {
          pic.pset(cx + d, cy, t.third);
          pic.pset(cx, cy + d, t.third);
        }
    }
    if (S > 0) {
      fx_ = 0.9 - std::abs(dx) / S;
      fy_ = 0.9 - std::abs(dy) / S;
    }
    if (size >= 16) {
      const Turn& ring = smallRing();
      for (std::size_t i = 0; i < ring.sin.size(); ++i)
        pic.pset(cx + ring.sin[i] * S * (size / 2000.0) * fx_, cy + ring.cos[i] * S * (size / 2000.0) * fy_, t.half);
    }
    for (int factor : {2, 3}) {
      if (size < 100 * (factor - 1)) break;
      const Turn& ring = largeRing();
      for (std::size_t i = 0; i < ring.sin.size(); ++i)
        pic.pset(cx + factor * ring.sin[i] * S * (size / 2000.0) * fx_,
                 cy + factor * ring.cos[i] * S * (size / 2000.0) * fy_, t.third);
    }
  }
}

void PlanetPicture::outline(Canvas& pic, int body, int x, double S, const Tints& t) {
  const BodyTable& b = w_.b;
  const Turn& turn = body == 2              ? starOutline()
                     : b.Mass[body] > 0.004 ? heavyOutline()
                     : b.Mass[body] > 0.001 ? middleOutline()
                                            : lightOutline();
  const double air = b.AirLevel[body], water = b.WaterLevel[body];
  const int R1 = component((t.R + air) / 2), G1 = component((t.G + air) / 2), B1 = component((t.B + air) / 2);
  const Color air60 = rgb(R1, G1, B1), air90 = tint(R1 / 2.0, G1 / 2.0, B1 / 2.0);
  // Ten times the water level, held where 16 bits end (the shades only go up to 200 anyway).
  const int w = CInt(std::clamp(10 * water, -32768.0, 32767.0));
  const int wl = std::clamp(w, 50, 200);
  const double width = pic.width(), height = pic.height();
  for (std::size_t i = 0; i < turn.cos.size(); ++i) {
    const double px = x + turn.cos[i] * S, py = kMidY + turn.sin[i] * S;
    int q = static_cast<int>(Int(3 * w * w_.Rnd()));
    q = std::clamp(q, 100, 255);
    if (!(0 < px && px < width && 0 < py && py < height)) continue;
    if (air > 0) {
      pic.pset(x + turn.cos[i] * (S + 60), kMidY + turn.sin[i] * (S + 60), air60);
      pic.pset(x + turn.cos[i] * (S + 90), kMidY + turn.sin[i] * (S + 90), air90);
    }
    if (water >= 2) {
      pic.pset(x + turn.cos[i] * (S + 15), kMidY + turn.sin[i] * (S + 15), tint(wl / 2.0, wl / 2.0, q));
      pic.pset(x + turn.cos[i] * (S + 45), kMidY + turn.sin[i] * (S + 45), tint(wl / 4.0, wl / 3.0, q / 2.0));
    }
    pic.pset(px, py, t.body);
  }
  if (body != 2) return;
  const Turn& arc = starArc();
  for (std::size_t i = 0; i < arc.cos.size(); ++i) {
    const double px = x + arc.cos[i] * S, py = kMidY + arc.sin[i] * S;
    if (0 < px && px < width && 0 < py && py < height) pic.pset(px, py, t.body);
  }
}

}  // namespace quorl
