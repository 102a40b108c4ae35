// Listing and asking menu values: current values on the value row (the row
// above the bottom row), questions on the bottom row, each row blanked from
// its first item's column.
#pragma once
#include <initializer_list>
#include <string_view>
#include <variant>

#include "app/state.h"

namespace datrax {

struct MenuField {
    std::string_view label;     // lists the current value ("NTX  = |")
    std::string_view question;  // asks for the new value ("NTX  ->|")
    INTEGER column;             // X of both; -1 continues behind the previous item
    std::variant<INTEGER*, REAL*, LOGICAL*> value;
    INTEGER ndec = 0;  // decimals of a REAL
};

void list_fields(std::initializer_list<MenuField> fields);
void ask_fields(std::initializer_list<MenuField> fields);
// Lists, then asks, one row of fields.
void edit_fields(std::initializer_list<MenuField> fields);

// A text field: listed with its stored length, asked with up to its full
// length, then left-justified and measured again.
void edit_title(std::string_view label, std::string_view question, TextRef text, INTEGER& length);

// Blanks the explanation box (columns 5 to 74) in the menu colour and
// writes the explanation from column 5.
void explain(std::string_view text, INTEGER first_row, INTEGER last_row, INTEGER text_row, INTEGER box_colour);

}  // namespace datrax
