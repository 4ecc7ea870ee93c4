// The ten preset buttons CDp(1..10): a press reads the panel, builds a new system and starts it.
#pragma once
#include <string>
#include <vector>

#include "sim/creation.h"
#include "ui/control_table.h"

namespace quorl {

class Game;

class PresetPress {
 public:
  explicit PresetPress(Game& g);

  struct Controls {
    ControlArray CDp;  // 0..11; 0 and 11 are the animation's unseen ends
  } c;

  // The click of CDp(preset), preset 1..10.
  void create(int preset);
  // Systems built since program start (a refused press builds none).
  int creations() const { return creations_; }

 private:
  // The panel's inputs as one creation reads them; taken before anything changes.
  struct Inputs : CreationInputs {
    int seed = 0;
    double planets = 0;  // N as typed
    int spareWorlds = 0;
  };

  // False, with the reason in the status line, when the system would not fit the table.
  bool readInputs(int preset, Inputs& in);
  void repairInputs(Inputs& in);
  void chooseFirstOptions();
  void resetPanels(int preset);
  void resetBodyData(int preset);

  Game& g_;
  std::vector<std::string> notes_;
  int creations_ = 0;  // repairs and failures to show once the start has set the status line
};

}  // namespace quorl
