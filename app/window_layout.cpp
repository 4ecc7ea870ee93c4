// The window's layout at a scale, caption rooms and sizes, shown texts and colours.
#include "app/window_layout.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "panels/focus_panel.h"
#include "ui/contrast.h"
#include "views/planet_picture.h"

namespace quorl::window_layout {

int px(int units, double scale) { return static_cast<int>(std::lround(units * scale / 15.0)); }

namespace {

const Control* firstForm(const Ui& ui) {
  for (const Control& c : ui.all())
    if (c.kind == Kind::Form) return &c;
  return nullptr;
}

}  // namespace

bool isMainForm(const Ui& ui, const Control& c) { return c.kind == Kind::Form && firstForm(ui) == &c; }
bool isOtherForm(const Ui& ui, const Control& c) { return c.kind == Kind::Form && firstForm(ui) != &c; }

const Control* containerOf(const Ui& ui, const Control& c) {
  if (c.kind == Kind::Form || c.parent().empty()) return nullptr;
  const Control* p = ui.find(c.parent());
  if (p && (p->kind == Kind::Frame || isOtherForm(ui, *p))) return p;
  return nullptr;
}

Rect placeOf(const Control& c, bool mainForm, double scale) {
  if (c.kind == Kind::Line) {
    const int ax = px(c.x1(), scale), ay = px(c.y1(), scale), bx = px(c.x2(), scale), by = px(c.y2(), scale);
    const int left = std::min(ax, bx) - 1, top = std::min(ay, by) - 1;
    return {left, top, std::max(ax, bx) + 1 - left + 1, std::max(ay, by) + 1 - top + 1};
  }
  if (mainForm) return {0, 0, px(c.width(), scale), px(c.height(), scale)};
  const int left = px(c.left(), scale), top = px(c.top(), scale);
  return {left, top, px(c.left() + c.width(), scale) - left, px(c.top() + c.height(), scale) - top};
}

bool shown(const Control& c, bool mainForm) {
  const bool placed =
      c.kind == Kind::Line ? (c.x1() || c.y1() || c.x2() || c.y2()) : c.width() > 0 && c.height() > 0;
  return c.visible() && (placed || mainForm);
}

Size contentUnits(const Ui& ui) {
  int right = 0, bottom = 0;
  for (const Control& c : ui.all()) {
    if (c.kind == Kind::Timer || isOtherForm(ui, c) || containerOf(ui, c)) continue;
    const bool main = isMainForm(ui, c);
    if (!shown(c, main)) continue;
    if (c.kind == Kind::Line) {
      right = std::max({right, c.x1(), c.x2()});
      bottom = std::max({bottom, c.y1(), c.y2()});
    } else {
      right = std::max(right, (main ? 0 : c.left()) + c.width());
      bottom = std::max(bottom, (main ? 0 : c.top()) + c.height());
    }
  }
  return {right, bottom};
}

double fitScale(Size area, Size units) {
  if (units.empty()) return 1.0;
  // One pixel to spare against rounding: the content never needs a scroll bar in an area it was fitted to.
  const double sw = (area.width - kMargin - 1) * 15.0 / units.width;
  const double sh = (area.height - kMargin - 1) * 15.0 / units.height;
  return std::clamp(std::min(sw, sh), kMinScale, kMaxScale);
}

int indicatorPx(double scale) { return std::max(7, static_cast<int>(std::lround(12 * scale))); }
int indicatorSpacingPx(double scale) { return std::max(2, static_cast<int>(std::lround(4 * scale))); }
int labelIndentPx(double scale) { return std::max(1, px(30, scale)); }
int buttonPaddingPx(double scale) { return std::max(4, px(120, scale)); }

bool hasCaption(Kind k) {
  return k == Kind::Label || k == Kind::Button || k == Kind::CheckBox || k == Kind::Option || k == Kind::Frame;
}

Size captionRoom(const Control& c, Rect place, double scale) {
  const int w = place.width, h = place.height;
  switch (c.kind) {
    case Kind::Label: return {w - labelIndentPx(scale) - 1, h};
    case Kind::Button: return {w - buttonPaddingPx(scale), h};
    case Kind::CheckBox:
    case Kind::Option: return {w - indicatorPx(scale) - indicatorSpacingPx(scale) - 2, h};
    case Kind::Frame: return {w - px(240, scale), h};
    default: return {w, h};
  }
}

double leastLegibleSize(const std::function<double(double)>& lineHeightPx) {
  double size = 1;
  for (; size < 40; size += 0.25)
    if (lineHeightPx(size) >= kMinTextPx) break;
  return size;
}

FittedCaption fitCaption(double pointSize, double least, bool emptyText, const std::function<bool(double)>& fitsAt) {
  FittedCaption f{std::max(pointSize, least), true};
  if (emptyText || fitsAt(f.pointSize)) return f;
  for (double k = 0.9; k >= 0.6 - 1e-9 && pointSize * k >= least; k -= 0.05) {
    f.pointSize = pointSize * k;
    if (fitsAt(f.pointSize)) return f;
  }
  return {std::max(least, pointSize * 0.6), false};
}

int canvasTextPx(double pointSize, double scale, const std::function<double(int)>& lineHeightPx) {
  int size = std::max(1, static_cast<int>(std::lround(pointSize * 4.0 / 3.0 * scale)));
  while (lineHeightPx(size) < kMinTextPx && size < 64) ++size;
  return size;
}

std::string displayText(const std::string& s) {
  std::string t;
  t.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\r') {
      t += s[i];
      continue;
    }
    t += '\n';
    if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
  }
  return t;
}

std::string typedText(const Control& box, const std::string& shown) {
  if (!box.multiLine) return shown;
  std::string t;
  for (char ch : shown) {
    if (ch == '\n') t += '\r';
    t += ch;
  }
  return t;
}

bool keptLegible(Game& g, const Control& c) {
  const FocusPanel::Controls& f = g.focus->c;
  for (const Control* l : {&*f.LabWorld, &*f.LabFoc, &*f.LaFocal, &*f.Laplace, &*f.Laorb, &*f.Label4})
    if (l == &c) return true;
  return false;
}

Color captionFore(const Control& c, bool legible) {
  if (legible) return legibleOn(c.fore(), c.back());
  if (c.fore() == c.back()) return rgb(200, 210, 230);
  return c.fore();
}

bool keptLegibleText(Game& g, const Control& c) { return &c == &*g.picture->c.PicWorld; }

}  // namespace quorl::window_layout
