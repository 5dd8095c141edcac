#pragma once

#include <cstdint>
#include <string>

namespace zembrati::catalogue {

// The words a reader's messages use.
struct ReaderTexts {
  const char* head;      // "Error Reading File INI"
  const char* notFound;  // "File INI not found"
  const char* tail1;     // "in QNorma"
  const char* tail2;     // "In QNorma"
};

inline constexpr ReaderTexts kQNormaTexts{"Error Reading File INI", "File INI not found", "in QNorma", "In QNorma"};
inline constexpr ReaderTexts kQDataTexts{"Error Reading File", "File not found", "in QData", "In QData"};
inline constexpr ReaderTexts kQMisuraTexts{"Error Reading File INI", "File INI not found", "in QMisura",
                                           "In QMisura"};
inline constexpr ReaderTexts kQSpessoriTexts{"Error Reading File INI", "File INI not found", "in QSpessori",
                                             "In QSpessori"};
inline constexpr ReaderTexts kQDesignazioneTexts{"Error Reading File INI", "File INI not found",
                                                 "in QDesignazione", "In QDesignazione"};

// The message text for runtime error `number` met while reading `path`:
//   62: "Error Reading " + path + CR + tail 1
//   53: head + CR LF CR LF + path + CR LF CR LF + not-found text + CR + tail 2
//   any other: "Error " + number text + " " + description + CR LF + tail 1
// where the number text has a blank before a non-negative number.
std::string ReaderMessageText(std::int32_t number, const ReaderTexts& texts, const std::string& path);

// Shows that message: OK button, the application's title, the exclamation icon for a missing
// file and the stop sign for everything else.
void ShowReaderError(std::int32_t number, const ReaderTexts& texts, const std::string& path);

}  // namespace zembrati::catalogue
