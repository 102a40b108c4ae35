// File selection: whether a slot's file exists, and stepping a slot to the
// next or previous file of a dated series.
#pragma once
#include "app/state.h"

namespace datrax {

// STATUS = 0 when FNAME(K) exists; otherwise asks whether to retry:
// 1 for yes (the caller asks for another name), 2 for no.
void FEXIST(const Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS);

// Steps FNAME(K) to the next file (DIR "n") or the previous one (any other
// character) by the date in its base name: yyddd in positions 2-6 when the
// slot holds a DATRA or VELK file, yymmdd in positions 3-8 for GGP files
// and lists (the slot's own format, form(K)). Reads the new file when it
// exists. A file that is missing or refused leaves the slots and plot names
// as they were, while the next step goes on from the name stepped to.
// STATUS: 1 when it does not exist or was not read, else the reader's status.
void NEWFIL(const char& DIR, Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS);

// The date step alone: the name with its date digits stepped by the rule
// that IFORM selects (used by NEWFIL; the name is already left-adjusted).
FileName stepped_name(const FileName& name, INTEGER iform, bool next);

}  // namespace datrax
