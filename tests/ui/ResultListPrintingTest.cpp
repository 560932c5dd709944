#include <memory>

#include <wx/generic/printps.h>
#include <wx/generic/prntdlgg.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

#include "print/HtmlPrintoutLibrary.h"
#include "print/PrintPreviewDialog.h"
#include "print/PrintSetup.h"
#include "ui/LabelDialog.h"
#include "ui/MainCommands.h"
#include "ui/MainWindowFixture.h"

namespace {

// Closes the preview after noting the title of the printout it shows and its paper.
class ReadPreview : public wxExpectModalBase<PrintPreviewDialog, ReadPreview> {
protected:
    int OnInvoked(PrintPreviewDialog* dialog) const override
    {
        title = dialog->GetPreview()->GetPrintout()->GetTitle();
        const wxPrintData& data = dialog->GetPreview()->GetPrintDialogData().GetPrintData();
        paper = data.GetPaperId();
        orientation = data.GetOrientation();
        return wxID_CANCEL;
    }

public:
    mutable wxString title;
    mutable wxPaperSize paper = wxPAPER_NONE;
    mutable int orientation = 0;
};

TestCompany Builder(unsigned int id, const char* name)
{
    TestCompany company;
    company.id = id;
    company.name = name;
    company.city = "Bonn";
    return company;
}

}  // namespace

// Once a search has found companies, the list and the labels are printed from the File menu,
// the tool bar and the context menu through the preview; the list's names the search.
TEST_F(MainWindow, ResultListAndLabelsArePrintedAfterASearch)
{
    Open({{1, "Bauunternehmen"}}, {Builder(1, "Bau Eins"), Builder(2, "Bau Zwei")});
    EXPECT_FALSE(MenuEnabled("printListMenuItem"));
    EXPECT_FALSE(ToolEnabled("printLabelsTool"));
    SearchFor("Bau");
    EXPECT_TRUE(MenuEnabled("printListMenuItem") && MenuEnabled("printLabelsMenuItem"));
    EXPECT_TRUE(ToolEnabled("printListTool") && ToolEnabled("printLabelsTool"));
    std::unique_ptr<wxMenu> context(frame->CreateResultsMenu());
    EXPECT_NE(context->FindItem(MainCommands::kPrintList), nullptr);
    EXPECT_NE(context->FindItem(MainCommands::kPrintLabels), nullptr);

    // The last print was an A5 sheet in portrait: the wide list is proposed in landscape on
    // it, the labels on the A4 sheets they come on.
    PrintSetup::Get().SetPrinterFactory([this](wxPrintDialogData* data) {
        data->GetPrintData().SetPrintMode(wxPRINT_MODE_FILE);
        data->GetPrintData().SetFilename(dir.Path("sheet.ps"));
        data->GetPrintData().SetPaperId(wxPAPER_A5);
        return std::make_unique<wxPostScriptPrinter>(data);
    });
    HtmlPrintoutLibrary sheet("Bau Eins", rit.get());
    sheet.SetWithContainer("Bau Eins");
    wxTEST_DIALOG(EXPECT_TRUE(PrintSetup::Get().Print(nullptr, &sheet, wxPrintData())),
                  wxExpectDismissableModal<wxGenericPrintDialog>(wxID_OK));
    ASSERT_EQ(PrintSetup::Get().GetPrintData().GetPaperId(), wxPAPER_A5);

    ReadPreview list;
    wxTEST_DIALOG(SendMenu(XRCID("printListTool")), list);
    EXPECT_EQ(list.title, wxString::FromUTF8("Result list: „Bau“"));
    EXPECT_EQ(list.paper, wxPAPER_A5);
    EXPECT_EQ(list.orientation, wxLANDSCAPE);

    ReadPreview labels;
    wxTEST_DIALOG(SendMenu(MainCommands::kPrintLabels),
                  wxExpectDismissableModal<LabelDialog>(wxID_OK), labels);
    EXPECT_EQ(labels.title, "Address labels");
    EXPECT_EQ(labels.paper, wxPAPER_A4);
    EXPECT_EQ(labels.orientation, wxPORTRAIT);
}
