// Fixed-column writing of one record from a format list and its values.
#pragma once
#include <span>
#include <string>

#include "records/format_list.h"
#include "records/record_fields.h"

namespace datrax {

// Builds the record into line (replacing its contents): Iw right-justified,
// Fw.d with d decimals right-justified, Lw as blanks and T or F, Aw
// right-justified (cut to w characters when longer), A the whole text, nX
// blanks. A number too wide for its field fills it with asterisks. Values
// beyond the list start a new line ("\n") at the reversion point. Writing
// stops after the last value. False for an unusable list, an E, D or G
// descriptor, or a value whose kind does not fit its descriptor.
bool write_fixed(const FormatList& fmt, std::span<const OutValue> values, std::string& line);

}  // namespace datrax
