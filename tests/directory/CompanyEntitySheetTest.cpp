#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "directory/CompanyEntity.h"
#include "lib/core/BKDateTime.h"
#include "lib/template/BKTemplate.h"

namespace {

void SetField(CompanyEntity& company, const char* key, const char* utf8)
{
    auto* field = company.Get(wxString(key));
    ASSERT_NE(field, nullptr) << key;
    field->SetUtf8(utf8);
}

}  // namespace

TEST(CompanyEntitySheet, ContactBlockListsTheFilledLinesInOrder)
{
    CompanyEntity company(nullptr, true);
    EXPECT_EQ(company.GetContactBlock(), "Keine weiteren Kontaktdaten");

    SetField(company, "phone", "089 123456");
    EXPECT_EQ(company.GetContactBlock(), "Telefon: 089 123456");

    SetField(company, "imprintUrl", "https://example.org/impressum?a=1&b=2");
    SetField(company, "email", "info@example.org");
    SetField(company, "fax", "089\n123457");
    EXPECT_EQ(company.GetContactBlock(),
              "Telefon: 089 123456<br />Fax: 089<br />123457<br />E-Mail: info@example.org<br />"
              "Impressum-URL: https://example.org/impressum?a=1&amp;b=2");
}

TEST(CompanyEntitySheet, FurtherDataBlockFollowsYearParkingAndStaffRules)
{
    CompanyEntity company(nullptr, true);
    SetField(company, "startyear", "0");
    SetField(company, "parking", "false");
    EXPECT_EQ(company.GetMoreBlock(), "Keine weiteren Daten");

    SetField(company, "staff", "0");
    SetField(company, "startyear", "1987");
    SetField(company, "parking", "true");
    SetField(company, "keywords", "Brot <frisch>");
    SetField(company, "taxNumber", "143/123/45678");
    EXPECT_EQ(company.GetMoreBlock(), wxString::FromUTF8("Steuernummer: 143/123/45678<br />"
                                                         "Mitarbeiter: 0<br />"
                                                         "Gründungsjahr: 1987<br />"
                                                         "Parkplätze vorhanden: ja<br />"
                                                         "Schlüsselwörter: Brot &lt;frisch&gt;"));
    SetField(company, "startyear", "0");
    EXPECT_FALSE(company.GetMoreBlock().Contains(wxString::FromUTF8("Gründungsjahr")));
}

// Every field is there as it is stored and as HTML text; names with markup no longer break
// the sheet, and a value cannot pull another variable into the sheet.
TEST(CompanyEntitySheet, FieldsGoInRawAndAsEscapedHtml)
{
    CompanyEntity company(nullptr, false);
    SetField(company, "name", "Müller & Söhne <Bau> GmbH");
    SetField(company, "ceo", "Jörg \"Jo\" O'Neil {s:notes}");
    SetField(company, "description", "Erste Zeile\nZweite Zeile");
    // The HTML fields go in as HTML, but a placeholder written in their text or their tags
    // prints as written.
    SetField(company, "notes", "<a href=\"{s:more}\">geheim {i:time} {s:more}</a>");
    SetField(company, "openingHours", "{s:name}");
    SetField(company, "phone", "0228 1");

    Brenik::BKTemplate sheet;
    sheet.SetContent(
        "{s:name}|{s:name.html}|{s:ceo.html}|{s:description.html}|{s:notes}|{s:openingHours}|"
        "{s:sectors.html}|{s:contact}|{s:more}|{s:printDate}");
    company.SetSheetVariables(sheet);
    const wxString parsed = sheet.Parse();
    EXPECT_EQ(parsed,
              wxString::FromUTF8("Müller & Söhne <Bau> GmbH|"
                                 "Müller &amp; Söhne &lt;Bau&gt; GmbH|"
                                 "Jörg &quot;Jo&quot; O&#039;Neil &#123;s:notes}|"
                                 "Erste Zeile<br />Zweite Zeile|"
                                 "<a href=\"&#123;s:more}\">geheim &#123;i:time} &#123;s:more}</a>|"
                                 "&#123;s:name}||"
                                 "Telefon: 0228 1|Keine weiteren Daten|") +
                  Brenik::BKDateTime::Now().ToGermanDate());
}

// Megabytes in any field would keep the preview from ever appearing: every field reaches
// the sheet cut, and a cut text says so and where it stands whole (a 43,958-character note
// ended in a bare ellipsis).
TEST(CompanyEntitySheet, LongFieldsAreCutAndSaySo)
{
    const size_t limit = 20000;
    const wxString ellipsis = wxString::FromUTF8("\xE2\x80\xA6");
    CompanyEntity company(nullptr, true);
    const std::string huge(3 * limit, '7');
    for (const char* key : {"phone", "keywords", "memberships", "notes", "name", "description"})
        SetField(company, key, huge.c_str());
    SetField(company, "imprint", std::string(limit, '8').c_str());
    SetField(company, "id", "4711");
    EXPECT_LT(company.GetContactBlock().length(), limit + 20);
    EXPECT_LT(company.GetMoreBlock().length(), 2 * limit + 60);
    Brenik::BKTemplate sheet;
    sheet.SetContent("{s:notes}|{s:name}|{s:name.html}|{s:description.html}|{s:imprint}");
    company.SetSheetVariables(sheet, "https://verzeichnis.example/firma/");
    const wxString cut = wxString(limit, '7') + ellipsis;
    const wxString note =
        "<br><i>[Text gek&uuml;rzt &ndash; vollst&auml;ndig im "
        "Firmenverzeichnis, Eintrag Nr. 4711: "
        "https://verzeichnis.example/firma/4711]</i>";
    EXPECT_EQ(sheet.Parse(), wxString(limit, '7') + " " + ellipsis + note + "|" + cut + "|" + cut +
                                 "|" + cut + note + "|" + wxString(limit, '8'));
}

// A section's text stands right below its heading: breaks at its edges are left out, in one
// pass over the text, as "x<p> <p> ... y" took a regular expression 45 seconds.
TEST(CompanyEntitySheet, BreaksAtASectionsEdgesAreLeftOutInOnePass)
{
    std::string runs = "x";
    for (int i = 0; i < 4990; ++i)
        runs += "<p> ";
    runs += "y";
    const std::pair<std::string, const char*> rows[] = {
        {"<p>Text</p>", "Text"},
        {" <br><P align=\"center\">a</p><p>b</p> <br /> \n", "a</p><p>b"},
        {"<pre>x</pre>", "<pre>x</pre>"},
        {"x<br>", "x"},
        {runs, nullptr},
    };
    for (const auto& [notes, expected] : rows) {
        CompanyEntity company(nullptr, true);
        SetField(company, "notes", notes.c_str());
        Brenik::BKTemplate sheet;
        sheet.SetContent("{s:notes}");
        const auto start = std::chrono::steady_clock::now();
        company.SetSheetVariables(sheet);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
        const wxString section = sheet.Parse();
        if (expected)
            EXPECT_EQ(section, expected) << notes;
        else
            EXPECT_TRUE(section.StartsWith("x<p>") && section.EndsWith("y")) << section.Left(20);
    }
}
