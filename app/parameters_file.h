// tallyho.txt against the panel: Save writes the starting parameters and the all-time best, Load (and the
// program start) puts them back.
#pragma once
#include <string>
#include <vector>

#include "io/params_file.h"
#include "ui/control_table.h"

namespace quorl {

class Game;

class ParametersFile {
 public:
  explicit ParametersFile(Game& g);

  struct Controls {
    Handle CDsave, Command8;  // "Save", "Load"
  } c;

  // Takes the fields from the panel into their values and writes the file whole; false when it could not
  // be written (the status line says why, and the game goes on). The best score written is never lower
  // than the one the file holds, which then becomes the game's too.
  bool Outfile();
  // Reads the file into the values, then into the panel. Anything unreadable stops it where it is and
  // writes a fresh file from the panel instead, once the damaged one is kept aside; the best score is
  // taken from its own field whenever that field reads.
  void Remfile();

  std::string path() const;

  // The values last read or written, which stand in for boxes the file cannot hold (a replay restores them).
  const ParamsRecord& record() const { return own_; }
  void setRecord(const ParamsRecord& r) { own_ = r; }

 private:
  // The fields read so far go into their values, before any control changes.
  void store(const ParamsRecord& r, int fieldsRead);
  void restoreControls();
  // Outfile; `damage` says why the file on disk must be kept aside before it is written anew.
  bool save(std::string damage);
  // The file on disk, under the lock: kept aside when damaged, its best taken when higher, then written.
  // `failure` says why nothing was written.
  bool write(ParamsRecord& r, std::string damage, std::vector<std::string>& notes, std::string& failure);
  void showBest();

  Game& g_;
  // Fields 1..5 and 12..15 live only here; every field also keeps the value last read or written, which
  // stands in for a box whose number the file cannot hold.
  ParamsRecord own_;
  bool started_ = false;  // program start has read the file
};

}  // namespace quorl
