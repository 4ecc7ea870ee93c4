// The --help and --version answers both programs give before anything else starts.
#pragma once
#include <iosfwd>
#include <optional>
#include <string>

namespace quorl {

// When the arguments ask for help or the version, prints the answer and returns the exit status.
std::optional<int> answerAbout(int argc, char** argv, const std::string& program, const std::string& usage,
                               std::ostream& out);

}  // namespace quorl
