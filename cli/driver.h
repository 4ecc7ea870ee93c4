// The script driver: runs commands against a game without a window.
#pragma once
#include <iosfwd>
#include <string>

#include "sim/fields.h"
#include "ui/canvas.h"

namespace quorl {

class Game;

// Reads one shared or per-body value by name ("BodyCount", "Mass(7)", "LifeCount(5,7)"); false if unknown.
bool readValue(Game& g, const std::string& name, std::string& out);
// The stored value a name addresses (and its field); false for an unknown name or an index outside the field.
bool fieldAt(Game& g, const std::string& name, FieldPtr& out, const Field** field = nullptr);
// Every property of a control, one "NAME.property=value" line each.
std::string showControl(Game& g, const std::string& name);
// The body table as CSV, rows 0..BodyCount, every per-body field (two-index fields one column per kind).
std::string dumpBodies(Game& g);
// What a recording drawing area holds since it was last cleared, one operation a line (point, line,
// circle, print); false when the area is a raster one (quorl-cli --record makes every area record).
bool dumpCanvas(const Canvas& canvas, std::string& out);
// Text as the driver prints it: \r, \n and \\ escaped.
std::string escapeText(const std::string& text);

// Runs a script; returns 0, or 2 after printing what was wrong to `err`.
int runScript(Game& g, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorl
