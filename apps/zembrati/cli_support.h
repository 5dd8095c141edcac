#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace zembrati::cli {

// Exit codes of every command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSystemError = 1;  // the system reported an error
inline constexpr int kExitUsage = 2;        // the command line was wrong

// The density the commands report masses with.
inline constexpr double kSteelDensityKgPerM3 = 7850;
// The mass in kg of a steel volume in mm³.
inline double SteelMassKg(double volumeMm3) { return volumeMm3 * 1e-9 * kSteelDensityKgPerM3; }

// A mistake on the command line: reported with its message and exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "190,200,6.5" -> {190, 200, 6.5}; every item must be a whole number in "." notation.
std::vector<double> ParseNumberList(const std::string& text, const std::string& what);
double ParseNumber(const std::string& text, const std::string& what);

}  // namespace zembrati::cli
