#include "app/ggp_pair.h"

#include "app/state.h"

namespace datrax {

bool ggp_pair() { return (dset.form(1) == FileFormat::Ggp && dset.form(2) == FileFormat::Ggp) || dset.list_pair; }

void enter_ggp_pair() {
    if (dset.IFORM != FileFormat::Ggp && !dset.list_pair) return;
    sel.NDSETS = 2;
    sel.STYLE = 2;
}

void leave_ggp_pair() {
    if (!ggp_pair()) return;
    sel.NDSETS = 1;
    keep_selection_in_step();
}

}  // namespace datrax
