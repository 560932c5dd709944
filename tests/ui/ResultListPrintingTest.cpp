#include <memory>

#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

#include "print/PrintPreviewDialog.h"
#include "ui/LabelDialog.h"
#include "ui/MainCommands.h"
#include "ui/MainWindowFixture.h"

namespace {

// Closes the preview after noting the title of the printout it shows.
class ReadPreview : public wxExpectModalBase<PrintPreviewDialog, ReadPreview> {
protected:
    int OnInvoked(PrintPreviewDialog* dialog) const override
    {
        title = dialog->GetPreview()->GetPrintout()->GetTitle();
        return wxID_CANCEL;
    }

public:
    mutable wxString title;
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
    std::unique_ptr<wxMenu> context(MainCommands::CreateContextMenu(true));
    EXPECT_NE(context->FindItem(MainCommands::kPrintList), nullptr);
    EXPECT_NE(context->FindItem(MainCommands::kPrintLabels), nullptr);

    ReadPreview list;
    wxTEST_DIALOG(SendMenu(XRCID("printListTool")), list);
    EXPECT_EQ(list.title, wxString::FromUTF8("Result list: „Bau“"));

    ReadPreview labels;
    wxTEST_DIALOG(SendMenu(MainCommands::kPrintLabels),
                  wxExpectDismissableModal<LabelDialog>(wxID_OK), labels);
    EXPECT_EQ(labels.title, "Address labels");
}
