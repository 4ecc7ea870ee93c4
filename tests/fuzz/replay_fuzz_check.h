// What any bytes must meet in the replay reader: it returns, refusing with a reason or reading to the end,
// and a text it reads writes back to text that reads as the very same head, events, clock changes and file
// reads. Shared by the fuzzer and the tests.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/replay_file.h"

namespace quorl::fuzz {

struct ReadReplay {
  ReplayHead head;
  std::vector<ReplayEvent> events;
  std::vector<ReplayReader::ClockChange> clock;
  std::vector<std::pair<std::string, ReplayRead>> reads;
  bool operator==(const ReadReplay& o) const {
    if (!(head == o.head && events == o.events && reads == o.reads && clock.size() == o.clock.size())) return false;
    for (std::size_t i = 0; i < clock.size(); ++i)
      if (clock[i].reading != o.clock[i].reading || !(clock[i].value == o.clock[i].value)) return false;
    return true;
  }
};

// Reads the whole text; when `rewrite` is given, a writer there gets everything in the order it was read.
inline bool readAll(std::string_view text, ReadReplay& out, std::string& error,
                    std::unique_ptr<ReplayWriter>* rewrite = nullptr) {
  ReplayReader r;
  if (!r.open(text)) return error = r.error(), false;
  out.head = r.head();
  if (rewrite) *rewrite = std::make_unique<ReplayWriter>(r.head());
  ReplayWriter* w = rewrite ? rewrite->get() : nullptr;
  const auto drain = [&] {
    for (const auto& c : r.clock) {
      out.clock.push_back(c);
      if (w) w->clockChange(c.reading, c.value);
    }
    for (const auto& f : r.reads) {
      out.reads.push_back(f);
      if (w) w->fileRead(f.first, f.second);
    }
    r.clock.clear();
    r.reads.clear();
  };
  ReplayEvent e;
  while (r.next(e)) {
    drain();
    out.events.push_back(e);
    if (w) w->event(e);
  }
  drain();
  error = r.error();
  return error.empty();
}

// Empty when the input passes, else what went wrong.
inline std::string checkReplayInput(std::string_view text) {
  ReadReplay first, second;
  std::string error;
  std::unique_ptr<ReplayWriter> writer;
  if (!readAll(text, first, error, &writer)) return error.empty() ? "refused without a reason" : "";
  const std::string rewritten = writer->take();
  if (!readAll(rewritten, second, error)) return "the rewritten text does not read: " + error;
  if (!(first == second)) return "the rewritten text reads differently:\n" + rewritten;
  return {};
}

}  // namespace quorl::fuzz
