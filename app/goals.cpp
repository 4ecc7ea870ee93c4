// The milestones, what is reached, and the record that keeps it.
#include "app/goals.h"

#include <charconv>
#include <sstream>

#include "sim/numbers.h"

namespace quorl {

const std::vector<Milestone>& milestones() {
  // The hints follow the rules: which class grows which life at which air, what each power needs.
  static const std::vector<Milestone> list = {
      {"system", "A system built", "Press a preset, 1 to 10: 1-9 blow a supernova into planets, 10 is one large world"},
      {"selected", "A world selected",
       "Choose a world: the selection bar, \"largest planet\", \"random body\" or a probe (m, e, w)"},
      {"air", "Air on a world", "Keep a world selected for a whole orbit of the sun: its air grows by 2 each orbit"},
      {"water", "Water", "Select a world that is not Lunar: its water follows its distance from the star"},
      {"life", "The first life",
       "Grow air on a Brown dwarf (life at any air), a Super earth (above 4), Mars (19) or Earth world (33)"},
      {"launch", "A craft launched",
       "Select a living world that is not Lunar and press Launch: a craft takes its life"},
      {"carried", "Life carried to a second world",
       "Aim the launch (angle, power) at another world, or steer the craft there with q e z c"},
      {"celestial", "The first Celestial",
       "Carry a second kind of life to a living world: two kinds on one world call Celestials"},
      {"fabricate", "Fabricate used", "With a Celestial in the system, press Fabricate: the selected world grows"},
      {"sublimate", "Sublimate used",
       "Needs 10 Celestials: two kinds of life on a Super earth, Earth or Mars world; halves a world"},
      {"decimate", "Decimate used", "Needs 3 Celestials in the system: Decimate removes the selected world"},
      {"nova", "A nova", "Press Nova: the selected world breaks in two (Explode, Spin, Shatter, Spiral, Implode)"},
      {"best", "The best score beaten",
       "Score above the \"All hi:\" of earlier systems: life, Celestials and orbits of the selected world"},
  };
  return list;
}

int milestoneIndex(const std::string& id) {
  const auto& list = milestones();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (id == list[i].id) return static_cast<int>(i);
  return -1;
}

Goals::Goals() : marks_(milestones().size()) {}

int Goals::count() const {
  int n = 0;
  for (const Mark& m : marks_) n += m.reached;
  return n;
}

bool Goals::reach(int i, double seconds, std::uint64_t passes) {
  Mark& m = marks_.at(i);
  if (m.reached) return false;
  m = {true, seconds, passes, false};
  return true;
}

void Goals::reset() {
  marks_.assign(milestones().size(), Mark{});
  foreign_.clear();
}

std::string Goals::record() const {
  std::string out;
  for (std::size_t i = 0; i < marks_.size(); ++i)
    if (marks_[i].reached)
      out += std::string(milestones()[i].id) + ' ' + shortest(marks_[i].seconds) + ' ' +
             std::to_string(marks_[i].passes) + '\n';
  for (const std::string& line : foreign_) out += line + '\n';
  return out;
}

namespace {

// "id seconds passes": a name of letters, a time of play that is not negative, a pass count.
bool readLine(const std::string& line, std::string& id, double& seconds, std::uint64_t& passes) {
  std::istringstream in(line);
  std::string s, p, extra;
  if (!(in >> id >> s >> p) || (in >> extra)) return false;
  for (char ch : id)
    if (ch < 'a' || ch > 'z') return false;
  const char* end = p.data() + p.size();
  const auto r = std::from_chars(p.data(), end, passes);
  if (r.ec != std::errc() || r.ptr != end) return false;
  const auto t = std::from_chars(s.data(), s.data() + s.size(), seconds);
  return t.ec == std::errc() && t.ptr == s.data() + s.size() && seconds >= 0 && seconds < 1e12;
}

}  // namespace

bool Goals::restore(const std::string& text) {
  reset();
  bool whole = true;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::string id;
    double seconds = 0;
    std::uint64_t passes = 0;
    if (!readLine(line, id, seconds, passes)) {
      whole = false;
      continue;
    }
    const int i = milestoneIndex(id);
    if (i < 0) foreign_.push_back(line);
    else marks_[i] = {true, seconds, passes, true};
  }
  return whole;
}

}  // namespace quorl
