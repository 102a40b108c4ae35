#include "app/data_input.h"

#include <algorithm>
#include <string_view>

#include "app/data_menu.h"
#include "app/ggp_pair.h"
#include "app/main_program.h"
#include "app/plot_names.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/file_series.h"
#include "data/rdfile.h"
#include "data/units.h"

namespace datrax {

namespace {

constexpr std::string_view kLayout =
    " INPUT DATA FILE contents : ~,  ~  1. Title ~,  ~  2. Number of data points, Time interval ~,  ~  3. Data "
    "format, Data units, Time units~,  ~  4. Data |";

// " - Keep [y/n] --> " and its answer, kept in sight after a long name.
constexpr INTEGER kKeepQuestionWidth = 20;

// "Data File k : name - Keep [y/n] --> " on the message line.
bool keep_loaded_file(INTEGER k) {
    SHOWIN(0, -scr.MAXROW, "Data File |", k, scr.PRMCOL);
    const INTEGER n = LENTXT(dset.FNAME(k), -kNameLength);
    show_name(-1, 0, " : |", dset.FNAME(k).view(), n, scr.PRMCOL, kKeepQuestionWidth);
    ASKYN(-1, 0, " - Keep [y/n] --> |", mainv.keep, scr.PRMCOL);
    return mainv.keep;
}

// Asks for a name until it names an existing file; false when the user
// gives up (the slot's old name is put back).
bool ask_existing_name(INTEGER k) {
    const FileName saved = dset.FNAME(k);
    for (;;) {
        SHOWIN(0, -scr.MAXROW, "Data File |", k, scr.PRMCOL);
        ask_file_name(-1, 0, ": Enter Name --> |", dset.FNAME(k), kNameLength, scr.PRMCOL);
        INTEGER status = 0;
        FEXIST(dset.FNAME, k, status);
        if (status == 0) return true;
        if (status == 2) {
            dset.FNAME(k) = saved;
            return false;
        }
    }
}

void report_problems() { bottom_row_notice("Problems reading this file, return to Menu --> |", scr.PRMCOL); }

// Reads the slot's file and accepts its units; false when the dialogue must
// end through the failure exit.
bool read_slot(INTEGER k) {
    dset.DSLABL(k) = "Data";
    DEFPLT(dset.FNAME, k);
    draw_main_header();
    INTEGER status = 0;
    RDFILE(dset.FNAME, k, status);
    if (status == 1) report_problems();
    if (status != 0) return false;
    ++mainv.files_read;  // new data for the next time-series plot
    enter_ggp_pair();
    if (TUNITS() == 1) {
        report_problems();
        return false;
    }
    return true;
}

// A name given on the command line: taken when the file exists, else the
// user may retry with a typed name; false when they give up.
bool take_given_name(INTEGER k, std::string_view given) {
    dset.FNAME(k) = given;
    INTEGER status = 0;
    FEXIST(dset.FNAME, k, status);
    if (status == 0) return true;
    dset.FNAME(k) = "";
    return status == 1 && ask_existing_name(k);
}

void show_layout() {
    cblank(5, 14, 74, 20, gp.KS(1));
    MSGTXT(5, 14, kLayout, scr.MENUCL);
}

// Names and reads slot K: the GIVEN name, else the kept file or one the
// user types. False when the dialogue ends without the data menu; READ
// tells whether a file was read.
bool load_slot(INTEGER k, std::string_view given, bool& read) {
    sel.slot = k;
    if (given.empty()) {
        const bool offer_keep = !dset.FNAME(k).is_blank() && dset.DSLABL(k) == "Data";
        if (offer_keep && keep_loaded_file(k)) return true;
        if (!ask_existing_name(k)) return false;
    } else if (!take_given_name(k, given)) {
        return false;
    }
    read = true;
    if (read_slot(k)) return true;
    dset.FNAME(k) = "";  // the slot can no longer be kept
    return false;
}

// The data menu on the slot the dialogue ended on. Its plot names follow
// that slot unless nothing was read and the slot is the one shown before
// (the names may then be the user's own).
void open_data_menu(INTEGER slot_before, bool read) {
    if (read || sel.slot != slot_before) DEFPLT(dset.FNAME, sel.slot);
    DATAMN(dset.FNAME, gp.TMODE, gp.GMODE, mainv.new_data, sel.slot, gp.KS);
}

}  // namespace

void data_input_dialogue() {
    show_layout();
    const INTEGER slot_before = sel.slot;
    bool read = false;
    for (INTEGER k = 1;; ++k) {
        if (!load_slot(k, {}, read)) return;
        if (ggp_pair() || k >= sel.NDSETS) break;
    }
    open_data_menu(slot_before, read);
}

void open_data_files(std::span<const std::string> files) {
    if (files.empty()) return;
    show_layout();
    const INTEGER slot_before = sel.slot;
    bool read = false;
    set_ndsets(files.size() >= 2 ? 2 : 1);
    for (INTEGER k = 1; k <= static_cast<INTEGER>(std::min<size_t>(files.size(), 2)); ++k) {
        if (!load_slot(k, files[static_cast<size_t>(k - 1)], read)) return;
        if (!ggp_pair()) continue;
        if (k == 1 && files.size() >= 2)
            bottom_row_notice("The GGP file filled both data sets; not read: |", files[1], scr.PRMCOL);
        break;
    }
    open_data_menu(slot_before, read);
}

}  // namespace datrax
