#include "ui/ResultListPrinting.h"

#include <memory>

#include <wx/tokenzr.h>
#include <wx/translation.h>

#include "directory/CompanyAddress.h"
#include "directory/CompanyEntity.h"
#include "lib/gui/BKListCtrl.h"
#include "print/PrintPreviewDialog.h"
#include "print/ResultListPrintout.h"
#include "ui/LabelDialog.h"
#include "ui/ProgressGuard.h"

namespace {

// Fewer rows are measured before a progress window would have shown.
const size_t kRowsWithoutProgress = 500;

}  // namespace

ResultListPrinting::ResultListPrinting(wxWindow* parent, RuntimeInformationType* rit,
                                       Brenik::BKListCtrl* list)
    : parent(parent), rit(rit), list(list)
{
}

std::vector<int> ResultListPrinting::RowsToPrint() const
{
    std::vector<int> rows;
    if (!list)
        return rows;
    const bool selectedOnly = list->GetSelectedItemCount() > 1;
    for (int row = 0; row < list->GetItemCount(); ++row)
        if (!selectedOnly || list->IsRowSelected(row))
            rows.push_back(row);
    return rows;
}

ResultListPrintout* ResultListPrinting::CreateList(
    const wxString& search, const std::function<bool(size_t rows)>& progress) const
{
    const std::vector<int> rows = RowsToPrint();
    if (rows.empty())
        return nullptr;
    wxArrayString headings;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, heading);
        headings.Add(heading.GetText());
    }
    std::vector<wxArrayString> texts;
    texts.reserve(rows.size());
    for (int row : rows) {
        wxArrayString cells;
        for (size_t column = 0; column < headings.size(); ++column)
            cells.Add(list->GetText(row, static_cast<int>(column)));
        texts.push_back(std::move(cells));
    }
    const wxString title = _("Result list") + (search.empty() ? wxString() : ": " + search);
    return ResultListPrintout::Create(title, rit, headings, texts, search, progress);
}

void ResultListPrinting::PrintList(const wxString& search)
{
    if (!list)
        return;
    const size_t rows = RowsToPrint().size();
    std::unique_ptr<HtmlPrintoutLibrary> printout;
    if (rows <= kRowsWithoutProgress) {
        printout.reset(CreateList(search, [](size_t) { return true; }));
    } else {
        ProgressGuard progress(parent, rit);
        progress->SetCount(static_cast<unsigned int>(rows));
        printout.reset(CreateList(search, [&progress](size_t measured) {
            progress->SetLevel(static_cast<int>(measured));
            return !progress->IsCanceled();
        }));
    }
    if (printout)
        PrintPreviewDialog::PreviewOrPrint(parent, rit, printout.get(), true, wxLANDSCAPE);
}

void ResultListPrinting::PrintLabels()
{
    std::vector<const CompanyEntity*> companies;
    for (int row : RowsToPrint())
        if (auto* company = static_cast<const CompanyEntity*>(list->GetPointer(row, 0)))
            companies.push_back(company);
    if (companies.empty())
        return;
    {
        LabelDialog dialog(parent, -1, rit);
        if (dialog.ShowModal() != wxID_OK)
            return;
    }
    const LabelDialog::Choice& choice = LabelDialog::LastChoice();
    LabelSheetPrintout printout(_("Address labels"), rit, choice.Format(), choice.start,
                                Labels(companies, choice.attention));
    PrintPreviewDialog::PreviewOrPrint(parent, rit, &printout, true, wxPORTRAIT, wxPAPER_A4);
}

wxString ResultListPrinting::DescribeSearch(const wxString& text, const wxString& place,
                                            const wxArrayString& sectors)
{
    const auto joined = [](const wxArrayString& texts, const wxString& separator) {
        wxString all;
        for (const wxString& piece : texts)
            all += (all.empty() ? wxString() : separator) + piece;
        return all;
    };
    wxArrayString parts;
    if (!text.empty())
        parts.Add(wxString(wxUniChar(0x201E)) + text + wxUniChar(0x201C));
    if (!place.empty())
        parts.Add(_("place: ") + place);
    if (!sectors.empty())
        parts.Add(_("sectors: ") + joined(sectors, ", "));
    return parts.empty() ? _("all companies") : joined(parts, "; ");
}

std::vector<LabelSheetPrintout::Label> ResultListPrinting::Labels(
    const std::vector<const CompanyEntity*>& companies, bool attention)
{
    std::vector<LabelSheetPrintout::Label> labels;
    labels.reserve(companies.size());
    for (const CompanyEntity* company : companies) {
        const wxArrayString lines =
            wxStringTokenize(CompanyAddress::GetPostalBlock(*company, attention), "\n");
        labels.emplace_back(lines.begin(), lines.end());
    }
    return labels;
}
