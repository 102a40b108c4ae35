// Keyboard prompts: one-key answers, numbers and texts, read key by key and
// echoed by the routines themselves. Enter alone keeps the old value.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "base/types.h"

namespace datrax {

void GETKEY(INTEGER& CH);
void WAITKY();
void ASKYN(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, LOGICAL& FLAG, const INTEGER& C);
void ASKLG(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, LOGICAL& FLAG, const INTEGER& C);
void ASKINT(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, INTEGER& IVAL, const INTEGER& C);
void ASKRL(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, REAL& RVAL, const INTEGER& NDEC,
           const INTEGER& C);
void ASKTXT(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, TextRef ANSWER, const INTEGER& MAXCH,
            const INTEGER& C);
// ASKTXT for a file's name: Tab completes the typed text from the names of
// the files in the working folder (or the folder typed before the last
// "/"); a second Tab lists the matches on the row above. ASKTXT itself
// ignores Tab.
void ask_file_name(const INTEGER& X, const INTEGER& Y, std::string_view PROMPT, TextRef ANSWER, const INTEGER& MAXCH,
                   const INTEGER& C);
// The row of matches a second Tab shows: as many names as WIDTH columns hold
// (each followed by two blanks), then "... (N more)" for the rest; "|" and
// control characters in a name are shown as "?".
std::string match_list_row(const std::vector<std::string>& matches, size_t width);
INTEGER RDINT(INTEGER& COUNT, const INTEGER& C);
REAL RDREAL(INTEGER& COUNT, const INTEGER& C);
void NUMKEY(const INTEGER& CH, LOGICAL& VALID);

}  // namespace datrax
