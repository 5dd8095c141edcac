// Prints how close nesting comes to the fewest bars, and what it costs, for pattern generation
// (`Nest`) beside first-fit decreasing (`NestFirstFitDecreasing`), measured on the same jobs in
// one run:
// - triplets: three pieces fill a 6 m bar exactly, so the fewest bars is a third of the pieces;
// - pieces cut from whole 12 m bars at random points (kerf 3 mm, trim 10 mm), to the tenth of a
//   millimetre, and on whole 10 mm from a short list of lengths as a shop's job is: the fewest
//   bars is the number cut up, which the continuous bound proves;
// - 2,000 pieces of 10 to 200 lengths on 6 m and 12 m stock, against the bounds the linear
//   programme proves (no known optimum).
// Every job is drawn from a fixed start: the same run gives the same jobs and the same bars.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "shop/nesting.h"

namespace {

using zembrati::shop::Nesting;
using zembrati::shop::NestingJob;
using zembrati::shop::NestingPiece;
using zembrati::shop::Tenths;

constexpr Tenths kMm = 10;

struct Instance {
  NestingJob job;
  int optimum = 0;
};

void AddPiece(NestingJob& job, Tenths length) {
  job.pieces.push_back({"P" + std::to_string(job.pieces.size() + 1), length});
}

Tenths Uniform(std::mt19937& rng, Tenths low, Tenths high) { return std::uniform_int_distribution<Tenths>(low, high)(rng); }

// Triplets on a 6 m bar: the first piece 0.38 to 0.49 of the bar, the second from 0.25 to half
// of what the first leaves, the third the rest (so never shorter than the second).
Instance Triplets(int pieces, unsigned start) {
  std::mt19937 rng(start);
  constexpr Tenths bar = 6000 * kMm;
  Instance instance;
  instance.job.stock = {bar};
  for (int t = 0; t < pieces / 3; ++t) {
    const Tenths first = Uniform(rng, bar * 38 / 100, bar * 49 / 100);
    const Tenths second = Uniform(rng, bar * 25 / 100, (bar - first) / 2);
    AddPiece(instance.job, first);
    AddPiece(instance.job, second);
    AddPiece(instance.job, bar - first - second);
  }
  std::shuffle(instance.job.pieces.begin(), instance.job.pieces.end(), rng);
  instance.optimum = pieces / 3;
  return instance;
}

constexpr Tenths kWholeBar = 12000 * kMm;
constexpr Tenths kKerf = 3 * kMm;
constexpr Tenths kTrim = 10 * kMm;
constexpr Tenths kShortest = 300 * kMm;

// `bars` whole 12 m bars, each cut at random points into 2 to 6 pieces of at least 300 mm that
// with the kerfs between them and the trim take the bar to the tenth.
Instance CutBars(int bars, unsigned start) {
  std::mt19937 rng(start);
  Instance instance;
  instance.job = {{}, {kWholeBar}, kKerf, kTrim};
  for (int b = 0; b < bars; ++b) {
    const int count = static_cast<int>(Uniform(rng, 2, 6));
    const Tenths length = kWholeBar - kTrim - (count - 1) * kKerf;
    const Tenths free = length - count * kShortest;
    std::vector<Tenths> cuts{0, free};
    for (int c = 1; c < count; ++c) cuts.push_back(Uniform(rng, 0, free));
    std::sort(cuts.begin(), cuts.end());
    for (int c = 0; c < count; ++c) AddPiece(instance.job, kShortest + cuts[c + 1] - cuts[c]);
  }
  std::shuffle(instance.job.pieces.begin(), instance.job.pieces.end(), rng);
  instance.optimum = bars;
  return instance;
}

// The shop's version: `bars` 12 m bars, each cut into 2 to 6 pieces on whole 10 mm taken from a
// list of 10 to 40 lengths. Whole 10 mm pieces with 3 mm kerfs cannot take a bar to the tenth
// (2 to 6 pieces leave 1 to 5 kerfs), so each bar is cut to within 10 mm of its end: all the
// bars together leave less than one bar, and the continuous bound still proves `bars` the fewest.
Instance CutBarsFromList(int bars, unsigned start) {
  std::mt19937 rng(start);
  Instance instance;
  instance.job = {{}, {kWholeBar}, kKerf, kTrim};
  const int kinds = static_cast<int>(Uniform(rng, 10, 40));
  std::set<Tenths> drawn;
  while (static_cast<int>(drawn.size()) < kinds) drawn.insert(100 * Uniform(rng, 30, 500));
  const std::vector<Tenths> list(drawn.begin(), drawn.end());
  for (int b = 0; b < bars; ++b) {
    for (;;) {
      const int count = static_cast<int>(Uniform(rng, 2, 6));
      std::vector<Tenths> cut;
      Tenths rest = kWholeBar - kTrim - (count - 1) * kKerf;
      for (int c = 1; c < count; ++c) {
        cut.push_back(list[static_cast<std::size_t>(Uniform(rng, 0, kinds - 1))]);
        rest -= cut.back();
      }
      // The last piece: the longest on the list that fits, if it leaves less than 10 mm.
      const auto last = std::upper_bound(list.begin(), list.end(), rest);
      if (last == list.begin() || rest - *(last - 1) >= 10 * kMm) continue;
      cut.push_back(*(last - 1));
      for (const Tenths length : cut) AddPiece(instance.job, length);
      break;
    }
  }
  std::shuffle(instance.job.pieces.begin(), instance.job.pieces.end(), rng);
  instance.optimum = bars;
  return instance;
}

// 2,000 pieces on whole millimetres from 300 to 5,800 mm, of `kinds` lengths, on 6 m and 12 m
// stock.
NestingJob Uniform2000(int kinds, unsigned start) {
  std::mt19937 rng(start);
  NestingJob job{{}, {6000 * kMm, 12000 * kMm}, kKerf, kTrim};
  std::set<Tenths> drawn;
  while (static_cast<int>(drawn.size()) < kinds) drawn.insert(kMm * Uniform(rng, 300, 5800));
  const std::vector<Tenths> list(drawn.begin(), drawn.end());
  for (int p = 0; p < 2000; ++p) AddPiece(job, list[static_cast<std::size_t>(Uniform(rng, 0, kinds - 1))]);
  return job;
}

std::size_t Kinds(const NestingJob& job) {
  std::set<Tenths> lengths;
  for (const NestingPiece& piece : job.pieces) lengths.insert(piece.length);
  return lengths.size();
}

// Every piece on a bar, and no bar given more than it holds: figures from a broken nesting would
// mean nothing, so the benchmark stops on one.
void CheckNesting(const NestingJob& job, const Nesting& nesting, const char* method) {
  std::size_t placed = 0;
  for (const auto& bar : nesting.bars) {
    Tenths used = job.trim;
    for (std::size_t p = 0; p < bar.pieces.size(); ++p) used += bar.pieces[p].length + (p > 0 ? job.kerf : 0);
    if (used > bar.stock || bar.offcut != bar.stock - used) {
      std::printf("error: %s gave a bar of %lld more than it holds\n", method, static_cast<long long>(used));
      std::exit(1);
    }
    placed += bar.pieces.size();
  }
  if (placed != job.pieces.size() || !nesting.unplaced.empty()) {
    std::printf("error: %s placed %zu of %zu pieces\n", method, placed, job.pieces.size());
    std::exit(1);
  }
}

// The instances where pattern generation was more than one bar over the optimum.
std::vector<std::string> farOff;

struct Timed {
  Nesting nesting;
  double ms = 0;
};

template <typename Method>
Timed Run(Method method, const NestingJob& job, const char* name) {
  const auto start = std::chrono::steady_clock::now();
  Nesting nesting = method(job);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  CheckNesting(job, nesting, name);
  return {std::move(nesting), took.count()};
}

// One method's figures over the instances of one row.
struct Tally {
  int bars = 0;
  int hits = 0;
  int worst = 0;
  double totalMs = 0;
  double maxMs = 0;
  int byFfd = 0;

  void Add(const Timed& run, int optimum) {
    const int got = static_cast<int>(run.nesting.bars.size());
    bars += got;
    hits += got == optimum ? 1 : 0;
    worst = std::max(worst, got - optimum);
    totalMs += run.ms;
    maxMs = std::max(maxMs, run.ms);
    byFfd += run.nesting.method == Nesting::Method::FirstFitDecreasing ? 1 : 0;
  }
};

std::string Range(std::size_t low, std::size_t high) {
  return low == high ? std::to_string(low) : std::to_string(low) + "-" + std::to_string(high);
}

void KnownOptimumHeader() {
  std::printf("%-22s %4s %9s %8s | %-11s %5s %4s %9s %9s | %-11s %5s %4s %9s %9s %4s\n", "family", "n", "pieces", "lengths",
              "FFD bars", "opt", "max+", "mean ms", "max ms", "pattern bars", "opt", "max+", "mean ms", "max ms", "FFD");
}

void KnownOptimumRow(const char* family, int count, Instance (*make)(int, unsigned), int size, unsigned start) {
  Tally ffd, patterns;
  int optimum = 0;
  std::size_t fewestPieces = SIZE_MAX, mostPieces = 0, fewestKinds = SIZE_MAX, mostKinds = 0;
  for (int i = 0; i < count; ++i) {
    const Instance instance = make(size, start + static_cast<unsigned>(i));
    const NestingJob& job = instance.job;
    fewestPieces = std::min(fewestPieces, job.pieces.size());
    mostPieces = std::max(mostPieces, job.pieces.size());
    fewestKinds = std::min(fewestKinds, Kinds(job));
    mostKinds = std::max(mostKinds, Kinds(job));
    const Timed greedy = Run(zembrati::shop::NestFirstFitDecreasing, job, "first-fit decreasing");
    const Timed nested = Run(zembrati::shop::Nest, job, "pattern generation");
    // The optimum is known by construction; a bound above it would be a fault in the bound.
    if (nested.nesting.LowerBoundBars() > instance.optimum) {
      std::printf("error: %s instance %d: bound %d above the optimum %d\n", family, i, nested.nesting.LowerBoundBars(),
                  instance.optimum);
      std::exit(1);
    }
    ffd.Add(greedy, instance.optimum);
    patterns.Add(nested, instance.optimum);
    const int excess = static_cast<int>(nested.nesting.bars.size()) - instance.optimum;
    if (excess > 1) {
      farOff.push_back(std::string(family) + " #" + std::to_string(i + 1) + ": " + std::to_string(excess) + " over, " +
                       std::string(zembrati::shop::MethodName(nested.nesting.method)) + " kept, FFD " +
                       std::to_string(static_cast<int>(greedy.nesting.bars.size()) - instance.optimum) + " over");
    }
    optimum += instance.optimum;
  }
  const auto bars = [&](const Tally& tally) { return std::to_string(tally.bars) + "/" + std::to_string(optimum); };
  std::printf("%-22s %4d %9s %8s | %-11s %2d/%-2d %+4d %9.3f %9.3f | %-12s %2d/%-2d %+4d %9.1f %9.1f %4d\n", family, count,
              Range(fewestPieces, mostPieces).c_str(), Range(fewestKinds, mostKinds).c_str(), bars(ffd).c_str(), ffd.hits,
              count, ffd.worst, ffd.totalMs / count, ffd.maxMs, bars(patterns).c_str(), patterns.hits, count,
              patterns.worst, patterns.totalMs / count, patterns.maxMs, patterns.byFfd);
  std::fflush(stdout);
}

std::string Bars(const Nesting& nesting) {
  Tenths longest = 0;
  for (const auto& bar : nesting.bars) longest = std::max(longest, bar.stock);
  const auto full = std::count_if(nesting.bars.begin(), nesting.bars.end(), [&](const auto& bar) { return bar.stock == longest; });
  return std::to_string(full) + "+" + std::to_string(static_cast<long>(nesting.bars.size()) - full);
}

void UniformRow(int kinds, unsigned start) {
  const NestingJob job = Uniform2000(kinds, start);
  const Timed greedy = Run(zembrati::shop::NestFirstFitDecreasing, job, "first-fit decreasing");
  const Timed nested = Run(zembrati::shop::Nest, job, "pattern generation");
  const Nesting& bounds = nested.nesting;
  // The continuous bound on length: the longest bar holds the most per metre ordered (the trim
  // is longer than the kerf), so no cutting orders less than all the pieces' widths at its rate.
  Tenths widths = 0;
  for (const NestingPiece& piece : job.pieces) widths += piece.length + job.kerf;
  const Tenths longest = *std::max_element(job.stock.begin(), job.stock.end());
  const Tenths capacity = longest - job.trim + job.kerf;
  const Tenths continuous = (widths * longest + capacity - 1) / capacity;
  const double bound = static_cast<double>(std::max(continuous, bounds.lpBoundLength.value_or(0)));
  const auto over = [&](const Nesting& nesting) {
    return 100.0 * (static_cast<double>(nesting.OrderedLength()) - bound) / bound;
  };
  const auto metres = [](Tenths length) { return static_cast<double>(length) / 10000.0; };
  char lp[32] = "none";
  if (bounds.lpBoundLength) std::snprintf(lp, sizeof lp, "%.1f", metres(*bounds.lpBoundLength));
  std::printf("%5d %6zu %8.1f %8s %5d | %-8s %8.1f %6.2f%% %6.2f%% %6.2f | %-8s %8.1f %6.2f%% %6.2f%% %7.1f %-8s\n", kinds,
              job.pieces.size(), metres(continuous), lp, bounds.LowerBoundBars(),
              Bars(greedy.nesting).c_str(), metres(greedy.nesting.OrderedLength()), over(greedy.nesting),
              greedy.nesting.WastePercent(), greedy.ms, Bars(nested.nesting).c_str(), metres(nested.nesting.OrderedLength()),
              over(nested.nesting), nested.nesting.WastePercent(), nested.ms, zembrati::shop::MethodName(nested.nesting.method));
  std::fflush(stdout);
}

}  // namespace

int main() {
  const auto start = std::chrono::steady_clock::now();
  std::printf(
      "Nesting: first-fit decreasing (FFD) beside pattern generation, on the same jobs in one run.\n"
      "  n        instances in the row        pieces / lengths  per instance (distinct lengths)\n"
      "  bars     bars used over all the instances / the known optimum over all of them\n"
      "  opt      instances cut in exactly the optimum       max+  most bars over the optimum\n"
      "  mean ms, max ms  time per instance (steady clock)\n"
      "  FFD      instances where pattern generation kept first-fit decreasing as the better\n\n");
  KnownOptimumHeader();
  KnownOptimumRow("triplets 60", 10, Triplets, 60, 1000);
  KnownOptimumRow("triplets 120", 10, Triplets, 120, 2000);
  KnownOptimumRow("triplets 249", 3, Triplets, 249, 3000);
  KnownOptimumRow("whole bars k=20", 10, CutBars, 20, 4000);
  KnownOptimumRow("whole bars k=50", 10, CutBars, 50, 5000);
  KnownOptimumRow("whole bars k=200", 3, CutBars, 200, 6000);
  KnownOptimumRow("10 mm, list k=20", 10, CutBarsFromList, 20, 7000);
  KnownOptimumRow("10 mm, list k=50", 10, CutBarsFromList, 50, 8000);
  KnownOptimumRow("10 mm, list k=200", 3, CutBarsFromList, 200, 9000);
  if (!farOff.empty()) std::printf("\nPattern generation more than one bar over the optimum:\n");
  for (const std::string& line : farOff) std::printf("  %s\n", line.c_str());

  std::printf(
      "\n2,000 pieces of 300-5,800 mm on 6 m and 12 m stock, kerf 3 mm, trim 10 mm, against the bounds:\n"
      "  K        distinct lengths            cont m  least stock length by the continuous bound\n"
      "  LP m     lpBoundLength               LB      LowerBoundBars() (12 m bars)\n"
      "  bars     12 m + 6 m bars             ordered metres ordered\n"
      "  over     ordered above the larger of cont m and LP m      waste  WastePercent()\n"
      "  ms       time for the job            kept  whose bars Nest returned\n\n");
  std::printf("%5s %6s %8s %8s %5s | %-8s %8s %7s %7s %6s | %-8s %8s %7s %7s %7s %-8s\n", "K", "pieces", "cont m", "LP m",
              "LB", "FFD bars", "ordered", "over", "waste", "ms", "pattern", "ordered", "over", "waste", "ms", "kept");
  UniformRow(10, 10000);
  UniformRow(40, 11000);
  UniformRow(100, 12000);
  UniformRow(200, 13000);

  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("\nwhole run: %.1f s\n", took.count());
  return 0;
}
