// Planet classes and the colour code: every present planet gets a mass class and a colour.
#pragma once
#include <vector>

#include "sim/world.h"

namespace quorl {

class ClassSort {
 public:
  explicit ClassSort(World& w);

  struct Controls {
    Handle Command6;    // "largest planet + planet color code sort"
    ControlArray Lapl;  // 0..8: the class counts, 8 the live count; tool tips name the classes
    Handle LaPlan, Label7;
  } c;

  // The click of Command6: classes, colours, ClassCount, LiveCount and the class labels.
  void sort();
  // The name of a class 0..8 (a label's tool tip), empty outside.
  std::string className(int cls) const;

 private:
  // Classes and colours of the present bodies among rows from..to; tally: see the source.
  void classify(int from, int to, int* tally);

  World& w_;
  std::vector<int> earth_;    // by row: the class-3 bodies of each slice, from its first row on
  std::vector<int> tallies_;  // by slice
};

}  // namespace quorl
