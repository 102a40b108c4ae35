// Table files written beside a data file (histogram and spectrum tables):
// the overwrite and new-name dialogue, and the writing itself.
#pragma once
#include <string>
#include <string_view>

#include "app/state.h"

namespace datrax {

// Asks on the bottom row until NAME does not exist or overwriting it is
// accepted; PROMPT asks for another name (Tab completes it). Every file the
// program writes beside a data file asks so.
void choose_table_name(TextRef NAME, std::string_view PROMPT);

// Writes TEXT as the file NAME (replacing it whole); a message and a key
// when it cannot be written.
// The data file's name as a table's record holds it: whole, blank-padded to
// at least the 40 characters that record always had.
std::string name_in_table(const FileName& NAME);
void write_table(const FileName& NAME, const std::string& TEXT);

}  // namespace datrax
