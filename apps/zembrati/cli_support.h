#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace zembrati::cli {

// Exit codes of every command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSystemError = 1;  // the system reported an error
inline constexpr int kExitUsage = 2;        // the command line was wrong

// The longest member the commands accept, in mm: a kilometre, far beyond any steel section made.
inline constexpr double kMaxLengthMm = 1e6;
// How far from the origin a point may lie, in mm (a thousand kilometres).
inline constexpr double kMaxCoordinateMm = 1e9;

// A mistake on the command line: reported with its message and exit code 2; nothing is saved.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the system could not do with what it was given (a damaged scene, a file it cannot
// write): reported with its message and exit code 1; nothing is saved.
class CommandFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "190,200,6.5" -> {190, 200, 6.5}; every item must be a whole number in "." notation.
std::vector<double> ParseNumberList(const std::string& text, const std::string& what);
double ParseNumber(const std::string& text, const std::string& what);
// A length in mm: a number in "." notation, greater than 0 and at most kMaxLengthMm.
double ParseLength(const std::string& text, const std::string& what);
// The text without the blanks and tabs it begins or ends with.
std::string TrimmedBlanks(const std::string& text);
// The text with its ASCII letters in lower case (column names, kinds and ends are read in any case).
std::string LowerCase(std::string text);
// Refuses a text with a control character (a line break typed into an option, say).
void RequirePlainText(const std::string& text, const std::string& what);

// Runs a command and turns whatever it throws into its message and exit code, as text on
// standard error or, with `json`, as {"ok": false, "error": {...}} on standard output. Nothing
// ever leaves a command as an exception.
int RunReportingErrors(bool json, const std::function<int()>& command);
// Prints a command's JSON answer on standard output, indented; bytes that are not UTF-8 (a name
// some client set, a mark typed in another code page) are printed as U+FFFD rather than making
// the answer fail after its work is done.
void PrintJson(const nlohmann::ordered_json& json);
// Prints an error the way RunReportingErrors does.
void PrintError(bool json, const std::string& kind, const std::string& message, int number = 0);

}  // namespace zembrati::cli
