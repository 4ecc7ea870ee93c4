// The main window Quorl: one widget per control, kept in step with its model by polling, and the
// player's clicks, typing, focus changes and scrolling turned into calls on the core.
#include "app/qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/help.h"
#include "app/path_preview.h"
#include "app/qt/control_views.h"
#include "app/qt/path_worker.h"
#include "app/qt/pump.h"
#include "app/qt/qt_canvas.h"
#include "app/replay_session.h"
#include "app/replayer.h"
#include "app/rewind.h"
#include "app/timeline.h"
#include "app/run_control.h"
#include "app/widget_input.h"
#include "app/window_layout.h"
#include "events/steering.h"

namespace quorl {

namespace {

constexpr int kRefreshMs = 16;  // about 60 Hz
constexpr int kRefitMs = 120;   // a window being dragged to a new size is laid out once it rests
using window_layout::kMargin;

// Every spend of fuel moves the fine fuel bar: a unit of fuel is a device pixel or more at the smallest scale.
static_assert(Steering::kFineUnitWidth * QuorlWindow::kMinScale / 15 >= 1);

QColor qc(Color c) { return QColor(c.r, c.g, c.b); }

QString display(const std::string& s) { return QString::fromStdString(window_layout::displayText(s)); }

// A caption shown on a button: an ampersand is a letter, not a shortcut mark.
QString buttonText(QString s) { return s.replace(QChar('&'), QStringLiteral("&&")); }

bool isScroll(Kind k) { return k == Kind::HScroll || k == Kind::VScroll; }
using window_layout::hasCaption;

}  // namespace

struct QuorlWindow::Bound {
  Control* c = nullptr;
  QWidget* w = nullptr;
  bool mainForm = false, otherForm = false;
  bool legible = false;  // text in a colour the rules choose, kept readable on its back colour
  bool cut = false;      // the caption does not fit its place at the least legible size
};

QuorlWindow::QuorlWindow(Game& g, QWidget* parent) : QMainWindow(parent), g_(g) {
  content_ = new QWidget;
  content_->setAutoFillBackground(true);
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);
  scroll_->setWidget(content_);
  scroll_->setBackgroundRole(QPalette::Window);
  setCentralWidget(scroll_);

  if (QScreen* screen = QGuiApplication::primaryScreen()) dpr_ = screen->devicePixelRatio();
  build();

  pump_ = new PacedPump(
      g_,
      [this] {
        input(Input::pass(), false);
        // Even a pass that failed leaves the pump's own state true: run on while the game says so.
        return g_.loopRunning();
      },
      this);
  wireGame();

  // The path preview: computed on its worker, drawn over the main, edge and side views at each repaint.
  paths_ = new PathWorker(*g_.preview, this);
  const std::pair<const char*, OrbitViews::Area> pathAreas[] = {
      {"Quorl", OrbitViews::Area::Main}, {"PiZX", OrbitViews::Area::Edge}, {"PiZY", OrbitViews::Area::Side}};
  for (const auto& [name, area] : pathAreas)
    if (auto* view = dynamic_cast<CanvasView*>(widgetFor(name)))
      view->overlay = [this, area = area](QPainter& p) { drawPath(p, area); };

  refit_ = new QTimer(this);
  refit_->setSingleShot(true);
  refit_->setInterval(kRefitMs);
  connect(refit_, &QTimer::timeout, this, [this] { fitToWindow(); });

  refresh_ = new QTimer(this);
  refresh_->setInterval(kRefreshMs);
  connect(refresh_, &QTimer::timeout, this, [this] { refresh(); });
  refresh_->start();

  syncNow();
  // Today's size where the screen has room for it, else scaled down to the screen's free area.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    setScale(std::min(1.0, fitScale(screen->availableGeometry().size())));
  resize(contentSize_);
}

void QuorlWindow::wireGame() {
  g_.onPumpStart = [this] { pump_->start(); };
  // The product page in the desktop's browser; the about window's "--" ends the program.
  g_.run->openBrowser = [](const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
  };
  g_.help->quit = [] { QCoreApplication::quit(); };
}

QuorlWindow::~QuorlWindow() {
  g_.onPumpStart = nullptr;
  g_.run->openBrowser = nullptr;
  g_.help->quit = nullptr;
  g_.ui.onTimerChanged = nullptr;
}

void QuorlWindow::build() {
  for (Control& c : g_.ui.all()) {
    if (c.kind == Kind::Timer) continue;
    auto b = std::make_unique<Bound>();
    b->c = &c;
    b->mainForm = window_layout::isMainForm(g_.ui, c);
    b->otherForm = window_layout::isOtherForm(g_.ui, c);
    b->legible = window_layout::keptLegible(g_, c);
    b->w = makeWidget(*b);
    b->w->setObjectName(QString::fromStdString(c.name));
    byName_[c.name] = b.get();
    byControl_[&c] = b.get();
    bound_.push_back(std::move(b));
  }
  for (Control& c : g_.ui.all())
    if (c.kind == Kind::Timer) timerChanged(c);
  g_.ui.onTimerChanged = [this](Control& t) { timerChanged(t); };
  for (Control& c : g_.ui.all())
    if (auto* canvas = dynamic_cast<QtCanvas*>(c.canvas.get())) canvas->legibleText = window_layout::keptLegibleText(g_, c);
}

QWidget* QuorlWindow::makeWidget(Bound& b) {
  Control* c = b.c;
  auto press = [this, c] { widgetEvent({.kind = WidgetEvent::Kind::Click, .control = c}, true); };
  switch (c->kind) {
    case Kind::Form: {
      if (b.otherForm) {
        auto* v = new CanvasView(*c, nullptr);
        v->onPress = press;
        otherForms_.emplace_back(v);
        return v;
      }
      auto* v = new CanvasView(*c, content_);
      v->onPress = press;
      return v;
    }
    case Kind::Picture: {
      auto* v = new CanvasView(*c, content_);
      v->onPress = press;
      if (c == &*g_.timeline->c.PicTimeline) {
        // Rewinding is no input of the game: the timeline talks to it directly.
        v->onDrag = [this](double x) {
          if (replay_) return;
          g_.timeline->drag(static_cast<int>(x * 15 / scale_));
          syncNow();
        };
        v->onRelease = [this] {
          if (replay_) return;
          g_.timeline->release();
          syncNow();
        };
      }
      return v;
    }
    case Kind::Label: {
      auto* l = new ClickLabel(content_);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      l->setIndent(2);
      l->setAutoFillBackground(true);
      l->onPress = press;
      return l;
    }
    case Kind::TextBox: {
      if (c->multiLine) {
        auto* e = new QPlainTextEdit(content_);
        connect(e, &QPlainTextEdit::textChanged, this, [this, c, e] {
          if (syncing_) return;
          widgetEvent({.kind = WidgetEvent::Kind::Typed, .control = c, .text = e->toPlainText().toStdString()}, true);
        });
        e->installEventFilter(this);
        return e;
      }
      auto* e = new QLineEdit(content_);
      e->setTextMargins(1, 0, 1, 0);
      connect(e, &QLineEdit::textEdited, this, [this, c](const QString& t) {
        widgetEvent({.kind = WidgetEvent::Kind::Typed, .control = c, .text = t.toStdString()}, true);
        if (auto it = byControl_.find(c); it != byControl_.end()) fitFocused(*it->second);
      });
      e->installEventFilter(this);
      return e;
    }
    case Kind::Button: {
      auto* btn = new QPushButton(content_);
      connect(btn, &QPushButton::clicked, this, press);
      return btn;
    }
    case Kind::CheckBox: {
      auto* box = new QCheckBox(content_);
      box->setAutoFillBackground(true);
      connect(box, &QCheckBox::clicked, this, press);
      return box;
    }
    case Kind::Option: {
      // The model decides which option of a group is chosen, not the toolkit.
      auto* o = new QRadioButton(content_);
      o->setAutoExclusive(false);
      o->setAutoFillBackground(true);
      connect(o, &QRadioButton::clicked, this, press);
      return o;
    }
    case Kind::HScroll:
    case Kind::VScroll: {
      auto* bar = new QScrollBar(c->kind == Kind::HScroll ? Qt::Horizontal : Qt::Vertical, content_);
      connect(bar, &QScrollBar::valueChanged, this, [this, c](int v) {
        if (!syncing_) widgetEvent({.kind = WidgetEvent::Kind::Scrolled, .control = c, .value = v}, true);
      });
      return bar;
    }
    case Kind::Frame: {
      auto* f = new FrameView(content_);
      f->onPress = press;
      return f;
    }
    case Kind::Shape: return new ShapeView(content_);
    case Kind::Line: return new LineView(content_);
    case Kind::Timer: break;
  }
  return new QWidget(content_);
}

QWidget* QuorlWindow::containerFor(const Control& c) {
  const Control* in = window_layout::containerOf(g_.ui, c);
  return in ? byControl_.at(in)->w : content_;
}

void QuorlWindow::input(const Input& in, bool syncAfter) {
  if (replay_) {
    switch (duringReplay(g_, in)) {
      case ReplayRoute::Hold: return hold(!replay_->held());
      case ReplayRoute::Ignore: return;
      case ReplayRoute::Game: break;
    }
  }
  applyPlayerInput(g_, in);
  paths_->poll();
  if (syncAfter) syncNow();
}

void QuorlWindow::widgetEvent(const WidgetEvent& e, bool syncAfter) {
  if (auto in = inputFor(e)) input(*in, syncAfter);
}

void QuorlWindow::timerChanged(Control& t) {
  QTimer*& q = timers_[&t];
  if (!q) {
    q = new QTimer(this);
    q->setTimerType(Qt::PreciseTimer);
    Control* c = &t;
    connect(q, &QTimer::timeout, this, [this, c] { widgetEvent({.kind = WidgetEvent::Kind::Tick, .control = c}, false); });
  }
  // A timer with interval 0 does not fire.
  if (t.timerRunning()) q->start(t.interval());
  else q->stop();
}

void QuorlWindow::refresh() {
  syncNow();
  if (replay_) showReplayState();
  paths_->poll();
  const bool newPath = g_.preview->shown() != pathShown_;
  pathShown_ = g_.preview->shown();
  for (auto& b : bound_) {
    const bool dirty = b->c->canvas && b->c->canvas->takeDirty();
    if (dirty || (newPath && b->c->canvas && static_cast<CanvasView*>(b->w)->overlay)) b->w->update();
  }
}

void QuorlWindow::drawPath(QPainter& p, OrbitViews::Area area) const {
  const PathPreview::Overlay o = g_.preview->overlay(area);
  if (o.u.empty() && !o.impact && !o.exit) return;
  const double k = scale_ / 15.0;
  // Light dots for a closed course, gold for an aimed launch, red for a way out of the system.
  const QColor dot = o.escape ? QColor(255, 70, 70) : o.aimed ? QColor(255, 214, 110) : QColor(170, 225, 255);
  const double size = std::max(2.0, std::round(2 * scale_));
  p.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(dot, size, Qt::SolidLine, Qt::SquareCap);
  p.setPen(pen);
  QVector<QPointF> dots;
  dots.reserve(static_cast<int>(o.u.size()));
  for (std::size_t i = 0; i < o.u.size(); ++i) dots.append(QPointF(o.u[i] * k, o.v[i] * k));
  p.drawPoints(dots.data(), static_cast<int>(dots.size()));
  const double r = std::max(5.0, 7 * scale_);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setBrush(Qt::NoBrush);
  if (o.impact) {
    // The impact: a ring with a cross, in orange.
    const QPointF at(o.impactU * k, o.impactV * k);
    p.setPen(QPen(QColor(255, 160, 40), std::max(1.5, 2 * scale_)));
    p.drawEllipse(at, r, r);
    p.drawLine(at - QPointF(r, 0), at + QPointF(r, 0));
    p.drawLine(at - QPointF(0, r), at + QPointF(0, r));
  }
  if (o.exit) {
    // Where the path leaves the view on its way out of the system: a red cross.
    const QPointF at(o.exitU * k, o.exitV * k);
    p.setPen(QPen(QColor(255, 70, 70), std::max(1.5, 2 * scale_)));
    p.drawLine(at - QPointF(r, r), at + QPointF(r, r));
    p.drawLine(at - QPointF(r, -r), at + QPointF(r, -r));
  }
}

void QuorlWindow::syncNow() {
  if (syncing_) return;
  syncing_ = true;
  bool layout = false;
  for (Control* c : g_.ui.takeChanged()) {
    const unsigned aspects = c->takeChanged();
    auto it = byControl_.find(c);
    if (it == byControl_.end()) continue;  // a timer
    apply(*it->second, aspects);
    layout = layout || (aspects & (kGeometry | kVisible | kParent));
  }
  if (layout) fitContent();
  syncing_ = false;
}

QString QuorlWindow::shortened(const Bound& b, const QString& caption) const {
  if (!b.cut) return caption;
  // A text of lines in a room of lines shows its first lines whole; any other shows as much of itself on one
  // line as the room holds, and an ellipsis.
  const QSize room = captionRoom(b);
  const QFontMetrics m(b.w->font());
  if (room.height() >= 2 * m.height() && caption.contains(QChar('\n'))) return caption;
  QString line = caption;
  line.replace(QChar('\n'), QChar(' '));
  // A label's text may run to its right edge.
  const auto* label = qobject_cast<const QLabel*>(b.w);
  const int width = label ? label->contentsRect().width() - label->indent() : room.width();
  return m.elidedText(line, Qt::ElideRight, std::max(1, width));
}

QSize QuorlWindow::captionRoom(const Bound& b) const {
  const window_layout::Size room = window_layout::captionRoom(*b.c, window_layout::placeOf(*b.c, b.mainForm, scale_), scale_);
  return QSize(room.width, room.height);
}

int QuorlWindow::px(int units) const { return window_layout::px(units, scale_); }

QRect QuorlWindow::placeOf(const Bound& b) const {
  const window_layout::Rect r = window_layout::placeOf(*b.c, b.mainForm, scale_);
  return QRect(r.left, r.top, r.width, r.height);
}

bool QuorlWindow::shown(const Bound& b) const { return window_layout::shown(*b.c, b.mainForm); }

void QuorlWindow::fitContent() {
  // The content is as large as the controls placed on it.
  const window_layout::Size units = window_layout::contentUnits(g_.ui);
  contentUnits_ = QSize(units.width, units.height);
  const QSize size(px(units.width) + kMargin, px(units.height) + kMargin);
  if (size != contentSize_) {
    contentSize_ = size;
    content_->setFixedSize(size);
  }
}

QSize QuorlWindow::contentSize() const { return contentSize_; }

double QuorlWindow::fitScale(QSize area) const {
  return window_layout::fitScale({area.width(), area.height()}, {contentUnits_.width(), contentUnits_.height()});
}

void QuorlWindow::setScale(double s) {
  s = std::clamp(s, kMinScale, kMaxScale);
  if (GameStyle* style = gameStyle()) style->setScale(s);
  if (s == scale_ && !bound_.empty() && contentSize_.isValid()) return;
  scale_ = s;
  for (auto& b : bound_) {
    if (auto* canvas = dynamic_cast<QtCanvas*>(b->c->canvas.get())) canvas->setScale(scale_, dpr_);
    const QSignalBlocker block(b->w);
    apply(*b, kGeometry | kFont);
  }
  fitContent();
}

void QuorlWindow::fitToWindow() {
  const double s = fitScale(scroll_->size());
  // A window that already fits its content closely keeps its scale: rounding must not make it creep.
  if (std::abs(s - scale_) > 0.004) setScale(s);
}

void QuorlWindow::screenChanged() {
  QScreen* screen = windowHandle() ? windowHandle()->screen() : nullptr;
  if (!screen) return;
  const qreal dpr = screen->devicePixelRatio();
  if (dpr != dpr_) {
    dpr_ = dpr;
    for (auto& b : bound_)
      if (auto* canvas = dynamic_cast<QtCanvas*>(b->c->canvas.get())) canvas->setScale(scale_, dpr_);
    update();
  }
  // A window larger than its new screen's free area shrinks into it; the layout follows the resize.
  const QSize room = screen->availableGeometry().size();
  if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
}

void QuorlWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  refit_->start();
}

void QuorlWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!screenHooked_ && windowHandle()) {
    screenHooked_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { screenChanged(); });
    screenChanged();
  }
}

void QuorlWindow::playBack(Replayer& replayer, std::function<void(const ReplayResult&)> done) {
  replay_ = std::make_unique<ReplaySession>(g_, replayer);
  replayDone_ = std::move(done);
  // The recording runs the passes; nothing of the replay opens a browser or ends the program.
  g_.onPumpStart = nullptr;
  g_.run->openBrowser = nullptr;
  g_.help->quit = nullptr;
  qApp->installEventFilter(this);
  replayPump_ = new PacedPump(
      g_, [this] { return replayTurn(); }, this);
  syncNow();
  showReplayState();
  replayPump_->start();
}

bool QuorlWindow::replayTurn() {
  if (!replay_) return false;
  const bool more = replay_->turn();
  if (!more && !replay_->playing()) {
    syncNow();
    showReplayState();
    if (auto done = std::move(replayDone_)) {
      replayDone_ = nullptr;
      done(replay_->result());
    }
    handOver();
  }
  return more;
}

void QuorlWindow::handOver() {
  // From here the player plays on from where the recording ended, with every control the game has.
  Replayer* replay = &replay_->replayer();
  replay_.reset();
  qApp->removeEventFilter(this);
  replay->handOver(g_);
  wireGame();
  setWindowTitle(display(g_.window.Quorl->caption()));
  syncNow();
  if (g_.loopRunning()) pump_->start();
}

void QuorlWindow::hold(bool on) {
  if (!replay_ || !replay_->hold(on)) return;
  if (!replay_->held()) replayPump_->start();
  showReplayState();
}

void QuorlWindow::showReplayState() {
  const QString title = display(g_.window.Quorl->caption() + " - replay: " + replay_->state());
  if (windowTitle() != title) setWindowTitle(title);
}

QWidget* QuorlWindow::widgetFor(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second->w;
}

void QuorlWindow::apply(Bound& b, unsigned aspects) {
  Control& c = *b.c;
  QWidget* w = b.w;
  const QSignalBlocker block(w);

  if ((aspects & kParent) && !b.mainForm && !b.otherForm) {
    QWidget* want = containerFor(c);
    if (w->parentWidget() != want) {
      w->setParent(want);
      aspects |= kAllAspects;  // a widget given a new parent starts hidden and unstyled
    }
  }

  if (aspects & kGeometry) {
    const QRect r = placeOf(b);
    if (c.kind == Kind::Line) {
      auto* line = static_cast<LineView*>(w);
      const double k = scale_ / 15.0;
      line->from = QPointF(c.x1() * k - r.left(), c.y1() * k - r.top());
      line->to = QPointF(c.x2() * k - r.left(), c.y2() * k - r.top());
      w->update();
    }
    if (b.otherForm) w->setFixedSize(r.size());
    else w->setGeometry(r);
    if (auto* label = qobject_cast<QLabel*>(w)) label->setIndent(window_layout::labelIndentPx(scale_));
  }

  // Colours. A text drawn in its own back colour would vanish; such a pair is shown with a light text.
  if (aspects & kColors) {
    QPalette p = w->palette();
    QColor fore = qc(c.fore());
    const QColor back = qc(c.back());
    switch (c.kind) {
      case Kind::TextBox:
        p.setColor(QPalette::Base, back);
        p.setColor(QPalette::Text, fore);
        break;
      case Kind::Button:
        p.setColor(QPalette::Button, back);
        p.setColor(QPalette::ButtonText, fore);
        break;
      case Kind::Label:
      case Kind::CheckBox:
      case Kind::Option:
      case Kind::Frame:
        fore = qc(window_layout::captionFore(c, b.legible));
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::Button, back);  // check and option buttons fill with the button role
        p.setColor(QPalette::WindowText, fore);
        break;
      case Kind::Shape:
        static_cast<ShapeView*>(w)->color = fore;
        static_cast<ShapeView*>(w)->fill = back;
        break;
      case Kind::Line: static_cast<LineView*>(w)->color = fore; break;
      default: p.setColor(QPalette::Window, back); break;
    }
    if (!isScroll(c.kind)) w->setPalette(p);
    w->update();
  }

  if ((aspects & kFont) || (hasCaption(c.kind) && (aspects & (kCaption | kGeometry)))) {
    QFont f = legibleFont(gameFont(c.fontName(), c.fontSize() * scale_, c.fontBold()), dpr_);
    bool fits = true;
    if (hasCaption(c.kind)) f = fitFont(f, display(c.caption()), captionRoom(b), c.kind == Kind::Label, dpr_, &fits);
    if (w->font() != f) w->setFont(f);
    // A caption cut short ends in an ellipsis and says all of itself in a tool tip, unless the control has
    // a tip of its own.
    if (b.cut != !fits || b.cut) aspects |= kCaption | kToolTip;
    b.cut = !fits;
  }
  if (aspects & kToolTip) {
    const std::string& own = c.toolTip();
    w->setToolTip(display(own.empty() && b.cut ? c.caption() : own));
  }
  if ((aspects & kEnabled) && !b.mainForm) w->setEnabled(c.enabled());

  if (aspects & kCaption) {
    switch (c.kind) {
      case Kind::Label: {
        auto* label = static_cast<QLabel*>(w);
        const QString shown = shortened(b, display(c.caption()));
        // A line cut to its room is never wrapped again.
        label->setWordWrap(!b.cut || shown.contains(QChar('\n')));
        label->setText(shown);
        break;
      }
      case Kind::Button:
      case Kind::CheckBox:
      case Kind::Option:
        static_cast<QAbstractButton*>(w)->setText(buttonText(shortened(b, display(c.caption()))));
        break;
      case Kind::Frame:
        static_cast<FrameView*>(w)->caption = display(c.caption());
        w->update();
        break;
      case Kind::Form:
        if (b.mainForm && replay_) showReplayState();
        else if (b.mainForm) setWindowTitle(display(c.caption()));
        else w->setWindowTitle(display(c.caption()));
        break;
      default: break;
    }
  }

  if ((aspects & kReadOnly) && c.kind == Kind::TextBox) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(c.readOnly());
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setReadOnly(c.readOnly());
    // A box the player cannot type into never takes the keys from the main view.
    w->setFocusPolicy(c.readOnly() ? Qt::NoFocus : Qt::StrongFocus);
  }

  applyValues(b, aspects);

  if (aspects & (kVisible | kGeometry)) {
    const bool show = shown(b);
    if (b.mainForm) {
      // The window's own visibility follows its form (the about button hides it); main() shows it first.
      if ((aspects & kVisible) && aspects != kAllAspects && isVisible() != show) setVisible(show);
      w->setVisible(true);
    } else if (w->isVisibleTo(w->parentWidget()) != show) {
      w->setVisible(show);
    }
  }
}

void QuorlWindow::applyValues(Bound& b, unsigned aspects) {
  Control& c = *b.c;
  QWidget* w = b.w;
  switch (c.kind) {
    case Kind::TextBox:
      if (!(aspects & kText)) break;
      if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const QString t = QString::fromStdString(c.text());
        if (e->text() == t) break;
        e->setText(t);
        // A box shows the beginning of a number too long for it, unless the player is in it.
        if (!e->hasFocus()) e->setCursorPosition(0);
        else fitFocused(b);
      } else if (auto* e2 = qobject_cast<QPlainTextEdit*>(w)) {
        const QString t = display(c.text());
        if (e2->toPlainText() != t) e2->setPlainText(t);
      }
      break;
    case Kind::CheckBox:
    case Kind::Option: {
      auto* btn = static_cast<QAbstractButton*>(w);
      if (btn->isChecked() != c.checked()) btn->setChecked(c.checked());
      break;
    }
    case Kind::HScroll:
    case Kind::VScroll: {
      auto* bar = static_cast<QScrollBar*>(w);
      if (aspects & kRange) {
        bar->setRange(c.min(), c.max());
        bar->setSingleStep(c.smallChange());
        bar->setPageStep(c.largeChange());
      }
      if (bar->value() != c.value()) bar->setValue(c.value());
      break;
    }
    default: break;
  }
}

bool QuorlWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (replay_ && qobject_cast<QWidget*>(watched)) {
    // A replay's window lets clicks reach only the pace and the hold; the space bar holds it too.
    switch (type) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
          hold(!replay_->held());
        return true;
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Wheel: return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick: {
        const std::string name = watched->objectName().toStdString();
        Control* c = g_.ui.find(name);
        return !c || duringReplay(g_, Input::press(*c)) == ReplayRoute::Ignore;
      }
      default: break;
    }
  }
  if (type == QEvent::KeyPress && !replay_) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier);
      // The focus box picks the craft to steer: leaving it hands the keys to the main view.
      if ((enter || tab) && handsKeysToMainView(g_, *g_.ui.find(edit->objectName().toStdString()))) {
        widgetFor(g_.window.Quorl->name)->setFocus(Qt::TabFocusReason);
        return true;
      }
      // Enter takes a typed number as Tab does.
      if (enter) {
        QKeyEvent next(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(edit, &next);
        return true;
      }
    }
  }
  if (!syncing_ && (type == QEvent::FocusIn || type == QEvent::FocusOut)) {
    // Switching to another application or opening a menu is not leaving the box.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    const bool elsewhere = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (!elsewhere) {
      auto it = byName_.find(watched->objectName().toStdString());
      if (it != byName_.end()) {
        Bound& b = *it->second;
        using K = WidgetEvent::Kind;
        widgetEvent({.kind = type == QEvent::FocusIn ? K::FocusIn : K::FocusOut, .control = b.c}, true);
        if (auto* edit = qobject_cast<QLineEdit*>(b.w)) {
          if (type == QEvent::FocusIn) {
            fitFocused(b);
          } else {
            apply(b, kGeometry);
            edit->setCursorPosition(0);
          }
        }
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void QuorlWindow::fitFocused(Bound& b) {
  auto* edit = static_cast<QLineEdit*>(b.w);
  QWidget* room = edit->parentWidget();
  const QRect place = placeOf(b);
  const QMargins m = edit->textMargins();
  // The text, its margins and the frame's, and a little for the cursor.
  const int want = edit->fontMetrics().horizontalAdvance(edit->text()) + m.left() + m.right() + 12;
  const int width = std::clamp(want, place.width(), std::max(place.width(), room->width() - place.left()));
  if (edit->width() == width) return;
  edit->resize(width, place.height());
  // Wider than its place, it lies over its neighbours while the player is in it.
  if (width > place.width()) edit->raise();
}

void QuorlWindow::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Undo) && !replay_) {
    g_.timeline->back();
    syncNow();
    return;
  }
  const QWidget* held = QApplication::focusWidget();
  const bool inBox = qobject_cast<const QLineEdit*>(held) || qobject_cast<const QPlainTextEdit*>(held);
  if (auto in = inputFor({.kind = WidgetEvent::Kind::Key, .text = e->text().toStdString(), .inTextBox = inBox})) {
    input(*in, true);
    return;
  }
  QMainWindow::keyPressEvent(e);
}

}  // namespace quorl
