#pragma once

#include <string>

#include "automation/variant.h"

namespace zembrati::parts {

// Before the host regenerates a part whose length may have changed there: the length is cut to
// a whole number and written back, the name is rebuilt from the stored template with that length
// (keeping the user's suffix), and the length property and description follow. A shape that is
// not one of the system's parts is left alone; a template without "@" changes nothing. Name, data
// and length change together: when the host fails one of the changes, those already made are
// put back and the error goes on to the caller.
void RegeneratePart(const automation::ObjectRef& shape);

// Rewrites the length property (found by its label in the current language) and the
// description. A part whose item has no property collection (the host answers Nothing or an
// error) keeps its description too; a failure while rewriting puts back what was rewritten and
// goes on to the caller.
void UpdatePartData(const automation::ObjectRef& shape, double length, const std::string& partName);

}  // namespace zembrati::parts
