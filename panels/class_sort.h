// Planet classes and the colour code: every present planet gets a mass class and a colour.
#pragma once
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
  World& w_;
};

}  // namespace quorl
