#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/html/htmlcell.h>
#include <wx/html/htmlwin.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "app/Norvel.h"
#include "ui/AboutDialog.h"
#include "ui/UiTestSupport.h"

namespace {

// Where the link to the page of that name shows, in screen coordinates; (-1, -1) if nowhere.
wxPoint LinkPosition(wxHtmlWindow* html, const wxString& target)
{
    const wxHtmlContainerCell* page = html->GetInternalRepresentation();
    // (The toolkit spells its iterator so.)
    for (wxHtmlTerminalCellsInterator cell(page->GetFirstTerminal(), page->GetLastTerminal()); cell;
         ++cell) {
        wxHtmlLinkInfo* link = cell->GetLink();
        if (link && link->GetHref() == target) {
            wxPoint middle =
                cell->GetAbsPos() + wxPoint(cell->GetWidth() / 2, cell->GetHeight() / 2);
            return html->ClientToScreen(html->CalcScrolledPosition(middle));
        }
    }
    return wxPoint(-1, -1);
}

}  // namespace

TEST(AboutDialog, ShowsThePageAndOpensItsLinkInsideTheWindow)
{
    auto rit = Norvel::CreateRuntimeInformation("norvel");
    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    parent->Show();
    auto* dialog = new AboutDialog(parent, -1, rit.get());
    ASSERT_NE(dialog->GetHandle(), nullptr);
    auto* html = wxDynamicCast(dialog->FindWindow(XRCID("infoHtmlWindow")), wxHtmlWindow);
    ASSERT_NE(html, nullptr);
    EXPECT_TRUE(html->GetOpenedPage().EndsWith("informations/Information.html"));
    EXPECT_EQ(html->GetOpenedPageTitle(), wxString::FromUTF8("\xC3\x9C"
                                                             "ber norvel"));
    EXPECT_GE(html->GetSize().GetWidth(), 600);
    EXPECT_NE(dialog->FindWindow(wxID_OK), nullptr);  // the button that closes it

    // The user clicks the link to the second page.
    dialog->Move(0, 0);
    dialog->Show();
    dialog->Raise();
    Settle();
    const wxPoint link = LinkPosition(html, "Hilfe.html");
    ASSERT_NE(link, wxPoint(-1, -1));
    wxUIActionSimulator user;
    user.MouseMove(link);
    Settle();
    user.MouseClick();
    WaitFor("the help page", [html] { return html->GetOpenedPage().EndsWith("Hilfe.html"); });
    EXPECT_TRUE(html->GetOpenedPage().EndsWith("informations/Hilfe.html"));
    EXPECT_EQ(html->GetOpenedPageTitle(), "Hilfe zu norvel");
    // And the way back.
    EXPECT_NE(LinkPosition(html, "Information.html"), wxPoint(-1, -1));

    const wxString help = html->GetOpenedPage();
    // By keyboard: Tab leads from the page to the list of its links, the way back first, and
    // Enter there opens the one chosen, as the button beside it does.
    auto* links = wxDynamicCast(dialog->FindWindow(XRCID("linksListBox")), wxListBox);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(links->GetCount(), 7u);
    html->SetFocus();
    user.Char(WXK_TAB);
    WaitFor("the list of links", [&] { return wxWindow::FindFocus() == links; });
    user.Char(WXK_DOWN);
    user.Char(WXK_RETURN);
    WaitFor("the page on searching",
            [html] { return html->GetOpenedPage().EndsWith("Suchen.html"); });
    EXPECT_EQ(links->GetString(0), wxString::FromUTF8("« Inhalt der Hilfe"));

    // The guide's pages are there, each with its title and a link back to the contents.
    for (const char* page :
         {"Suchen.html", "Branchen.html", "Firmenfenster.html", "Drucken.html", "Export.html"}) {
        ASSERT_TRUE(html->LoadPage(help));
        Settle();
        EXPECT_NE(LinkPosition(html, page), wxPoint(-1, -1)) << page;
        ASSERT_TRUE(html->LoadPage(help.BeforeLast('/') + "/" + page));
        Settle();
        EXPECT_FALSE(html->GetOpenedPageTitle().empty()) << page;
        EXPECT_NE(LinkPosition(html, "Hilfe.html"), wxPoint(-1, -1)) << page;
    }
    DestroyNow(parent);
}

TEST(AboutDialog, MissingPageLeavesAnEmptyWindow)
{
    // Resources that hold the layout but not the page.
    TempDir dir;
    ASSERT_TRUE(wxFileName::Mkdir(dir.Path("gui")));
    ASSERT_TRUE(wxCopyFile("resources/gui/AboutDialog.xml", dir.Path("gui/AboutDialog.xml")));
    RuntimeInformationType rit("norvel", dir.Path(""), ".Norvel.conf", "", nullptr, false);

    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    AboutDialog* dialog = nullptr;
    {
        wxLogNull quiet;  // the toolkit says that the page is missing
        dialog = new AboutDialog(parent, -1, &rit);
    }
    ASSERT_NE(dialog->GetHandle(), nullptr);
    auto* html = wxDynamicCast(dialog->FindWindow(XRCID("infoHtmlWindow")), wxHtmlWindow);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->GetOpenedPage(), "");
    EXPECT_EQ(html->GetOpenedPageTitle(), "");
    DestroyNow(parent);
    // The registry would look for the file again at every later window.
    wxXmlResource::Get()->Unload(dir.Path("gui/AboutDialog.xml"));
}
