// The recording canvas.
#include "cli/recording_canvas.h"

#include <algorithm>

namespace quorl {

std::vector<RecordingCanvas::Entry> RecordingCanvas::sinceClear() const {
  auto it = std::find_if(entries.rbegin(), entries.rend(), [](const Entry& e) { return e.op == Op::Clear; });
  return std::vector<Entry>(it.base(), entries.end());
}

std::size_t RecordingCanvas::count(Op op) const {
  return static_cast<std::size_t>(
      std::count_if(entries.begin(), entries.end(), [op](const Entry& e) { return e.op == op; }));
}

void RecordingCanvas::onLine(double x1, double y1, double x2, double y2, Color c) {
  Entry e;
  e.op = Op::Line;
  e.x = x1, e.y = y1, e.x2 = x2, e.y2 = y2, e.color = c;
  entries.push_back(e);
}

void RecordingCanvas::onCircle(double x, double y, double r, Color c, double start, double end, double aspect) {
  Entry e;
  e.op = Op::Circle;
  e.x = x, e.y = y, e.r = r, e.color = c, e.start = start, e.end = end, e.aspect = aspect;
  entries.push_back(e);
}

void RecordingCanvas::onPrint(double x, double y, const std::string& text, Color c) {
  Entry e;
  e.op = Op::Print;
  e.x = x, e.y = y, e.text = text, e.color = c, e.fontSize = fontSize, e.bold = fontBold;
  entries.push_back(e);
}

}  // namespace quorl
