#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/list_control.h"

// The five readers of the catalogue files. Each opens its file, reads it forward from the first
// line and closes it before returning; nothing is kept between calls. A reader traps every
// runtime error inside itself: it closes its file, shows one message box saying what went wrong
// in which file, and returns normally, leaving what it had done so far in place.
namespace zembrati::catalogue {

// Fills `standards` with the standards of the section type `typeCode` listed in the standards
// index file; each entry's item data is its line number (from 1). Returns 0, or the number of the
// runtime error that stopped it.
std::int16_t QNorma(const std::string& indexPath, std::int16_t typeCode, ui::ListControl& standards);

// For the standard on line `lineNumber` of the index file: shows its description in `description`,
// fills `sizes` from its size table file (item data: the line's index from 0; tag: the file's
// path) and `materials` from its materials file (tag: that file's path). `indexPath` is the
// caller's work variable: the reader leaves in it the name of the file it read last.
void QData(std::string& indexPath, const std::string& dataDir, std::int16_t lineNumber,
           ui::ListControl& sizes, ui::Label& description, ui::ListControl& materials);

// Loads the selected size into the section dimension array and its part number text. False when
// the size's line could not be read (the error has been shown).
bool QMisura(const ui::ListControl& sizes, std::array<double, 21>& dims, std::string& partNumber);

// Fills `thicknesses` with the thickness group the selected size refers to ("@n" on its line),
// found below the size line.
void QSpessori(const ui::ListControl& sizes, ui::ListControl& thicknesses);

// The name format and designation text of the standard on line `lineNumber` of the index file.
void QDesignazione(const std::string& indexPath, std::int16_t lineNumber, std::string& nameFormat,
                   std::string& designation);

}  // namespace zembrati::catalogue
