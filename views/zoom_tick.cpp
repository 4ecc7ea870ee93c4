// The zoom view's tick: the selected world's outline, craters and bursts, and its locals, drawn afresh.
#include <algorithm>
#include <cmath>
#include <string>

#include "events/biosphere.h"
#include "events/launch.h"
#include "panels/focus_panel.h"
#include "sim/numbers.h"
#include "sim/squash.h"
#include "views/name_labels.h"
#include "views/orbit_views.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

// Front view centre (4380, 4000), side view centre (4380, 2500).
constexpr double kCx = 4380, kCy = 4000, kCz = 2500;

int component(double c) { return std::clamp<int>(CInt(c), 0, 255); }

// A point, unless a degenerate scale has thrown it far off every area (the pixel conversion
// would not be defined there).
inline void plot(Canvas& c, double x, double y, Color col) {
  if (x > -1e7 && x < 1e7 && y > -1e7 && y < 1e7) c.pset(x, y, col);
}

// Crater offsets are kept in the planet picture's units (the radius times 20000), so that both views
// place a crater alike; rounded in the radius's own units, a small world's offsets would all be 0.
std::int16_t pictureUnits(double offset) { return CInt(std::clamp(offset * 20000, -32767.0, 32767.0)); }

// Eight directions of a crater ring.
constexpr double kRing[8][2] = {
    {1, 0},  {0.7071067811865476, 0.7071067811865476},   {0, 1},  {-0.7071067811865476, 0.7071067811865476},
    {-1, 0}, {-0.7071067811865476, -0.7071067811865476}, {0, -1}, {0.7071067811865476, -0.7071067811865476}};

}  // namespace

bool ZoomView::numberedNames() const {
  // OptUp 3, 4, 5 and 7 put the number after a local's name.
  const ControlArray& modes = p_.labels->c.OptUp;
  return modes[3].checked() || modes[4].checked() || modes[5].checked() || modes[7].checked();
}

void ZoomView::refreshImpactTip(int f) { p_.focus->c.LaFocal->setToolTip(Str(w_.b.ImpactCount[f]) + " impacts"); }

Color ZoomView::payloadColor(int j, Color fallback) {
  const double kind = w_.b.BodyKind[j] - 10;
  if (!(kind > -0.5 && kind < 5.5)) return fallback;
  const Control& label = p_.bio->c.LaMount[CInt(kind)];
  return w_.s.BlinkPhase == 1 ? label.fore() : label.back();
}

void ZoomView::burst(int count, int spread, double x, double y, double z, Color c) {
  for (int i = 0; i < count; ++i) {
    const double ox = Int(w_.Rnd() * 2 * spread) - spread;
    const double oy = Int(w_.Rnd() * 2 * spread) - spread;
    const double oz = Int(w_.Rnd() * 2 * spread) - spread;
    plot(moon_, x + ox, y + oy, c);
    plot(side_, x + ox, z + oz, c);
  }
}

// The nova pair (entries 4 and 5): each point draws its three offsets and then which of the two
// bodies it belongs to. Bodies far apart on screen get a cloud round each at 0.3 of the spread;
// close ones share one cloud round their halfway point.
void ZoomView::pairBurst(int count, int f, double x, double y, double z, double scale, Color c) {
  const BodyTable& b = w_.b;
  const int other = w_.s.FusionPair[5];
  double x5 = x, y5 = y, z5 = z;
  Color c5 = c;
  if (other > 0 && validBody(other)) {
    const double mag = w_.s.Magnification;
    x5 = kCx - (b.PosX[f] - b.PosX[other]) * mag * scale;
    y5 = kCy - (b.PosY[f] - b.PosY[other]) * mag * scale;
    z5 = kCz - (b.PosZ[f] - b.PosZ[other]) * mag * scale;
    c5 = p_.views->bodyColor(other);
  }
  const bool apart = std::fabs(x5 - x) + std::fabs(y5 - y) > 500;
  const double factor = apart ? 0.3 : 1.0;
  for (int i = 0; i < count; ++i) {
    const double ox = Int(w_.Rnd() * 2 * 444) - 444;
    const double oy = Int(w_.Rnd() * 2 * 444) - 444;
    const double oz = Int(w_.Rnd() * 2 * 444) - 444;
    const bool partner = Int(w_.Rnd() * 2) == 1;
    double cx = (x + x5) / 2, cy = (y + y5) / 2, cz = (z + z5) / 2;
    if (apart) cx = partner ? x5 : x, cy = partner ? y5 : y, cz = partner ? z5 : z;
    const Color col = partner ? c5 : c;
    plot(moon_, cx + ox * factor, cy + oy * factor, col);
    plot(side_, cx + ox * factor, cz + oz * factor, col);
  }
}

// Crater marks in shades of the focus colour: a light dot for a small impact or a craft, rings
// growing with the crater size for the others.
void ZoomView::crater(double x, double y, int size, double drawnRadius) {
  if (size < 16) {
    plot(moon_, x, y, shades_[4]);
    return;
  }
  plot(moon_, x, y, shades_[2]);
  const double ring = std::max(15.0, drawnRadius * size / 2000);
  auto circle = [&](double r, Color c) {
    for (const auto& d : kRing) plot(moon_, x + d[0] * r, y + d[1] * r, c);
  };
  circle(ring, shades_[1]);
  if (size >= 100) circle(2 * ring, shades_[3]);
  if (size >= 200) circle(3 * ring, shades_[0]);
}

void ZoomView::impacts(int f, double unit, double drawnRadius) {
  BodyTable& b = w_.b;
  const int n = std::min<int>(b.ImpactCount[f], 99);
  if (treated_[f] > n) treated_[f] = static_cast<std::int16_t>(std::max(n, 0));  // the table was reset
  if (n < 1) return;
  const double R = b.ColorR[f], G = b.ColorG[f], B = b.ColorB[f];
  shades_ = {rgb(component(R), component(G), component(B)), rgb(component(R / 2), component(G / 2), component(B / 2)),
             rgb(component(R / 3), component(G / 3), component(B / 3)),
             rgb(component(R * 0.7), component(G * 0.7), component(B * 0.7)),
             rgb(component((R + 255) / 2), component((G + 255) / 2), component((B + 255) / 2))};
  for (int k = 1; k <= n; ++k) {
    const int size = b.ImpactMark[k][f];
    // New: never placed, and not yet treated by this view (an offset may round to 0, so the placement
    // alone cannot tell; the life losses must happen once per impact).
    const bool fresh = b.CraterDX[k][f] == 0 && k > treated_[f];
    if (!fresh) {
      const double sx = b.CraterDX[k][f], sy = b.CraterDY[k][f];
      crater(kCx + sx * unit / 20000, kCy + sy * unit / 20000, size, drawnRadius);
      continue;
    }
    p_.bio->impactToll(f, size);
    const double a1 = w_.Rnd() * 6.3, s1 = std::sqrt(w_.Rnd());
    const double dx = std::cos(a1) * s1 * 0.8 * b.Radius[f];
    const double a2 = w_.Rnd() * 6.3, s2 = std::sqrt(w_.Rnd());
    const double dy = std::sin(a2) * s2 * 0.8 * b.Radius[f];
    b.CraterDX[k][f] = pictureUnits(dx);
    b.CraterDY[k][f] = pictureUnits(dy);
    crater(kCx + dx * unit, kCy + dy * unit, size, drawnRadius);
  }
  treated_[f] = static_cast<std::int16_t>(n);
}

void ZoomView::tick() {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  // A ZoomRate of 0 (never entered) would stop the timer for good; keep the interval then.
  if (s.ZoomRate > 0 && c.TimZkrol->interval() != s.ZoomRate) c.TimZkrol->setInterval(s.ZoomRate);

  const int f = s.Focus;
  if (f < 2 || !validBody(f) || b.Gone[f] != 0) {
    c.LaLocal->setCaption(std::string(1, '~'));  // (one-character literals trip a false -Wrestrict in GCC 12)
    p_.focus->c.LaFocal->setCaption(std::string(1, '0'));
    clearAreas();
    return;
  }

  const double speed = std::sqrt(b.VelY[f] * b.VelY[f] + b.VelX[f] * b.VelX[f] + b.VelZ[f] * b.VelZ[f]);
  c.LaVel->setCaption(Str(speed));
  // The rule for a craft above 4.2 sat under "at most 2" and never ran; it stays off.
  c.LaVel->setFore(speed > 2 ? rgb(127, 0, 0) : rgb(0, 0, 0));

  const double mag = s.Magnification;
  const double z = c.ScaleScroll->value() / 100000.0 / mag;
  if (s.Proximity == 0) return;

  s.ZoomFrame = s.ZoomFrame >= 29 ? i16(0) : s.ZoomFrame + 1;
  s.BlinkPhase = s.BlinkPhase != 2 ? 2 : 1;

  const Color fc = p_.views->bodyColor(f);
  const bool glob = c.ChGlob->checked();
  if (!glob) {
    static constexpr double cross[5][2] = {{0, 0}, {15, 0}, {-15, 0}, {0, 15}, {0, -15}};
    for (const auto& d : cross) plot(moon_, kCx + d[0], kCy + d[1], fc);
    for (const auto& d : cross) plot(side_, kCx + d[0], kCz + d[1], fc);
  }

  // Focus outline at its true size.
  const double unit = s.Proximity / z;  // window units per radius unit
  const double r = Squash(b.Mass[f]) / 1000;
  b.Radius[f] = r;
  double R = unit * r;
  if (R > 35000) {
    R = 35000;
    w_.status("Zoom at max.");
  }
  const Dots* dots = &dots50_;
  if (f == 2) dots = &dots300_;
  if (b.Mass[f] > 0.0001) dots = &dots100_;
  if (b.Mass[f] > 0.004) dots = &dots200_;
  for (std::size_t i = 0; i < dots->cos.size(); ++i) {
    const double px = kCx + R * dots->cos[i], py = R * dots->sin[i];
    plot(moon_, px, kCy + py, fc);
    plot(side_, px, kCz + py, fc);
  }

  if (b.BodyKind[f] > 10) {
    const double T = (p_.launch->c.ScrStation->value() / 100000.0) * unit;
    const Color tc = s.ZoomFrame > 4 ? rgb(255, 0, 0) : rgb(255, 255, 255);
    plot(moon_, kCx + s.LaunchDirX * T, kCy + s.LaunchDirY * T, tc);
    plot(side_, kCx + s.LaunchDirX * T, kCz, tc);
  }

  impacts(f, unit, R);

  const bool labels = s.ZoomLabelRequest == 1;
  const bool nameLocals = labels && c.ChNom->checked();
  if (nameLocals) {
    moon_.fontSize = 12;
    moon_.fontBold = false;
    moon_.currentX -= 170.0 * b.BodyName[f].size();
    moon_.currentY -= 180;
    moon_.foreColor = fc;
    moon_.print(b.BodyName[f]);
    moon_.fontSize = 10;
  }

  std::array<i16, 6>& pair = s.FusionPair;
  if (pair[3] == f) {
    burst(CInt(33 / 2.0), 111, kCx, kCy, kCz, fc);
    pair[3] = 0;
  }
  if (pair[0] == f) {
    burst(33, 111, kCx, kCy, kCz, fc);
    pair[0] = 0;
  }
  if (pair[1] == f) {
    burst(33, 333, kCx, kCy, kCz, fc);
    pair[1] = 0;
  }

  // Locals.
  const double L = std::max(Val(c.TXmoonzoom->text()), 0.1);
  const double k = 1000 / L, reach = 10 * L;
  // d >= reach is decided on the squared distance away from the boundary; near it by the root itself.
  const double reach2 = reach * reach, below = reach2 * (1 - 1e-9), above = reach2 * (1 + 1e-9);
  const bool numbered = nameLocals && numberedNames();
  const double fx = b.PosX[f], fy = b.PosY[f], fz = b.PosZ[f];
  const int fragment = s.NewestFragment;
  NameLabels& namer = *p_.labels;
  int locals = 0;
  bool craftMet = false;
  const int last = std::clamp<int>(s.BodyCount, -1, kRows - 1);
  for (int j = last; j >= 0; --j) {
    if (treated_[j] > b.ImpactCount[j]) treated_[j] = std::max<std::int16_t>(b.ImpactCount[j], 0);
    const bool gone = b.Gone[j] != 0;
    if (gone && pair[0] <= 0 && pair[1] <= 0) continue;
    if (labels) {
      const double px = Int(b.PosX[j]), py = Int(b.PosY[j]);
      // Outside 16 bits the body is far outside the main view: it would get no label anyway.
      if (px >= -32768 && px <= 32767 && py >= -32768 && py <= 32767)
        namer.NamePlanet(static_cast<int>(px), static_cast<int>(py), j);
    }
    if (j == f) continue;
    const double dx = (fx - b.PosX[j]) * mag, dy = (fy - b.PosY[j]) * mag, dz = (fz - b.PosZ[j]) * mag;
    const double d2 = dx * dx + dy * dy + dz * dz;
    if (d2 == 0) continue;
    if (!(d2 < below) && (d2 > above || std::sqrt(d2) >= reach)) continue;
    ++locals;
    if (b.BodyKind[j] > 10) craftMet = true;

    const double X = kCx - dx * k, Y = kCy - dy * k, Zs = kCz - dz * k;
    const double rj = Squash(b.Mass[j]) / 1000;
    b.Radius[j] = rj;
    double Rj = unit * rj;
    if (Rj > 3333) Rj = 3333;
    const Color jc = p_.views->bodyColor(j);

    if (!gone) {
      if (glob && b.CraftCode[j] <= 0) {
        const Dots* jd = &dots25_;
        if (j == 2) jd = &dots200_;
        if (b.Mass[j] > 0.0001) jd = &dots50_;
        if (b.Mass[j] > 0.004) jd = &dots100_;
        for (std::size_t i = 0; i < jd->cos.size(); ++i) {
          const double px = X + Rj * jd->cos[i], py = Rj * jd->sin[i];
          plot(moon_, px, Y + py, jc);
          plot(side_, px, Zs + py, jc);
        }
      } else {
        const Color pc = glob ? payloadColor(j, jc) : jc;
        plot(moon_, X, Y, pc);
        plot(side_, X, Zs, pc);
      }

      if (nameLocals) {
        // The label trails the body's motion relative to the focus.
        moon_.foreColor = side_.foreColor = jc;
        const std::string& name = b.BodyName[j];
        if (b.VelX[j] - b.VelX[f] > 0) {
          const double back = 100.0 * name.size() + 50;
          moon_.currentX -= back;
          side_.currentX -= back;
        }
        moon_.currentY += b.VelY[j] - b.VelY[f] > 0 ? -300 : 50;
        side_.currentY += b.VelZ[j] - b.VelZ[f] > 0 ? -300 : 50;
        const std::string text = numbered ? name + ' ' + std::to_string(j) : name;  // as Str(j) writes it
        moon_.print(text);
        side_.print(text);
      }

      if (fragment > 0 && j == fragment) {
        static constexpr double around[4][2] = {{15, 0}, {-15, 0}, {0, 15}, {0, -15}};
        const Color white = rgb(255, 255, 255);
        if (!glob)
          for (const auto& d : around) plot(moon_, X + d[0], Y + d[1], white);
        for (const auto& d : around) plot(side_, X + d[0], Zs + d[1], white);
        c.Text4->setText(padded(std::sqrt(d2) / 1000000, 3, 3));
      }
    }

    if (j == 0) continue;  // 0 in the record means "none", never body 0
    const int n = craftMet ? 17 : 55;
    if (pair[0] == j) {
      burst(CInt(n / 2.0), 111, X, Y, Zs, jc);
      pair[0] = 0;
      refreshImpactTip(f);
    }
    if (pair[1] == j) {
      burst(CInt(n / 2.0), 444, X, Y, Zs, jc);
      pair[1] = 0;
      refreshImpactTip(f);
    }
    if (pair[2] == j) {
      burst(n, 111, X, Y, Zs, jc);
      pair[2] = 0;
      refreshImpactTip(f);
    }
    if (pair[4] == j) {
      pairBurst(n, f, X, Y, Zs, k, jc);
      pair[4] = 0;
      pair[5] = 0;
      refreshImpactTip(f);
    }
  }

  s.ZoomLabelRequest = 2;
  c.LaLocal->setCaption(std::to_string(locals));
}

}  // namespace quorl
