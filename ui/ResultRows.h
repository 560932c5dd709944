// The main window's result list: its thirteen headed columns and the row of texts each found
// company gets.
#pragma once

#include <wx/string.h>

#include "lib/gui/BKListCtrl.h"

class CompanyEntity;

class ResultRows {
public:
    // Inserts the thirteen columns with their translated headings and widths.
    static void InsertColumns(wxListCtrl& list);

    // Appends the company's row to the list, which takes the company over: its thirteen texts
    // are, in column order, sectors, name, managing director, street with house number,
    // postcode, city, phone, fax, mobile, web site, e-mail, and the created and updated time
    // stamps as German dates. False, with the company not taken, when the list lacks the
    // columns.
    static bool Append(Brenik::BKListCtrl& list, CompanyEntity* company);
};
