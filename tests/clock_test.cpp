// The injectable clock: text forms, midnight and day changes.
#include "sim/clock.h"

#include <gtest/gtest.h>

using namespace quorl;

TEST(Clock, CalendarArithmeticCrossesMidnightMonthsAndLeapDays) {
  DateTime t{2024, 2, 28, 23, 59, 58};
  EXPECT_EQ(timeText(addSeconds(t, 1)), "23:59:59");
  DateTime next = addSeconds(t, 2);
  EXPECT_EQ(dateText(next) + " " + timeText(next), "2024-02-29 00:00:00");
  DateTime march = addSeconds(t, 86400 + 2);
  EXPECT_EQ(dateText(march), "2024-03-01");
  DateTime back = addSeconds(DateTime{2027, 1, 1, 0, 0, 0}, -1);
  EXPECT_EQ(dateText(back) + " " + timeText(back), "2026-12-31 23:59:59");
  EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(daysFromCivil(2000, 3, 1) - daysFromCivil(2000, 2, 28), 2);
}

TEST(Clock, ParsesOnlyRealMoments) {
  DateTime t;
  EXPECT_TRUE(parseDateTime("2026-12-08 04:05:06", t));
  EXPECT_EQ(timeText(t), "04:05:06");
  EXPECT_FALSE(parseDateTime("2026-02-30 00:00:00", t));
  EXPECT_FALSE(parseDateTime("2026-12-08 24:00:00", t));
  EXPECT_FALSE(parseDateTime("2026-12-08", t));
  EXPECT_FALSE(parseDateTime("2026-12-08 04:05:06x", t));
}

TEST(Clock, ASetClockMovesWithVirtualTime) {
  Clock c;
  c.set(DateTime{2026, 12, 31, 23, 59, 59}, 5000);
  c.setVirtualNow(5999);
  EXPECT_EQ(timeText(c.now()), "23:59:59");
  c.setVirtualNow(6000);
  EXPECT_EQ(dateText(c.now()) + " " + timeText(c.now()), "2027-01-01 00:00:00");
}
