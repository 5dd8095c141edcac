#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "automation/variant.h"

namespace zembrati::host {

// The one record through which all modules share the current edit session. It starts zeroed
// (numbers 0, texts empty, objects Nothing) and is never cleared: each session overwrites the
// fields it uses, and a field a session leaves alone keeps the previous session's value.
struct SessionState {
  // The section dimension array: the selected size's values. Element 1 is always the length
  // from the dialog; for type codes 7 to 10 element 2 is the chosen thickness.
  static constexpr std::size_t kDimsCount = 21;

  automation::ObjectRef DropPlacement;  // placement object for the next part
  std::int16_t TypeCode = 0;            // section type code 1..12; 0 until a type is chosen
  bool EditMode = false;                // True while an existing part is edited
  automation::ObjectRef EditedPart;     // the part being edited; Nothing outside an edit
  std::int16_t NormTab = 0;             // selected standards family (tab), from 0
  std::string SizePartNumber;           // part number text of the selected size
  std::array<double, kDimsCount> Dims{};

  // The stored fields, read back together from an edited part.
  std::int16_t StoredTab = 0;
  std::int16_t StoredType = 0;
  double StoredLength = 0.0;
  std::string StoredNorm;
  std::string StoredCode;
  std::string StoredMaterial;

  automation::ObjectRef ScenePage;    // the page the session works in
  automation::ObjectRef ParentShape;  // handed to Create as its parent

  std::string NormeDir;   // folder of the current standards family
  std::string DataDir;    // folder of its size table and materials files
  std::string IniFile;    // file name of the standards index file
  std::string PrefsFile;  // full path of the preferences file
  std::int16_t LangBase = 0;  // string-table base of the interface language: 1000, 2000, 3000
};

// The session state of the calling thread. The host calls the system on its user-interface
// thread only; another thread would see its own zeroed record.
SessionState& Session();

}  // namespace zembrati::host
