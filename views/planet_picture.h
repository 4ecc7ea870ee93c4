// The picture of the selected world and those after it.
#pragma once

namespace quorl {

class Game;

class PlanetPicture {
 public:
  explicit PlanetPicture(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
