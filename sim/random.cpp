// The random sequence's state as text: the engine's own textual form, read back only when it is whole.
#include "sim/random.h"

#include <locale>
#include <sstream>

namespace quorl {

std::string Random::state() const {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << gen_;
  return out.str();
}

bool Random::setState(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  std::mt19937 g;
  in >> g;
  if (in.fail()) return false;
  in >> std::ws;
  if (!in.eof()) return false;
  gen_ = g;
  return true;
}

}  // namespace quorl
