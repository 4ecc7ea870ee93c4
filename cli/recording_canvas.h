// A canvas that keeps every drawing operation, in order, for tests and the driver's canvas dumps.
#pragma once
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace quorl {

// Keeps every operation, in order, for tests to read.
class RecordingCanvas : public Canvas {
 public:
  enum class Op { Clear, Point, Line, Circle, Print };
  struct Entry {
    Op op = Op::Clear;
    double x = 0, y = 0, x2 = 0, y2 = 0, r = 0, start = 0, end = 0, aspect = 1;
    Color color;
    std::string text;
    double fontSize = 0;
    bool bold = false;
  };
  RecordingCanvas(int widthUnits, int heightUnits, Color background) : Canvas(widthUnits, heightUnits, background) {}
  std::vector<Entry> entries;
  // Entries since the last clear.
  std::vector<Entry> sinceClear() const;
  std::size_t count(Op op) const;

 protected:
  void onClear() override {
    Entry e;
    e.op = Op::Clear;
    entries.push_back(e);
  }
  void onPoint(double x, double y, Color c) override {
    Entry e;
    e.op = Op::Point;
    e.x = x, e.y = y, e.color = c;
    entries.push_back(e);
  }
  void onLine(double x1, double y1, double x2, double y2, Color c) override;
  void onCircle(double x, double y, double r, Color c, double start, double end, double aspect) override;
  void onPrint(double x, double y, const std::string& text, Color c) override;
};

}  // namespace quorl
