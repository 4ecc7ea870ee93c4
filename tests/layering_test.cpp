// The layers of the core: a file includes only headers of its own layer and the layers below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/scenario.h"

namespace fs = std::filesystem;

namespace {

// Lowest first; folders of one rank may include each other.
const std::map<std::string, int> kRank = {
    {"ui", 0},     {"sim", 1}, {"names", 2},  {"io", 2},  {"views", 3}, {"panels", 3},
    {"events", 3}, {"app", 4}, {"app/qt", 5}, {"cli", 5}, {"bench", 5}, {"tests", 6},
};

// The layer of a path relative to the source root ("app/qt/x.cpp" is app/qt, "views/x.h" views).
int rankOf(const std::string& path) {
  if (path.rfind("app/qt/", 0) == 0) return kRank.at("app/qt");
  const auto slash = path.find('/');
  if (slash == std::string::npos) return -1;
  const auto it = kRank.find(path.substr(0, slash));
  return it == kRank.end() ? -1 : it->second;
}

// "file: includes header" for every include of a higher layer under root.
std::vector<std::string> violations(const fs::path& root) {
  std::vector<std::string> out;
  const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string rel = fs::relative(entry.path(), root).generic_string();
    if (rel.rfind("build", 0) == 0 || rel.rfind(".git", 0) == 0) continue;
    const std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const int own = rankOf(rel);
    if (own < 0) continue;
    std::ifstream in(entry.path());
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
      if (std::regex_search(line, m, include) && rankOf(m[1]) > own) out.push_back(rel + ": includes " + m[1].str());
  }
  return out;
}

void write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

}  // namespace

TEST(Layering, TheCheckFindsAnIncludeFromAbove) {
  const fs::path root = quorl::testing::tempDir();
  write(root / "sim/pass.cpp", "#include \"sim/world.h\"\n#include \"ui/ui.h\"\n");
  write(root / "views/zoom.cpp", "#include \"panels/peers.h\"\n#include \"events/biosphere.h\"\n");
  write(root / "app/qt/window.cpp", "#include \"app/game.h\"\n");
  EXPECT_TRUE(violations(root).empty());
  write(root / "sim/pass.cpp", "#include \"sim/world.h\"\n  #include \"views/orbit_views.h\"\n");
  write(root / "events/nova.cpp", "#include \"app/game.h\"\n");
  write(root / "app/game.cpp", "#include \"app/qt/main_window.h\"\n");
  auto found = violations(root);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"app/game.cpp: includes app/qt/main_window.h",
                                             "events/nova.cpp: includes app/game.h",
                                             "sim/pass.cpp: includes views/orbit_views.h"}));
  fs::remove_all(root);
}

TEST(Layering, NoFileOfTheTreeIncludesFromAbove) {
  const char* source = std::getenv("QUORL_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "QUORL_SOURCE_DIR names the source tree";
  EXPECT_EQ(violations(source), std::vector<std::string>{});
}
