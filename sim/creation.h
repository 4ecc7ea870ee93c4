// Building a new system from a preset: the ten preset buttons CDp(1..10).
#pragma once
#include <string>
#include <vector>

namespace quorl {

class Game;

class Creation {
 public:
  explicit Creation(Game& g);

  // The click of CDp(preset), preset 1..10: builds the whole table and starts it.
  void create(int preset);

  // The text of Text3 for a total planet mass (in the table's unit; shown x 1000).
  static std::string totalMassText(double totalMass);

 private:
  // The panel's inputs as one creation reads them; taken before anything changes.
  struct Inputs {
    int preset = 0;
    int seed = 0;
    double planets = 0;       // N
    int spareWorlds = 0;      // preset 10 always has 100
    int bodyCount = 0;        // N + 2 + spare worlds, rounded
    int lastInitialBody = 0;  // N + 2, rounded
    double explode = 0;       // X, the divisor of the starting velocities
    double spread = 0;        // S, the size of the cloud
  };

  // False, with the reason in the status line, when the system would not fit the table.
  bool readInputs(int preset, Inputs& in);
  void chooseFirstOptions();
  void resetPanels(int preset);
  void resetBodyData(int preset);
  void placeStars(int preset);
  void scatterPlanets(const Inputs& in, double K);
  void singlePlanet(const Inputs& in, double K);
  void cloudPlanets(const Inputs& in, double K);
  // Int(Rnd * k) / d + c
  double m(int k, double d, double c);
  double scatterMass(int preset, int i);
  double cloudMass(int preset, int i);
  // |size| < x^2 + y^2 + z^2 pulls the body in towards body 1, axis by axis.
  void pullIn(int i, double size);
  void offsetFromBody1(int i, double K);
  void showTotalMass(int lastInitialBody);

  Game& g_;
  std::vector<std::string> notes_;  // repairs and failures to show once the start has set the status line
};

}  // namespace quorl
