// The page's game: controls as JSON at the window's scale, events in, frames of timers and passes.
#include "web/page_game.h"

#include <emscripten.h>
#include <emscripten/val.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/autosave.h"
#include "app/help.h"
#include "app/pace.h"
#include "app/preferences.h"
#include "app/recorder.h"
#include "app/rewind.h"
#include "app/run_control.h"
#include "app/timeline.h"
#include "app/window_layout.h"
#include "sim/fields.h"
#include "web/web_canvas.h"

namespace quorl {

namespace wl = window_layout;
using emscripten::val;

// Whether a caption fits its room in that font (CSS pixels): wrapped at blanks for a label, else line by line.
EM_JS(int, quorl_caption_fits,
      (const char* text, const char* family, double pixelSize, int bold, int width, int height, int wrap),
      { return Module.quorlCaptionFits(UTF8ToString(text), UTF8ToString(family), pixelSize, bold, width, height, wrap); });
EM_JS(double, quorl_line_px, (double pixelSize, int bold, const char* family),
      { return Module.quorlTextLine(pixelSize, bold, UTF8ToString(family)); });

namespace {

double nowMs() { return emscripten_get_now(); }
std::int64_t nowNs() { return static_cast<std::int64_t>(emscripten_get_now() * 1e6); }

// A point is 4/3 CSS pixels, as it is 4/3 logical pixels in the window.
double pointsToPx(double pt) { return pt * 4.0 / 3.0; }

void addText(std::string& out, const std::string& s) {
  out += '"';
  for (const char ch : s) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') out += '\\', out += ch;
    else if (ch == '\n') out += "\\n";
    else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else out += ch;
  }
  out += '"';
}

void addColor(std::string& out, Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "\"#%02x%02x%02x\"", c.r, c.g, c.b);
  out += buf;
}

template <typename T>
void field(std::string& out, const char* name, T v) {
  out += ",\"";
  out += name;
  out += "\":";
  if constexpr (std::is_same_v<T, bool>) out += v ? "true" : "false";
  else if constexpr (std::is_same_v<T, double>) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    out += buf;
  } else out += std::to_string(v);
}

Preferences localStorage() {
  return {[](const std::string& key) -> std::optional<std::string> {
            const val v = val::global("localStorage").call<val>("getItem", "quorl." + key);
            if (v.isNull() || v.isUndefined()) return std::nullopt;
            return v.as<std::string>();
          },
          [](const std::string& key, const std::string& value) {
            val::global("localStorage").call<void>("setItem", "quorl." + key, value);
          }};
}

}  // namespace

PageGame::PageGame(GameOptions options, double dpr, std::unique_ptr<Replayer> replayer)
    : dpr_(dpr > 0 ? dpr : 1.0), replayer_(std::move(replayer)) {
  options.canvases = webCanvasFactory(dpr_, scale_);
  options.outside = replayer_.get();
  game_ = std::make_unique<Game>(options);
  Game& g = *game_;
  g.pace->clockNs = nowNs;
  // Frames come a display frame apart: the pace makes up a few of them at most.
  g.pace->pacer.setCatchUp(Pacer::kFrameCatchUpNs);
  rememberPace(g, localStorage());
  int i = 0;
  for (const Control& c : g.ui.all()) index_[&c] = i++;
  for (Control& c : g.ui.all())
    if (auto* canvas = dynamic_cast<WebCanvas*>(c.canvas.get())) canvas->legibleText = wl::keptLegibleText(g, c);
}

// Rewind in half the window's memory: the page shares the tab's.
constexpr std::size_t kPageRewindBudget = std::size_t{128} << 20;

PageGame::PageGame(const std::string& dir, bool record, double dpr)
    : PageGame(GameOptions{.dir = dir,
                           .record = record ? frontEndRecording() : RecordOptions{},
                           .rewind = record ? frontEndRewind(kPageRewindBudget) : RewindOptions{}},
               dpr, nullptr) {
  rememberGoals(*game_, localStorage(), [] { return static_cast<std::int64_t>(nowMs()); });
  // Every minute of play and as the page goes away, the game is saved; the last one saved is offered.
  offerSavedGame(*game_);
  if (Rewind* rw = game_->rewind()) rw->onMinuteOfPlay = [this] { saveGame(); };
  wire();
}

void PageGame::saveGame() {
  std::string why;
  // A replay's game and a page with nothing recorded yet are refused, which keeps the last save.
  writeAutosave(*game_, why);
}

void PageGame::timelineDrag(double x) {
  if (!session_) game_->timeline->drag(static_cast<int>(x * 15 / scale_));
}

void PageGame::timelineRelease() {
  if (!session_) game_->timeline->release();
}

void PageGame::timelineBack() {
  if (!session_) game_->timeline->back();
}

std::unique_ptr<PageGame> PageGame::replay(const std::string& text, const std::string& dir, double dpr,
                                           std::string& error) {
  auto replayer = std::make_unique<Replayer>();
  if (!replayer->load(text, error)) return nullptr;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  Replayer& r = *replayer;
  std::unique_ptr<PageGame> page(new PageGame(GameOptions{.dir = dir}, dpr, std::move(replayer)));
  if (!r.begin(page->game())) {
    error = r.result().message;
    return nullptr;
  }
  page->session_ = std::make_unique<ReplaySession>(page->game(), r);
  return page;
}

PageGame::~PageGame() = default;

void PageGame::wire() {
  Game& g = *game_;
  // The product page is this page's README; "--" ends the page's game.
  g.run->openBrowser = [](const std::string&) {
    val::global("window").call<val>("open", std::string("README.md"), std::string("_blank"));
    return true;
  };
  g.help->quit = [] { val::module_property("quorlQuit")(); };
}

void PageGame::handOver() {
  replayEnd_ = quorl::replaySummary(session_->result());
  session_.reset();
  replayer_->handOver(*game_);
  wire();
}

void PageGame::input(const Input& in) {
  if (session_) {
    switch (duringReplay(*game_, in)) {
      case ReplayRoute::Hold: session_->hold(!session_->held()); return;
      case ReplayRoute::Ignore: return;
      case ReplayRoute::Game: break;
    }
  }
  applyPlayerInput(*game_, in);
}

void PageGame::event(int kind, int control, const std::string& text, int value, bool elsewhere, bool inTextBox) {
  auto& all = game_->ui.all();
  WidgetEvent e;
  e.kind = static_cast<WidgetEvent::Kind>(kind);
  e.control = control >= 0 && control < static_cast<int>(all.size()) ? &all[static_cast<std::size_t>(control)] : nullptr;
  e.text = text;
  e.value = value;
  e.elsewhere = elsewhere;
  e.inTextBox = inTextBox;
  if (auto in = inputFor(e)) input(*in);
}

bool PageGame::handsKeysToMainView(int control) {
  auto& all = game_->ui.all();
  return control >= 0 && control < static_cast<int>(all.size()) &&
         quorl::handsKeysToMainView(*game_, all[static_cast<std::size_t>(control)]);
}

void PageGame::frame(double now) {
  Game& g = *game_;
  // The timers in real time; a page that was hidden does not make up what it missed.
  if (lastMs_ < 0) lastMs_ = now;
  const auto ms = static_cast<std::int64_t>(std::clamp(now - lastMs_, 0.0, 250.0));
  lastMs_ = now - lastMs_ > 250.0 ? now : lastMs_ + static_cast<double>(ms);
  if (ms > 0) g.ui.advance(ms, [this](Control& timer) { input(Input::tick(timer)); });

  Pacer& pacer = g.pace->pacer;
  if (session_) {
    bool over = false;
    if (!session_->held() && session_->playing())
      runFrame(pacer, kFrameBudgetNs, nowNs, [&] {
        const bool more = session_->turn();
        over = !more && !session_->playing();
        return more;
      });
    if (over) handOver();
  } else if (g.loopRunning()) {
    runFrame(pacer, kFrameBudgetNs, nowNs, [&] {
      g.apply(Input::pass());
      return g.loopRunning();
    });
  }
  runPath(now);
}

void PageGame::runPath(double now) {
  PathPreview& preview = *game_->preview;
  if (!preview.wanted()) return;
  // A path wanted only because the game ran on waits for the last one to rest, as in the window.
  if (!preview.urgent() && now - pathRestMs_ < 100) return;
  PathPreview::Job job = preview.job();
  job.ask.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
  if (!paths_) {
    paths_ = std::make_unique<FutureRun>();
    paths_->setThreads(1);
  }
  preview.deliver(job, paths_->run(*job.state, job.ask));
  pathRestMs_ = nowMs();
}

const std::uint8_t* PageGame::canvasPixels(int control, int& width, int& height) {
  auto& all = game_->ui.all();
  if (control < 0 || control >= static_cast<int>(all.size())) return nullptr;
  auto* canvas = dynamic_cast<WebCanvas*>(all[static_cast<std::size_t>(control)].canvas.get());
  if (!canvas || !canvas->takeDirty()) return nullptr;
  width = canvas->pixelWidth();
  height = canvas->pixelHeight();
  return canvas->rgba();
}

std::string PageGame::path(int area) const {
  const PathPreview::Overlay o = game_->preview->overlay(static_cast<OrbitViews::Area>(area));
  const double k = scale_ / 15.0;
  std::string out = "{\"dots\":[";
  char buf[48];
  for (std::size_t i = 0; i < o.u.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%s%.1f,%.1f", i ? "," : "", o.u[i] * k, o.v[i] * k);
    out += buf;
  }
  out += "]";
  field(out, "escape", o.escape);
  field(out, "aimed", o.aimed);
  field(out, "impact", o.impact);
  field(out, "exit", o.exit);
  field(out, "impactX", o.impactU * k);
  field(out, "impactY", o.impactV * k);
  field(out, "exitX", o.exitU * k);
  field(out, "exitY", o.exitV * k);
  field(out, "scale", scale_);
  return out + "}";
}

double PageGame::fitScale(int width, int height) const {
  const wl::Size units = wl::contentUnits(game_->ui);
  return wl::fitScale({width, height}, units);
}

void PageGame::setScale(double scale, double dpr) {
  scale = std::clamp(scale, wl::kMinScale, wl::kMaxScale);
  if (dpr <= 0) dpr = 1;
  if (scale == scale_ && dpr == dpr_) return;
  scale_ = scale;
  dpr_ = dpr;
  least_.clear();
  fits_.clear();
  for (Control& c : game_->ui.all())
    if (auto* canvas = dynamic_cast<WebCanvas*>(c.canvas.get())) canvas->setScale(scale_, dpr_);
}

void PageGame::describe(std::string& out, Control& c, unsigned aspects) {
  const Ui& ui = game_->ui;
  const bool main = wl::isMainForm(ui, c), other = wl::isOtherForm(ui, c);
  const wl::Rect place = wl::placeOf(c, main, scale_);
  const Control* in = wl::containerOf(ui, c);
  const int box = in ? index_.at(in) : -1;

  // The font as the window sets it: never below the least legible size; a caption shrunk to its room.
  const std::string& family = c.fontName();
  const std::string leastKey = family + (c.fontBold() ? "|b" : "|");
  auto found = least_.find(leastKey);
  if (found == least_.end())
    found = least_.emplace(leastKey, wl::leastLegibleSize([&](double pt) {
                              return quorl_line_px(pointsToPx(pt), c.fontBold(), family.c_str()) * dpr_;
                            })).first;
  const double least = found->second;
  double pt = std::max(c.fontSize() * scale_, least);
  bool cut = false;
  if (wl::hasCaption(c.kind)) {
    const wl::Size room = wl::captionRoom(c, place, scale_);
    const std::string shown = wl::displayText(c.caption());
    Fit& f = fits_[&c];
    if (f.caption != shown || f.size != pt || f.roomW != room.width || f.roomH != room.height) {
      const wl::FittedCaption fit = wl::fitCaption(pt, least, shown.empty(), [&](double size) {
        return quorl_caption_fits(shown.c_str(), family.c_str(), pointsToPx(size), c.fontBold(), room.width,
                                  room.height, c.kind == Kind::Label) != 0;
      });
      f = {shown, pt, room.width, room.height, fit.pointSize, fit.fits};
    }
    pt = f.shown;
    cut = !f.fits;
  }

  out += "{\"i\":" + std::to_string(index_.at(&c));
  out += ",\"name\":";
  addText(out, c.name);
  out += ",\"kind\":";
  addText(out, kindName(c.kind));
  field(out, "changed", aspects);
  field(out, "box", box);
  field(out, "main", main);
  field(out, "other", other);
  field(out, "show", wl::shown(c, main));
  field(out, "x", place.left);
  field(out, "y", place.top);
  field(out, "w", place.width);
  field(out, "h", place.height);
  if (c.kind == Kind::Line) {
    const double k = scale_ / 15.0;
    field(out, "x1", c.x1() * k - place.left);
    field(out, "y1", c.y1() * k - place.top);
    field(out, "x2", c.x2() * k - place.left);
    field(out, "y2", c.y2() * k - place.top);
  }
  out += ",\"caption\":";
  addText(out, wl::displayText(c.caption()));
  out += ",\"tip\":";
  addText(out, wl::displayText(c.toolTip().empty() && cut ? c.caption() : c.toolTip()));
  field(out, "cut", cut);
  out += ",\"fore\":";
  addColor(out, c.fore());
  out += ",\"back\":";
  addColor(out, c.back());
  out += ",\"captionFore\":";
  addColor(out, wl::captionFore(c, wl::keptLegible(*game_, c)));
  out += ",\"font\":";
  addText(out, family);
  field(out, "px", pointsToPx(pt));
  field(out, "bold", c.fontBold());
  field(out, "enabled", c.enabled());
  field(out, "readOnly", c.readOnly());
  out += ",\"text\":";
  addText(out, wl::displayText(c.text()));
  field(out, "multi", c.multiLine);
  field(out, "value", c.value());
  field(out, "min", c.min());
  field(out, "max", c.max());
  field(out, "small", c.smallChange());
  field(out, "large", c.largeChange());
  field(out, "canvas", c.canvas != nullptr);
  field(out, "indent", wl::labelIndentPx(scale_));
  field(out, "indicator", wl::indicatorPx(scale_));
  field(out, "gap", wl::indicatorSpacingPx(scale_));
  out += "}";
}

std::string PageGame::controls() {
  std::string out = "{\"controls\":[";
  bool first = true;
  for (Control& c : game_->ui.all()) {
    c.takeChanged();
    if (c.kind == Kind::Timer) continue;
    if (!first) out += ",";
    first = false;
    describe(out, c, kAllAspects);
  }
  game_->ui.takeChanged();
  const wl::Size units = wl::contentUnits(game_->ui);
  out += "]";
  field(out, "scale", scale_);
  field(out, "width", wl::px(units.width, scale_) + wl::kMargin);
  field(out, "height", wl::px(units.height, scale_) + wl::kMargin);
  return out + "}";
}

std::string PageGame::changes() {
  std::string out = "{\"controls\":[";
  bool first = true, layout = false;
  for (Control* c : game_->ui.takeChanged()) {
    const unsigned aspects = c->takeChanged();
    if (c->kind == Kind::Timer) continue;
    layout = layout || (aspects & (kGeometry | kVisible | kParent));
    if (!first) out += ",";
    first = false;
    describe(out, *c, aspects);
  }
  out += "]";
  if (layout) {
    const wl::Size units = wl::contentUnits(game_->ui);
    field(out, "width", wl::px(units.width, scale_) + wl::kMargin);
    field(out, "height", wl::px(units.height, scale_) + wl::kMargin);
  }
  return out + "}";
}

std::string PageGame::title() const {
  const std::string caption = wl::displayText(game_->window.Quorl->caption());
  return session_ ? caption + " - replay: " + session_->state() : caption;
}

std::string PageGame::recording() {
  Recorder* r = game_->recorder();
  return r ? r->sofar() : std::string();
}

std::string PageGame::hash() const {
  return hashText(stateHash(game_->b, game_->s));
}

std::string PageGame::replaySummary() const { return replayEnd_; }

}  // namespace quorl
