// A text as a canvas printed it, kept by a front end's canvas so that a new scale draws it anew instead of
// resizing its pixels. `Area` is where it came out, in the front end's own terms.
#pragma once
#include <deque>
#include <string>

#include "ui/color.h"

namespace quorl {

template <typename Area>
struct PrintedText {
  double x, y;
  std::string text;
  Color color;
  double fontSize;
  bool bold;
  std::string fontName;
  Area area{};
};

// Enough for every name on the views; the oldest go first.
template <typename Area>
void keepPrinted(std::deque<PrintedText<Area>>& kept, PrintedText<Area>&& t) {
  if (kept.size() == 4096) kept.pop_front();
  kept.push_back(std::move(t));
}

}  // namespace quorl
