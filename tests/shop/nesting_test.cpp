#include "shop/nesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>

namespace zembrati::shop {
namespace {

NestingJob Job(std::vector<Tenths> lengths, std::vector<Tenths> stock, Tenths kerf = 0, Tenths trim = 0) {
  NestingJob job{{}, std::move(stock), kerf, trim};
  for (std::size_t i = 0; i < lengths.size(); ++i) job.pieces.push_back({"P" + std::to_string(i + 1), lengths[i]});
  return job;
}

std::vector<Tenths> StockOf(const Nesting& nesting) {
  std::vector<Tenths> stock;
  for (const NestedBar& bar : nesting.bars) stock.push_back(bar.stock);
  return stock;
}

// What every nesting must be, whatever the method: each piece of the job on exactly one bar or
// among the unplaced, no bar holding more than its length less trim and kerfs between pieces,
// the offcut what is left, pieces cut longest first, and no fewer bars than the bound.
void ExpectSound(const NestingJob& job, const Nesting& nesting) {
  std::map<std::string, int> seen;
  for (const NestedBar& bar : nesting.bars) {
    ASSERT_FALSE(bar.pieces.empty());
    Tenths used = job.trim;
    for (std::size_t i = 0; i < bar.pieces.size(); ++i) {
      used += bar.pieces[i].length + (i > 0 ? job.kerf : 0);
      if (i > 0) {
        EXPECT_GE(bar.pieces[i - 1].length, bar.pieces[i].length);
      }
      ++seen[bar.pieces[i].mark];
    }
    EXPECT_LE(used, bar.stock);
    EXPECT_EQ(bar.offcut, bar.stock - used);
    EXPECT_NE(std::find(job.stock.begin(), job.stock.end(), bar.stock), job.stock.end());
  }
  for (const NestingPiece& piece : nesting.unplaced) ++seen[piece.mark];
  ASSERT_EQ(seen.size(), job.pieces.size());
  for (const auto& [mark, count] : seen) EXPECT_EQ(count, 1) << mark;
  EXPECT_GE(static_cast<int>(nesting.bars.size()), nesting.LowerBoundBars());
}

TEST(Nesting, FindsTheOptimumWorkedOutByHandWhereFirstFitDecreasingTakesABarMore) {
  // 11,500 mm into 6 m bars: two bars at best, 3000+1500+1500 and 2000+2000+1500. First fit
  // decreasing puts 3000 and 2000 together and then has no room for the third 1500.
  const NestingJob job = Job({15000, 20000, 30000, 15000, 20000, 15000}, {60000});
  const Nesting nested = Nest(job);
  ExpectSound(job, nested);
  ASSERT_EQ(nested.bars.size(), 2u);
  EXPECT_EQ(nested.LowerBoundBars(), 2);
  EXPECT_NE(nested.method, Nesting::Method::FirstFitDecreasing);
  EXPECT_EQ(nested.bars[0].offcut + nested.bars[1].offcut, 5000);
  EXPECT_EQ(NestFirstFitDecreasing(job).bars.size(), 3u);
  // The same pieces listed in the same order give the same bars, marks and all.
  const Nesting again = Nest(job);
  for (std::size_t b = 0; b < 2; ++b) {
    ASSERT_EQ(again.bars[b].pieces.size(), nested.bars[b].pieces.size());
    for (std::size_t p = 0; p < again.bars[b].pieces.size(); ++p) EXPECT_EQ(again.bars[b].pieces[p].mark, nested.bars[b].pieces[p].mark);
  }
}

TEST(Nesting, TheLastPieceOfABarTakesNoKerfAndTheTrimComesOffFirst) {
  // 10 + 2993.5 + 3 + 2993.5 = 6000: the two pieces share a bar only because the last needs no kerf.
  const NestingJob atTheLimit = Job({29935, 29935}, {60000}, 30, 100);
  const Nesting fits = Nest(atTheLimit);
  ExpectSound(atTheLimit, fits);
  ASSERT_EQ(fits.bars.size(), 1u);
  EXPECT_EQ(fits.bars[0].offcut, 0);
  EXPECT_DOUBLE_EQ(fits.WastePercent(), 100.0 * (60000 - 59870) / 60000);

  const NestingJob aTenthOver = Job({29935, 29936}, {60000}, 30, 100);
  EXPECT_EQ(Nest(aTenthOver).bars.size(), 2u);
  EXPECT_EQ(NestFirstFitDecreasing(aTenthOver).bars.size(), 2u);
}

TEST(Nesting, OrdersTheCheaperMixOfStockLengthsNotTheGreedyOne) {
  // Into 10 m bars first, 5000+5000 and 3000+3000 order 10 m + 8 m; two 8 m bars of 5000+3000
  // take exactly the 16 m needed.
  const NestingJob job = Job({50000, 50000, 30000, 30000}, {80000, 100000});
  const Nesting nested = Nest(job);
  ExpectSound(job, nested);
  EXPECT_EQ(StockOf(nested), (std::vector<Tenths>{80000, 80000}));
  EXPECT_EQ(nested.lpBoundLength, 160000);
  EXPECT_DOUBLE_EQ(nested.WastePercent(), 0.0);
  EXPECT_EQ(StockOf(NestFirstFitDecreasing(job)), (std::vector<Tenths>{100000, 80000}));
  // Each bar is the shortest that holds its pieces: one short piece needs no 10 m bar.
  EXPECT_EQ(StockOf(Nest(Job({25000}, {100000, 60000}))), (std::vector<Tenths>{60000}));
}

TEST(Nesting, APieceLongerThanEveryBarIsPlacedOnNothing) {
  const NestingJob job = Job({59910, 59900, 20000}, {60000, 30000}, 30, 100);
  const Nesting nested = Nest(job);
  ExpectSound(job, nested);
  ASSERT_EQ(nested.unplaced.size(), 1u);
  EXPECT_EQ(nested.unplaced[0].mark, "P1");
  EXPECT_EQ(StockOf(nested), (std::vector<Tenths>{60000, 30000}));

  const Nesting none = Nest(Job({70000}, {60000}));
  EXPECT_TRUE(none.bars.empty());
  EXPECT_EQ(none.unplaced.size(), 1u);
  EXPECT_EQ(none.LowerBoundBars(), 0);
  // A bar no longer than its trim holds nothing.
  EXPECT_EQ(Nest(Job({50}, {100}, 0, 100)).unplaced.size(), 1u);
}

TEST(Nesting, NoPiecesOrderNothing) {
  const Nesting nested = Nest(Job({}, {60000, 120000}, 30, 100));
  EXPECT_TRUE(nested.bars.empty());
  EXPECT_TRUE(nested.unplaced.empty());
  EXPECT_EQ(nested.LowerBoundBars(), 0);
  EXPECT_EQ(nested.WastePercent(), 0.0);
}

TEST(Nesting, RefusesLengthsNoShopHas) {
  EXPECT_THROW(Nest(Job({1000}, {60000}, -1)), std::invalid_argument);
  EXPECT_THROW(Nest(Job({1000}, {60000}, 0, -1)), std::invalid_argument);
  EXPECT_THROW(Nest(Job({1000}, {})), std::invalid_argument);
  EXPECT_THROW(Nest(Job({1000}, {0})), std::invalid_argument);
  EXPECT_THROW(Nest(Job({0}, {60000})), std::invalid_argument);
}

// Triplets of pieces that fill a bar exactly, shuffled: the optimum is a third of the pieces, and
// first-fit decreasing rarely finds it.
TEST(Nesting, ComesWithinOneBarOfTheOptimumOnShuffledExactTriplets) {
  std::mt19937 random(7);
  for (int instance = 0; instance < 4; ++instance) {
    std::vector<Tenths> lengths;
    for (int t = 0; t < 30; ++t) {
      const Tenths first = std::uniform_int_distribution<Tenths>(22800, 29400)(random);
      const Tenths second = std::uniform_int_distribution<Tenths>(15000, (60000 - first) / 2)(random);
      lengths.insert(lengths.end(), {first, second, 60000 - first - second});
    }
    std::shuffle(lengths.begin(), lengths.end(), random);
    const NestingJob job = Job(lengths, {60000});
    const Nesting nested = Nest(job);
    ExpectSound(job, nested);
    EXPECT_EQ(nested.LowerBoundBars(), 30);
    EXPECT_LE(nested.bars.size(), 31u) << "instance " << instance;
  }
}

}  // namespace
}  // namespace zembrati::shop
