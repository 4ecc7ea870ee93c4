// The window as every front end lays it out: one scale for the whole content (15 window units are `scale`
// logical pixels) that fits it to its screen, each control's place in pixels at that scale, the room its
// caption has and the size its caption shrinks to, and the texts and colours it shows. The Qt window and
// the browser page keep only their toolkit's drawing and measuring.
#pragma once
#include <functional>
#include <string>

#include "ui/color.h"
#include "ui/control.h"

namespace quorl {

class Game;
class Ui;

namespace window_layout {

inline constexpr double kMinScale = 0.4, kMaxScale = 4.0;
inline constexpr int kMargin = 4;  // logical pixels right of and below the content
// No text of the window is less than this high, at any scale: a line of its font (ascent and descent,
// unrounded), in device pixels.
inline constexpr double kMinTextPx = 9;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};
struct Size {
  int width = 0, height = 0;
  bool operator==(const Size&) const = default;
  bool empty() const { return width <= 0 || height <= 0; }
};

// Window units to logical pixels at a scale.
int px(int units, double scale);

// The first form is the window's own surface; every later one is a window of its own (the about box).
bool isMainForm(const Ui& ui, const Control& c);
bool isOtherForm(const Ui& ui, const Control& c);
// What a control lies in: a frame or another form; null for the window's content.
const Control* containerOf(const Ui& ui, const Control& c);

// Where a control goes in its container, in logical pixels. Both edges are rounded, not the size, so that
// controls that meet in window units meet on screen; a line's box holds both ends with a pixel to spare.
Rect placeOf(const Control& c, bool mainForm, double scale);
// Whether a control shows: visible and placed (a control without a size, or a line without end points,
// is not placed yet). The main form always is.
bool shown(const Control& c, bool mainForm);
// The extent of the content in window units: every control shown on it, not inside a frame or another form.
Size contentUnits(const Ui& ui);
// The scale at which content of that extent just fits an area (logical pixels), within the limits.
double fitScale(Size area, Size units);

// The indicator of a check box or an option button and the gap after it, in logical pixels.
int indicatorPx(double scale);
int indicatorSpacingPx(double scale);
// Controls that show a caption.
bool hasCaption(Kind k);
// The gap left of a label's text, and the padding a button's caption leaves, in logical pixels.
int labelIndentPx(double scale);
int buttonPaddingPx(double scale);
// The room of a control's caption inside its place (logical pixels).
Size captionRoom(const Control& c, Rect place, double scale);

// The least legible point size of a font: the smallest (in quarter points) whose line, measured by
// `lineHeightPx` (device pixels at a point size), is kMinTextPx or more.
double leastLegibleSize(const std::function<double(double pointSize)>& lineHeightPx);
struct FittedCaption {
  double pointSize = 0;
  bool fits = true;  // false: cut to its room at the least legible size
};
// The size a caption is shown at: its own (never below `least`), else shrunk in steps of a twentieth down
// to 0.6 of it while legible, until `fitsAt` says it fits its room; too long even then, it keeps the
// smaller of those sizes and is cut.
FittedCaption fitCaption(double pointSize, double least, bool emptyText,
                         const std::function<bool(double pointSize)>& fitsAt);

// The pixel size of a canvas's text (a point is 20 window units), never below the legible size: it grows
// while `lineHeightPx` (device pixels at a pixel size) is below kMinTextPx.
int canvasTextPx(double pointSize, double scale, const std::function<double(int pixelSize)>& lineHeightPx);

// A caption as shown: carriage returns (with or without a line feed) break lines.
std::string displayText(const std::string& s);
// Text typed into a box of lines, as the game keeps it: its line feeds as CR LF.
std::string typedText(const Control& box, const std::string& shown);

// Labels whose text colour the rules choose (a class colour, as dark as the panel may be): shown in a colour
// kept readable on their back colour.
bool keptLegible(Game& g, const Control& c);
// The colour a caption is shown in: one the rules choose kept readable, and a text in its own back colour
// (which would vanish) in a light one.
Color captionFore(const Control& c, bool legible);
// Drawing areas whose printed text is kept readable on their background (the names on the planet strip).
bool keptLegibleText(Game& g, const Control& c);

}  // namespace window_layout
}  // namespace quorl
