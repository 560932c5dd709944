#include "ui/CsvExport.h"

#include <string>
#include <vector>

#include "directory/CompanyEntity.h"
#include "directory/CompanyWorkbook.h"
#include "directory/CsvConfigType.h"
#include "ui/ExportDialog.h"
#include "ui/ResultList.h"

bool CsvExport::Run(wxWindow* parent, RuntimeInformationType* rit, CsvConfigType& settings,
                    const ResultList& results, const ErrorBox& showError, long& written)
{
    written = -1;
    bool selectedOnly = false;
    {
        ExportDialog dialog(parent, -1, rit, &settings, results.GetSelectedCount());
        if (dialog.ShowModal() != wxID_OK)
            return false;
        selectedOnly = dialog.IsSelectedOnly();
    }
    const std::vector<const CompanyEntity*> companies = results.GetCompanies(selectedOnly);
    // A cancel keeps the rows written so far.
    RecordFileWriter writer(parent, rit, RecordFileWriter::OnCancel::kKeepWritten, showError);
    bool put = false;
    size_t count = 0;
    if (settings.IsWorkbook()) {
        // The workbook collects the rows and is made whole at the end.
        CompanyWorkbook workbook;
        put = writer.Write(
            settings.GetFilename(), std::string(), companies.size(),
            [&](size_t index, std::string&) { workbook.AppendCompany(*companies[index]); },
            [&](std::string& piece) { return workbook.Finish(piece); });
        count = workbook.GetCount();
    } else {
        // The settings in the file's encoding once.
        const CsvConfigType::Utf8 utf8 = settings.ToUtf8();
        std::string start = utf8.fileStart;
        CompanyEntity::AppendCsvHeader(utf8, start);
        put = writer.Write(settings.GetFilename(), start, companies.size(),
                           [&](size_t index, std::string& piece) {
                               companies[index]->AppendCsvContent(utf8, piece);
                               ++count;
                           });
    }
    if (put) {
        written = static_cast<long>(count);
        showError(_("Export finished"), _("The export is finished."));
    }
    return true;
}
