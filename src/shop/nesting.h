#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zembrati::shop {

// Lengths in tenths of a millimetre: the cutting list gives cut lengths to a tenth, and whole
// numbers keep the packing exact (a piece that fits to the tenth fits).
using Tenths = std::int64_t;

struct NestingPiece {
  std::string mark;
  Tenths length = 0;
};

// What to cut from what: the pieces of one section and grade, the stock lengths the mill sells,
// the saw's cut width and the length cut off each bar before the first piece (its mill end).
// A piece costs its length plus the kerf, but the last piece of a bar none: it may run to the
// bar's end.
struct NestingJob {
  std::vector<NestingPiece> pieces;
  std::vector<Tenths> stock;
  Tenths kerf = 0;
  Tenths trim = 0;
};

struct NestedBar {
  Tenths stock = 0;
  // In cutting order, from the trimmed end.
  std::vector<NestingPiece> pieces;
  // What is left beyond the last piece (the cut that frees it comes out of it).
  Tenths offcut = 0;
};

struct Nesting {
  std::vector<NestedBar> bars;
  // Pieces longer than every stock bar (after its trim): placed on nothing.
  std::vector<NestingPiece> unplaced;
  // No way of cutting the placed pieces takes fewer bars than this: the continuous bound (all
  // the length needed, kerfs included, over the longest bar) ...
  int continuousBoundBars = 0;
  // ... and the linear-programming bound of the cutting-stock problem, where it was proven.
  std::optional<int> lpBoundBars;
  // The least stock length any way of cutting them orders: all the length needed over the
  // bar that holds the most per length, and the linear programme's bound where it gave one.
  Tenths continuousBoundLength = 0;
  std::optional<Tenths> lpBoundLength;
  // Which method gave the bars: the one that ordered least.
  enum class Method { PatternGeneration, MinimumSlack, FirstFitDecreasing };
  Method method = Method::FirstFitDecreasing;

  int LowerBoundBars() const { return std::max(continuousBoundBars, lpBoundBars.value_or(0)); }
  Tenths LowerBoundLength() const { return std::max(continuousBoundLength, lpBoundLength.value_or(0)); }
  Tenths OrderedLength() const;
  Tenths PlacedLength() const;
  // The share of the ordered length that is not in a piece (offcuts, kerfs, trims), in percent.
  double WastePercent() const;
};

// The name of a method as reports give it.
const char* MethodName(Nesting::Method method);

// Near-optimal: Gilmore–Gomory pattern generation on the linear programme (which gives the
// bound), rounded down and repaired by solving what is left again; beside it, minimum bin slack
// (each bar in turn filled as fully as the pieces left allow, which finds the exact fills of jobs
// with many lengths wanted once or twice) and first-fit decreasing, the fallback; the one that
// orders least is kept. The ordered length is what is minimised (with one stock length, the
// bars); each bar is the shortest stock its pieces fit. Deterministic: the same job gives the
// same bars.
// Throws std::invalid_argument for a negative kerf or trim, or a stock or piece length not above 0.
Nesting Nest(const NestingJob& job);

// First-fit decreasing into the longest stock, each bar then shortened to the shortest stock
// that holds its pieces: the fallback, and what the benchmark compares with.
Nesting NestFirstFitDecreasing(const NestingJob& job);

}  // namespace zembrati::shop
