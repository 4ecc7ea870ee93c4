// Wall-clock time of day and date, from the system or set by the driver (midnight and day changes are tested).
#pragma once
#include <cstdint>
#include <string>

namespace quorl {

struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

// Days since 1970-01-01 of a civil date.
std::int64_t daysFromCivil(int y, int m, int d);
DateTime addSeconds(const DateTime& t, std::int64_t seconds);
std::string timeText(const DateTime& t);  // "hh:mm:ss", 24-hour
std::string dateText(const DateTime& t);  // "yyyy-mm-dd"
// Parses "YYYY-MM-DD hh:mm:ss"; false when malformed or out of range.
bool parseDateTime(const std::string& text, DateTime& out);

class Clock {
 public:
  // Real local time, unless the driver has set it.
  DateTime now() const;
  // From now on the clock reads `at` plus the virtual milliseconds that pass after this call.
  void set(const DateTime& at, std::int64_t virtualNowMs);
  void setVirtualNow(std::int64_t ms) { virtualNowMs_ = ms; }
  bool isManual() const { return manual_; }

 private:
  bool manual_ = false;
  DateTime base_;
  std::int64_t baseMs_ = 0;
  std::int64_t virtualNowMs_ = 0;
};

}  // namespace quorl
