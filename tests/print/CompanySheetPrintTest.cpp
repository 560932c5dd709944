#include <gtest/gtest.h>

#include <memory>

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/regex.h>
#include <wx/xrc/xmlres.h>

#include "GuiTestSupport.h"
#include "PrintTestSupport.h"
#include "app/Norvel.h"
#include "directory/CompanyEntity.h"
#include "lib/gui/BKListCtrl.h"
#include "print/Base64Library.h"
#include "print/HtmlPrintoutLibrary.h"
#include "ui/NorvelFrame.h"
#include "ui/UiTestSupport.h"

namespace {

TestCompany SpecialCompany()
{
    TestCompany c;
    c.id = 5;
    c.name = "Müller & Söhne <Bau> GmbH";
    c.ceo = "Jörg Müller";
    c.address = "Gartenstraße";
    c.housenumber = "3";
    c.zipcode = "53111";
    c.city = "Bonn";
    c.phone = "0228 4711";
    c.created = "2020-01-02 03:04:05";
    c.updated = "2021-02-03 04:05:06";
    return c;
}

// The main window on a one-company directory, printing PostScript into a scratch file.
class SheetPrinting : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wxFileName::Mkdir(dir.Path("home"), wxS_DIR_DEFAULT, 0));
        home = std::make_unique<ScopedHome>(dir.Path("home"));
        ASSERT_TRUE(
            WriteDirectory(dir.Path("norvel.sqlite"), {{1, "Bauunternehmen"}}, {SpecialCompany()}));
        rit = OpenRuntime(dir.Path("norvel.sqlite"));
        ASSERT_NE(rit, nullptr);
        rit->SetPrinterFactory(PostScriptTo(dir.Path("sheet.ps")));
    }

    void TearDown() override
    {
        if (frame)
            DestroyNow(frame);
        rit.reset();
        home.reset();
    }

    TempDir dir;
    std::unique_ptr<ScopedHome> home;
    std::unique_ptr<RuntimeInformationType> rit;
    NorvelFrame* frame = nullptr;
};

// Without its white space: the PostScript printer measures text with approximate font
// metrics, so the extracted text may lose or gain a blank between words.
wxString Squeezed(wxString text)
{
    for (const char* blank : {" ", "\n", "\t"})
        text.Replace(blank, "");
    return text;
}

}  // namespace

TEST_F(SheetPrinting, PrintCommandPrintsTheSelectedCompanysSheet)
{
    Deadline limit(std::chrono::seconds(120));
    frame = new NorvelFrame(rit.get());
    frame->Show();
    frame->Search();
    Settle();
    ASSERT_NE(frame->GetSelectedCompany(), nullptr);
    ASSERT_TRUE(frame->GetMenuBar()->IsEnabled(XRCID("printCompanyMenuItem")));

    wxCommandEvent print(wxEVT_MENU, XRCID("printCompanyMenuItem"));
    {
        ScopedLatin1Text latin1;
        ASSERT_TRUE(latin1.IsAvailable());
        wxTEST_DIALOG(frame->GetEventHandler()->ProcessEvent(print), ExpectPrintDialog(wxID_OK));
    }

    int pages = 0;
    const wxString text = Squeezed(wxString::FromUTF8(PrintedText(dir.Path("sheet.ps"), &pages)));
    EXPECT_EQ(pages, 1);
    // The name with its markup characters as the user wrote it, and the German labels.
    for (const char* expected :
         {"Müller&Söhne<Bau>GmbH", "Telefon:02284711", "GESCHÄFTSFÜHRUNG", "JörgMüller",
          "Gartenstraße3", "Parkplätzevorhanden:ja", "Seite1von1"})
        EXPECT_TRUE(text.Contains(wxString::FromUTF8(expected))) << expected << "\n" << text;

    // A cancelled print dialog prints nothing.
    ASSERT_TRUE(wxRemoveFile(dir.Path("sheet.ps")));
    wxTEST_DIALOG(frame->GetEventHandler()->ProcessEvent(print), ExpectPrintDialog(wxID_CANCEL));
    EXPECT_FALSE(wxFileName::FileExists(dir.Path("sheet.ps")));
}

TEST_F(SheetPrinting, LongSheetRunsOverSeveralNumberedPages)
{
    Deadline limit(std::chrono::seconds(120));
    CompanyEntity company(nullptr, true);
    company.Get(wxString("name"))->SetUtf8("Lange Notizen GmbH");
    std::string notes;
    for (int paragraph = 1; paragraph <= 120; ++paragraph)
        notes += "<p>Absatz " + std::to_string(paragraph) + ": Eine Zeile Notizen.</p>";
    notes += "<p>Ende der Notizen</p>";
    company.Get(wxString("notes"))->SetUtf8(notes);

    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(rit.get()));
    wxTEST_DIALOG(EXPECT_TRUE(rit->Print(nullptr, printout.get(), wxPrintData())),
                  ExpectPrintDialog(wxID_OK));
    int pages = 0;
    const std::string text = PrintedText(dir.Path("sheet.ps"), &pages);
    EXPECT_GT(pages, 1);
    // Each page carries its number; the last one the end of the notes.
    for (int page = 1; page <= pages; ++page)
        EXPECT_NE(text.find("Seite " + std::to_string(page) + " von " + std::to_string(pages)),
                  std::string::npos)
            << page;
    EXPECT_NE(text.find("Ende der Notizen"), std::string::npos);
}

TEST(CompanySheet, WithoutItsTemplateTheSheetIsEmptyButTitled)
{
    TempDir resources;
    RuntimeInformationType rit("norvel", resources.Path(), ".Norvel.conf", "", nullptr, false);
    CompanyEntity company(nullptr, true);
    company.Get(wxString("name"))->SetUtf8("Ohne Vorlage GmbH");
    wxLogNull missingTemplateIsLogged;
    std::unique_ptr<HtmlPrintoutLibrary> printout(company.Print(&rit));
    ASSERT_NE(printout, nullptr);
    EXPECT_EQ(printout->GetTitle(), "Ohne Vorlage GmbH");
    EXPECT_EQ(printout->GetContent(), "");
}

// The logo reaches the sheet through the in-memory file system, under a name of each
// printout's own, and leaves it with the last printout that shows it.
TEST(CompanySheet, LogoStaysInMemoryWhileAPrintoutShowsIt)
{
    std::unique_ptr<RuntimeInformationType> rit = Norvel::CreateRuntimeInformation("norvel");
    wxImage image(40, 20);
    wxMemoryOutputStream png;
    ASSERT_TRUE(image.SaveFile(png, wxBITMAP_TYPE_PNG));
    std::string bytes(png.GetLength(), '\0');
    png.CopyTo(bytes.data(), bytes.size());
    CompanyEntity company(nullptr, true);
    company.Get(wxString("logo"))
        ->SetUtf8(Base64Library().wxBase64Encode(bytes.data(), bytes.size()).utf8_string());

    auto location = [](const HtmlPrintoutLibrary& printout) {
        wxRegEx source("<img src=\"(memory:[^\"]+)\" width=\"40\" height=\"20\">");
        return source.Matches(printout.GetContent()) ? source.GetMatch(printout.GetContent(), 1)
                                                     : wxString();
    };
    auto stored = [](const wxString& where) {
        wxLogNull missingFileIsLogged;
        return std::unique_ptr<wxFSFile>(wxFileSystem().OpenFile(where)) != nullptr;
    };
    std::unique_ptr<HtmlPrintoutLibrary> first(company.Print(rit.get()));
    std::unique_ptr<HtmlPrintoutLibrary> second(company.Print(rit.get()));
    const wxString where = location(*first);
    ASSERT_FALSE(where.empty()) << first->GetContent();
    EXPECT_NE(location(*second), where);
    std::unique_ptr<HtmlPrintoutLibrary> copy(first->Copy());
    first.reset();
    EXPECT_TRUE(stored(where));
    copy.reset();
    EXPECT_FALSE(stored(where));
    EXPECT_TRUE(stored(location(*second)));

    // A logo that fails the checks shows nothing.
    company.Get(wxString("logo"))->SetUtf8("AAAA");
    std::unique_ptr<HtmlPrintoutLibrary> without(company.Print(rit.get()));
    EXPECT_FALSE(without->GetContent().Contains("<img"));
}
