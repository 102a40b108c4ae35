#include "app/menu_fields.h"

#include "console/console.h"
#include "console/prompts.h"

namespace datrax {

namespace {

INTEGER value_row() { return scr.MAXROW - 1; }
INTEGER question_row() { return scr.MAXROW; }

// The first item of a row blanks the row from its column (negative Y).
INTEGER row_for(INTEGER row, bool first) { return first ? -row : row; }

template <typename... Ts>
struct Overload : Ts... {
    using Ts::operator()...;
};
template <typename... Ts>
Overload(Ts...) -> Overload<Ts...>;

}  // namespace

void list_fields(std::initializer_list<MenuField> fields) {
    bool first = true;
    for (const MenuField& f : fields) {
        const INTEGER y = row_for(value_row(), first);
        std::visit(Overload{
                       [&](INTEGER* v) { SHOWIN(f.column, y, f.label, *v, scr.VALCOL); },
                       [&](REAL* v) { SHOWRL(f.column, y, f.label, *v, f.ndec, scr.VALCOL); },
                       [&](LOGICAL* v) { SHOWLG(f.column, y, f.label, *v, scr.VALCOL); },
                   },
                   f.value);
        first = false;
    }
}

void ask_fields(std::initializer_list<MenuField> fields) {
    bool first = true;
    for (const MenuField& f : fields) {
        const INTEGER y = row_for(question_row(), first);
        std::visit(Overload{
                       [&](INTEGER* v) { ASKINT(f.column, y, f.question, *v, scr.PRMCOL); },
                       [&](REAL* v) { ASKRL(f.column, y, f.question, *v, f.ndec, scr.PRMCOL); },
                       [&](LOGICAL* v) { ASKLG(f.column, y, f.question, *v, scr.PRMCOL); },
                   },
                   f.value);
        first = false;
    }
}

void edit_fields(std::initializer_list<MenuField> fields) {
    list_fields(fields);
    ask_fields(fields);
}

void edit_title(std::string_view label, std::string_view question, TextRef text, INTEGER& length) {
    SHOWTX(0, -value_row(), label, text.view(), length, scr.VALCOL);
    ASKTXT(0, -question_row(), question, text, text.n, scr.PRMCOL);
    length = LENTXT(text, -text.n);
}

void explain(std::string_view text, INTEGER first_row, INTEGER last_row, INTEGER text_row, INTEGER box_colour) {
    cblank(5, first_row, 74, last_row, box_colour);
    MSGTXT(5, text_row, text, scr.MENUCL);
}

}  // namespace datrax
