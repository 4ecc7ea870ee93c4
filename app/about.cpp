// --help and --version, answered without a window so they work where no screen is.
#include "app/about.h"

#include <ostream>

#include "app_info.h"

namespace quorl {

std::optional<int> answerAbout(int argc, char** argv, const std::string& program, const std::string& usage,
                               std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--version") {
      out << program << ' ' << kVersion << '\n';
      return 0;
    }
    if (a == "--help" || a == "-h") {
      out << usage;
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace quorl
