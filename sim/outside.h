// What the rules read from outside the game: the wall clock and the parameters file. A recording notes
// every reading in the order the rules take them; a replay hands the recorded readings back instead.
#pragma once
#include <string>

#include "sim/clock.h"

namespace quorl {

class Outside {
 public:
  virtual ~Outside() = default;
  // The clock was read as t; a replay puts the recorded reading in its place.
  virtual void clockRead(DateTime& t) = 0;
  // A file was read: whether it could be, and its bytes; a replay puts the recorded read in their place.
  virtual void fileRead(const std::string& name, bool& ok, std::string& bytes) = 0;
};

}  // namespace quorl
