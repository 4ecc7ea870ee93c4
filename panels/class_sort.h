// Planet classes and the colour code: every present planet gets a mass class and a colour.
#pragma once

namespace quorl {

class Game;

class ClassSort {
 public:
  explicit ClassSort(Game& g);

  // The click of Command6: classes, colours, ClassCount, LiveCount and the class labels.
  void sort();

 private:
  void classify(int i);

  Game& g_;
};

}  // namespace quorl
