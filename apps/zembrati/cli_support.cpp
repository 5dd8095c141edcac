#include "cli_support.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <new>
#include <nlohmann/json.hpp>

#include "runtime/runtime_error.h"

namespace zembrati::cli {

void RequirePlainText(const std::string& text, const std::string& what) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      throw UsageError(what + " holds a control character (a line break or tab); give it on one line");
    }
  }
}

std::string TrimmedBlanks(const std::string& text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t first = 0, last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string LowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

double ParseNumber(const std::string& text, const std::string& what) {
  RequirePlainText(text, what);
  double value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (!text.empty() && text.front() == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc{} || end != last || !std::isfinite(value)) {
    throw UsageError(what + ": \"" + text + "\" is not a number (use \".\" for decimals)");
  }
  return value;
}

double ParseLength(const std::string& text, const std::string& what) {
  const double length = ParseNumber(text, what);
  if (!(length > 0) || length > kMaxLengthMm) {
    throw UsageError(what + ": " + text + " mm is not a length; give one greater than 0 and at most 1000000 mm");
  }
  return length;
}

std::vector<double> ParseNumberList(const std::string& text, const std::string& what) {
  std::vector<double> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    numbers.push_back(ParseNumber(text.substr(start, comma - start), what));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return numbers;
}

void PrintJson(const nlohmann::ordered_json& json) {
  std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void PrintError(bool json, const std::string& kind, const std::string& message, int number) {
  if (json) {
    nlohmann::ordered_json error = {{"kind", kind}, {"message", message}};
    if (number != 0) error["number"] = number;
    PrintJson({{"ok", false}, {"error", error}});
    return;
  }
  std::cerr << "zembrati: " << (number != 0 ? "error " + std::to_string(number) + ": " : std::string()) << message
            << (kind == "usage" ? "\nRun with --help for usage." : "") << "\n";
}

int RunReportingErrors(bool json, const std::function<int()>& command) {
  try {
    return command();
  } catch (const UsageError& error) {
    PrintError(json, "usage", error.what());
    return kExitUsage;
  } catch (const CommandFailure& error) {
    PrintError(json, "failure", error.what());
  } catch (const runtime::RuntimeError& error) {
    PrintError(json, "failure", error.description(), error.number());
  } catch (const std::bad_alloc&) {
    PrintError(json, "failure", "out of memory", runtime::error::kOutOfMemory);
  } catch (const std::exception& error) {
    PrintError(json, "internal", std::string("internal error: ") + error.what());
  } catch (...) {
    PrintError(json, "internal", "internal error");
  }
  return kExitSystemError;
}

}  // namespace zembrati::cli
