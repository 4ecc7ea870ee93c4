// The panels of the window, for the handlers of one to reach the typed handles of another. The game fills
// it once every panel exists; handlers run only after that, so no panel reads it while being built.
#pragma once

namespace quorl {

class EventLog;
class NameGenerator;
class ClassSort;
class FocusPanel;
class BodyEditor;
class OrbitViews;
class NameLabels;
class ZoomView;
class PlanetPicture;
class NovaPanel;
class MultipleNova;
class Biosphere;
class LaunchPanel;

struct Peers {
  EventLog* log = nullptr;
  NameGenerator* names = nullptr;
  ClassSort* classes = nullptr;
  FocusPanel* focus = nullptr;
  BodyEditor* editor = nullptr;
  OrbitViews* views = nullptr;
  NameLabels* labels = nullptr;
  ZoomView* zoom = nullptr;
  PlanetPicture* picture = nullptr;
  NovaPanel* nova = nullptr;
  MultipleNova* multiNova = nullptr;
  Biosphere* bio = nullptr;
  LaunchPanel* launch = nullptr;
};

}  // namespace quorl
