// The main window's result list: its thirteen headed columns and the row of texts each found
// company gets. Plain code without a window; the rows are handed to the caller.
#pragma once

#include <wx/string.h>

#include "lib/entity/BKEntity.h"
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
    Brenik::BKListCtrl::BKListCtrlRow* Build(CompanyEntity* company);

private:
    // Where a field was found in the last record, checked first by the identity of its
    // shared attribute record: the records of one search are made alike, and one comparison
    // is cheaper than a search through forty keys.
    struct Slot {
        const char* key;
        unsigned int index = 0;
        const void* attributes = nullptr;
        explicit Slot(const char* key) : key(key) {}
    };

    static Brenik::BKEntity::BKEntityType* Field(CompanyEntity* company, Slot& slot);
    static void SetText(wxString& target, CompanyEntity* company, Slot& slot);
    void SetAddress(wxString& target, CompanyEntity* company);
    // A time stamp shown as a German date (day.month.year); empty when it does not read.
    static void SetDate(wxString& target, CompanyEntity* company, Slot& slot);

    Slot sectors{"sectors"}, name{"name"}, ceo{"ceo"}, address{"address"},
        housenumber{"housenumber"}, zipcode{"zipcode"}, city{"city"}, phone{"phone"}, fax{"fax"},
        mobile{"mobile"}, internet{"internet"}, email{"email"}, created{"created"},
        updated{"updated"};
};
