// The main window's result list: its thirteen headed columns and the row of texts each found
// company gets. Plain code without a window; the rows are handed to the caller.
#pragma once

#include <wx/string.h>

#include "lib/gui/BKListCtrl.h"

class CompanyEntity;

class ResultRows {
public:
    // Inserts the thirteen columns with their translated headings and widths.
    static void InsertColumns(wxListCtrl& list);

    // A new row (the caller owns it) whose pointer is the company and whose thirteen texts
    // are, in column order: sectors, name, managing director, street with house number,
    // postcode, city, phone, fax, mobile, web site, e-mail, and the created and updated time
    // stamps as German dates.
    static Brenik::BKListCtrl::BKListCtrlRow* Build(CompanyEntity* company);
};
