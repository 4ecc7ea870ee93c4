// What the page calls: one game at a time (the player's, or a replay's), reached by plain functions.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <string>

#include "web/page_game.h"

namespace {

using emscripten::val;
using quorl::PageGame;

std::unique_ptr<PageGame> page;
int replays = 0;

bool start(const std::string& dir, bool record, double dpr) {
  page.reset();
  page = std::make_unique<PageGame>(dir, record, dpr);
  return true;
}

// A recording to play in the page: "" once it plays, else why it cannot. The game before it ends (its own
// recording ends with it).
std::string openReplay(const std::string& text, double dpr) {
  std::string error;
  auto next = PageGame::replay(text, "/tmp/replay-" + std::to_string(++replays), dpr, error);
  if (!next) return error.empty() ? "not a replay" : error;
  page = std::move(next);
  return "";
}

val canvas(int control) {
  int w = 0, h = 0;
  const std::uint8_t* pixels = page->canvasPixels(control, w, h);
  if (!pixels) return val::null();
  val o = val::object();
  o.set("width", w);
  o.set("height", h);
  o.set("data", val(emscripten::typed_memory_view(static_cast<std::size_t>(w) * h * 4, pixels)));
  return o;
}

std::string controls() { return page->controls(); }
std::string changes() { return page->changes(); }
double fitScale(int w, int h) { return page->fitScale(w, h); }
void setScale(double s, double dpr) { page->setScale(s, dpr); }
void event(int kind, int control, const std::string& text, int value, bool elsewhere, bool inTextBox) {
  page->event(kind, control, text, value, elsewhere, inTextBox);
}
bool handsKeysToMainView(int control) { return page->handsKeysToMainView(control); }
void frame(double nowMs) { page->frame(nowMs); }
std::string path(int area) { return page->path(area); }
double pathShown() { return static_cast<double>(page->pathShown()); }
std::string title() { return page->title(); }
std::string recording() { return page->recording(); }
std::string hash() { return page->hash(); }
std::string replaySummary() { return page->replaySummary(); }
bool replaying() { return page->replaying(); }
void timelineDrag(double x) { page->timelineDrag(x); }
void timelineRelease() { page->timelineRelease(); }
void timelineBack() { page->timelineBack(); }
void saveGame() { page->saveGame(); }
double passes() { return static_cast<double>(page->game().passesRun()); }

}  // namespace

EMSCRIPTEN_BINDINGS(quorl_page) {
  emscripten::function("start", &start);
  emscripten::function("openReplay", &openReplay);
  emscripten::function("controls", &controls);
  emscripten::function("changes", &changes);
  emscripten::function("fitScale", &fitScale);
  emscripten::function("setScale", &setScale);
  emscripten::function("event", &event);
  emscripten::function("handsKeysToMainView", &handsKeysToMainView);
  emscripten::function("frame", &frame);
  emscripten::function("canvas", &canvas);
  emscripten::function("path", &path);
  emscripten::function("pathShown", &pathShown);
  emscripten::function("title", &title);
  emscripten::function("recording", &recording);
  emscripten::function("hash", &hash);
  emscripten::function("replaySummary", &replaySummary);
  emscripten::function("replaying", &replaying);
  emscripten::function("timelineDrag", &timelineDrag);
  emscripten::function("timelineRelease", &timelineRelease);
  emscripten::function("timelineBack", &timelineBack);
  emscripten::function("saveGame", &saveGame);
  emscripten::function("passes", &passes);
}
