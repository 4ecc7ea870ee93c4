// Errors a handler may raise; they are caught where an event enters the core and shown in the status line.
#pragma once
#include <stdexcept>
#include <string>

namespace quorl {

struct GameError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A checked counter or a rounding left its 16-bit or 32-bit range.
struct OverflowError : GameError {
  using GameError::GameError;
};

// A control was given a value it cannot hold (a scroll bar outside its range).
struct InvalidValueError : GameError {
  using GameError::GameError;
};

}  // namespace quorl
