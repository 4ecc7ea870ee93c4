// The main window Quorl: one widget per control of the game, kept in step with its model.
#pragma once
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/game.h"
#include "app/qt/game_style.h"
#include "app/window_layout.h"
#include "views/orbit_views.h"

class QScrollArea;
class QTimer;

namespace quorl {

class PacedPump;
class PathWorker;
class Replayer;
class ReplaySession;
struct WidgetEvent;
struct ReplayResult;

// The window scales as a whole: at scale s, 15 window units are s logical pixels, for places, fonts and
// drawing areas alike (the areas keep one device pixel a point at any scale and pixel ratio).
class QuorlWindow : public QMainWindow {
 public:
  explicit QuorlWindow(Game& g, QWidget* parent = nullptr);
  ~QuorlWindow() override;

  // Brings every widget in step with its control now; the refresh timer does this about 60 times a second.
  void syncNow();
  // The widget showing a control (null for timers and unknown names).
  QWidget* widgetFor(const std::string& name) const;
  // The size the whole window content wants, in logical pixels.
  QSize contentSize() const;

  // Plays a recording (begun on this window's game) instead of taking the player's inputs: only the pace
  // and the hold ("Pause", or the space bar) stay the player's. `done` hears how it ended; then the game is
  // handed to the player, who plays on from there.
  void playBack(Replayer& replayer, std::function<void(const ReplayResult&)> done);

  // The scale at which the content just fits an area of this size (logical pixels), within the limits.
  double fitScale(QSize area) const;
  double scale() const { return scale_; }
  // Lays everything out again at scale s; what the drawing areas hold is kept.
  void setScale(double s);
  static constexpr double kMinScale = window_layout::kMinScale, kMaxScale = window_layout::kMaxScale;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  struct Bound;

  void build();
  QWidget* makeWidget(Bound& b);
  QWidget* containerFor(const Control& c);
  // Brings a widget in step with the aspects of its control that changed.
  void apply(Bound& b, unsigned aspects);
  void applyValues(Bound& b, unsigned aspects);
  QRect placeOf(const Bound& b) const;
  int px(int units) const;
  // Where a control's caption goes, in logical pixels (the fitted font must keep it there).
  QSize captionRoom(const Bound& b) const;
  // The caption as shown: whole, or cut to its room when it does not fit at the least legible size.
  QString shortened(const Bound& b, const QString& caption) const;
  // A new screen (or a new pixel ratio): canvases at its ratio, the window within its area.
  void screenChanged();
  void fitToWindow();
  bool shown(const Bound& b) const;
  void fitContent();
  void refresh();
  void timerChanged(Control& timer);
  // Hands something the player did (or a timer) to the game; errors go to the status line.
  void input(const Input& in, bool syncAfter);
  // What a widget did, as the game's input (when it is one).
  void widgetEvent(const WidgetEvent& e, bool syncAfter);
  // The game's hooks into the window: the pump, the browser, the end of the program.
  void wireGame();
  // A box the player is in grows to show all of its text.
  void fitFocused(Bound& b);
  // The replay's pump: one step of the recording a turn, as the pace allows.
  bool replayTurn();
  // The replay is over: the game and every control are the player's again.
  void handOver();
  void hold(bool on);
  void showReplayState();
  // The path preview over one orbit view, at the window's scale.
  void drawPath(QPainter& p, OrbitViews::Area area) const;

  Game& g_;
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;
  std::vector<std::unique_ptr<Bound>> bound_;
  std::unordered_map<std::string, Bound*> byName_;
  std::unordered_map<const Control*, Bound*> byControl_;
  std::unordered_map<Control*, QTimer*> timers_;
  std::vector<std::unique_ptr<QWidget>> otherForms_;  // further windows of the game (an about box)
  PacedPump* pump_ = nullptr;
  PathWorker* paths_ = nullptr;
  std::uint64_t pathShown_ = 0;
  std::unique_ptr<ReplaySession> replay_;
  PacedPump* replayPump_ = nullptr;
  std::function<void(const ReplayResult&)> replayDone_;
  QTimer* refresh_ = nullptr;
  QTimer* refit_ = nullptr;  // a resize settles before the layout follows it
  bool syncing_ = false;
  bool screenHooked_ = false;
  double scale_ = 1.0;
  qreal dpr_ = 1.0;
  QSize contentSize_;
  QSize contentUnits_;  // the content's extent in window units
};

}  // namespace quorl
