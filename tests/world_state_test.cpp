// The world's state kept and put back: the same future as never having left, nothing of another system
// left behind, and a file form that refuses what it did not write.
#include "sim/world_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "sim/fields.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

// How many members an aggregate has: the most initialisers it takes, each one converting to any member type.
struct AnyMember {
  template <typename T>
  operator T() const;
};
template <typename T, typename... A>
constexpr std::size_t memberCount() {
  if constexpr (requires { T{A{}..., AnyMember{}}; }) return memberCount<T, A..., AnyMember>();
  else return sizeof...(A);
}

// Every member of the body table and of the shared values is one field of the table, so a copy, a hash,
// the driver and a replay's head see all of them (a member outside it is lost by a saved game).
TEST(WorldState, EveryMemberIsAFieldOfTheTable) {
  auto b = std::make_unique<BodyTable>();
  auto s = std::make_unique<SharedState>();
  std::set<const void*> perBody, shared;
  for (const Field& f : fields()) {
    const void* at = std::visit([](auto* p) -> const void* { return p; }, f.at(*b, *s, 0, 0));
    (f.perBody ? perBody : shared).insert(at);
  }
  EXPECT_EQ(perBody.size(), memberCount<BodyTable>());
  EXPECT_EQ(shared.size(), memberCount<SharedState>());
}

using testing::Scenario;

std::uint64_t hashOf(Game& g) { return stateHash(g.b, g.s); }

TEST(WorldState, PuttingBackGivesTheSameFutureAndSequence) {
  Scenario sc;
  sc.run("type TXplanets 40\nleave TXplanets\npress CDp(3)\npasses 3000\n");
  WorldState st;
  st.take(sc.g().b, sc.g().s, sc.g().random);
  sc.run("passes 4000\n");  // fusions happen on the way at this seed
  const std::uint64_t ahead = hashOf(sc.g());
  const double next = Random(sc.g().random).rnd();

  st.restore(sc.g().b, sc.g().s, sc.g().random);
  sc.run("passes 4000\n");
  EXPECT_EQ(hashOf(sc.g()), ahead);
  EXPECT_EQ(sc.g().Rnd(), next);
}

TEST(WorldState, NothingOfALargerSystemStaysBehind) {
  Scenario small, large;
  small.run("press CDp(3)\npasses 200\n");
  large.run("type TXplanets 600\nleave TXplanets\npress CDp(4)\npasses 200\n");
  ASSERT_GT(large.g().s.BodyCount, small.g().s.BodyCount);
  WorldState st;
  st.take(small.g().b, small.g().s, small.g().random);
  st.restore(large.g().b, large.g().s, large.g().random);
  EXPECT_EQ(tableHash(large.g().b, large.g().s), tableHash(small.g().b, small.g().s));
  // Beyond the small system's rows too, every row is the small game's.
  for (int r = small.g().s.BodyCount + 1; r < kRows; ++r) {
    ASSERT_EQ(large.g().b.Mass[r], small.g().b.Mass[r]) << r;
    ASSERT_EQ(large.g().b.BodyName[r], small.g().b.BodyName[r]) << r;
    ASSERT_EQ(large.g().b.ImpactMark[1][r], small.g().b.ImpactMark[1][r]) << r;
  }
  EXPECT_LT(st.bytes(), std::size_t{1} << 20);  // a small system is kept in well under a megabyte
}

TEST(WorldState, FileFormRoundTripsAndRefusesDamage) {
  Scenario sc;
  sc.run("press CDp(3)\npasses 500\nput Mass(5) -0\nput BodyName(9999) far\n");
  WorldState st;
  st.take(sc.g().b, sc.g().s, sc.g().random);
  std::string bytes;
  st.write(bytes);

  WorldState back;
  std::size_t pos = 0;
  std::string why;
  ASSERT_TRUE(back.read(bytes, pos, why)) << why;
  EXPECT_EQ(pos, bytes.size());
  Scenario other;
  back.restore(other.g().b, other.g().s, other.g().random);
  EXPECT_EQ(hashOf(other.g()), hashOf(sc.g()));
  EXPECT_TRUE(std::signbit(other.g().b.Mass[5]));
  EXPECT_EQ(other.g().b.BodyName[9999], "far");
  EXPECT_EQ(other.g().random, sc.g().random);

  // Every cut is refused, and so is a foreign beginning.
  for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 300) {
    WorldState w;
    std::size_t p = 0;
    EXPECT_FALSE(w.read(std::string_view(bytes).substr(0, cut), p, why)) << cut;
  }
  std::string foreign = bytes;
  foreign[0] = 'X';
  pos = 0;
  EXPECT_FALSE(back.read(foreign, pos, why));
  EXPECT_NE(why.find("does not begin"), std::string::npos) << why;
}

}  // namespace
}  // namespace quorl
