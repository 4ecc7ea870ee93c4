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

class QApplication;
class QScrollArea;
class QTimer;

namespace quorl {

// Fusion style with the dark palette the panels are drawn for.
void applyGameStyle(QApplication& app);

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

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Bound;

  void build();
  QWidget* makeWidget(Bound& b);
  QWidget* containerFor(const Control& c);
  // Brings a widget in step with the aspects of its control that changed.
  void apply(Bound& b, unsigned aspects);
  void applyValues(Bound& b, unsigned aspects);
  QRect placeOf(const Bound& b) const;
  bool shown(const Bound& b) const;
  void fitContent();
  void refresh();
  void timerChanged(Control& timer);
  // Runs something the player did (or a timer) against the core; errors go to the status line.
  void act(const std::function<void()>& fn, bool syncAfter);

  Game& g_;
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;
  std::vector<std::unique_ptr<Bound>> bound_;
  std::unordered_map<std::string, Bound*> byName_;
  std::unordered_map<const Control*, Bound*> byControl_;
  std::unordered_map<Control*, QTimer*> timers_;
  std::vector<std::unique_ptr<QWidget>> otherForms_;  // further windows of the game (an about box)
  QTimer* pump_ = nullptr;
  QTimer* refresh_ = nullptr;
  bool syncing_ = false;
  QSize contentSize_;
};

}  // namespace quorl
