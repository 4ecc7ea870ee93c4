// The shared values beside the body table, named as the game's rules name them.
#pragma once
#include <array>
#include <string>

#include "sim/bodies.h"
#include "sim/checked.h"
#include "sim/clock.h"

namespace quorl {

struct SharedState {
  // Table and run.
  i16 BodyCount = 0;
  i16 LastInitialBody = 0;
  double GravityExponent = 0;
  double Speed = 0;
  i16 MasterScale = 0;
  i32 GravityFactor = 0;
  double Proximity = 0;
  i16 AttractorLimit = 0;
  i16 Focus = 0;
  i16 Quadrant = 0, PrevQuadrant = 0;
  i32 Orbits = 0;
  i32 ElapsedSeconds = 0;
  i16 LiveCount = 0;
  i16 Preset = 0;
  i16 SpareWorlds = 0;
  DateTime CreatedAt;
  std::string StartTime;
  i16 StartHour = 0, StartMinute = 0, StartSecond = 0;
  DateTime StartDate;  // the day of the last start, which the clock counts whole days from
  std::string PauseFlag;
  std::string LastEvent;
  std::array<i16, 6> FusionPair{};

  // Parameter panel and run control.
  i16 SeedTick = 0, SeedValue = 0;
  double PresetGlow = 0;
  double TorqueSpinPower = 0;
  i16 PlanetGraphicsRate = 0, ZoomRate = 0;
  double ExplodeRandomness = 0;
  bool FirstCreationDone = false;

  // Classes, focus, clock and score.
  std::array<i16, 21> ClassCount{};
  i16 FocusClass = 0;
  i16 WarmUpDone = 0;
  i32 Score = 0, HighScore = 0;

  // Zoom view and name labels.
  double Magnification = 1;
  i16 ZoomScale = 30;
  i16 ZoomLabelRequest = 0;
  i16 BlinkPhase = 0;
  i16 ZoomFrame = 0;
  i16 NewestFragment = 0;                 // the nova's newest fragment; 0 or -2 = none
  double LaunchDirX = 0, LaunchDirY = 0;  // launch direction, read by the zoom view's thrust marker

  // Later subsystems that creation resets or start-up fills.
  std::string NovaModeCaption;
  i16 NewWorldCount = 0;
  std::array<std::string, 10000> NewWorldList{};  // entries 0..9999; novas and launches both add
  std::array<std::string, 31> RosterName{};
  std::array<i16, 31> RosterBody{};
  std::array<double, 31> RosterSize{};  // picture radii
  std::array<std::string, 6> CraftTypeNames{};
  std::array<std::array<std::string, 5>, 6> CraftWords{};  // [row 1..5][column 1..4]

  // Biosphere: the system's life totals, the selected world's life code, Celestials, launch cooldown.
  std::array<i32, 6> LifeTotals{};
  i16 LifeCode = 0;
  i16 CelestialSum = 0;
  i16 LaunchCooldown = 0;
  // Novas and the multiple nova.
  i16 NovaPattern = 0;      // 0..3 axis split, 5 scatter, 6 spread, 7 orbit; kept between novas
  i16 MultiNovaCount = 0;   // the next nova of a running multiple nova, from 1
  i16 MultiNovaTarget = 0;  // the fragment of the event's first nova; kept between events
  // Clock and score: the last clock tick and the class part of the score.
  std::string NowTime;
  i16 NowHour = 0, NowMinute = 0, NowSecond = 0;
  DateTime NowDate;
  i32 DaysRunning = 0;
  i32 ClassBonus = 0;
};

// Starts the running seconds at `t`: the time of day "hh:mm:ss", its hour, minute and second, and its day.
inline void startClock(SharedState& s, const DateTime& t) {
  s.StartTime = timeText(t);
  s.StartSecond = t.second;
  s.StartMinute = t.minute;
  s.StartHour = t.hour;
  s.StartDate = t;
}

}  // namespace quorl
