#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <wx/image.h>

#include "TestSupport.h"
#include "directory/CompanyEntity.h"
#include "directory/CompanyLinks.h"
#include "directory/CompanyVCard.h"
#include "lib/core/BKCasts.h"
#include "print/Base64Library.h"

namespace {

constexpr size_t kStandardLineOctets = 75;  // the vCard standard's longest line, line end aside

// The fields of a company record, in UTF-8.
struct Fields {
    std::vector<std::pair<const char*, std::string>> values;
    std::string Get(const char* key) const
    {
        for (const auto& [name, value] : values)
            if (std::string(name) == key)
                return value;
        return std::string();
    }
};

std::unique_ptr<CompanyEntity> Record(const Fields& fields)
{
    auto company = std::make_unique<CompanyEntity>(nullptr, true);
    for (const auto& [key, value] : fields.values)
        company->Get(key)->SetUtf8(value);
    return company;
}

std::string Card(const Fields& fields)
{
    std::string bytes;
    CompanyVCard::AppendCard(*Record(fields), bytes);
    return bytes;
}

// The lines of the text, line ends removed.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, '\n');)
        lines.push_back(line.empty() || line.back() != '\r' ? line
                                                            : line.substr(0, line.size() - 1));
    return lines;
}

// A text as JSON writes it when it keeps non-ASCII letters as they are.
std::string Json(const std::string& text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            json += std::string("\\") + c;
        else if (c == '\n')
            json += "\\n";
        else
            json += c;
    }
    return json + "\"";
}

std::string Json(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const std::string& text : texts)
        json += (json.size() > 1 ? ", " : "") + Json(text);
    return json + "]";
}

const char* const kNote500 =
    "<p>Frische Br&ouml;tchen; t&auml;glich, auch sonntags &amp; an Feiertagen.</p>\n"
    "<p>Unsere Backstube arbeitet seit 1921 mit Sauerteig, Zeit und Handwerk; wir backen "
    "Roggenbrot, Dinkelbrot, Vollkornbrot, Laugengeb&auml;ck, Kuchen und Torten. Bestellungen "
    "f&uuml;r Feiern nehmen wir gern telefonisch oder per E-Mail entgegen, mindestens zwei Tage "
    "im Voraus. Gro&szlig;e Mengen liefern wir im Stadtgebiet M&uuml;nchen aus.<br>"
    "Fr&uuml;hst&uuml;ck servieren wir t&auml;glich von sieben bis elf Uhr im Caf&eacute; nebenan. "
    "Parkpl&auml;tze sind im Hof. Wir freuen uns auf Ihren Besuch &#8211; Ihr Team!</p>";

// What a reader of vCards sees of the note above.
const char* const kNote500Text =
    "Frische Br\xC3\xB6tchen; t\xC3\xA4glich, auch sonntags & an Feiertagen.\n\n"
    "Unsere Backstube arbeitet seit 1921 mit Sauerteig, Zeit und Handwerk; wir backen "
    "Roggenbrot, Dinkelbrot, Vollkornbrot, Laugengeb\xC3\xA4"
    "ck, Kuchen und Torten. Bestellungen "
    "f\xC3\xBCr Feiern nehmen wir gern telefonisch oder per E-Mail entgegen, mindestens zwei Tage "
    "im Voraus. Gro\xC3\x9F"
    "e Mengen liefern wir im Stadtgebiet M\xC3\xBCnchen aus.\n"
    "Fr\xC3\xBChst\xC3\xBC"
    "ck servieren wir t\xC3\xA4glich von sieben bis elf Uhr im Caf\xC3\xA9 nebenan. "
    "Parkpl\xC3\xA4tze sind im Hof. Wir freuen uns auf Ihren Besuch \xE2\x80\x93 Ihr Team!";

// Company n of the hundred: the first with everything a card must carry safely, the second
// with nothing but a name, the others plain.
Fields Company(int n, const std::string& logo)
{
    const std::string number = std::to_string(n);
    if (n == 0)
        return {{{"id", "1"},
                 {"name",
                  "B\xC3\xA4"
                  "ckerei M\xC3\xBCller; S\xC3\xB6hne, Inh. J\xC3\xBCrgen"},
                 {"address",
                  "Hauptstra\xC3\x9F"
                  "e\nHinterhaus"},
                 {"housenumber", "12a"},
                 {"zipcode", "80331"},
                 {"city", "M\xC3\xBCnchen"},
                 {"state", "Bayern"},
                 {"phone", "089 123456"},
                 {"fax", "089 123457"},
                 {"mobile", "0171 1234567"},
                 {"email",
                  "info@b\xC3\xA4"
                  "ckerei-m\xC3\xBCller.de"},
                 {"internet", "https://www.baeckerei-mueller.de/"},
                 {"sectors",
                  "B\xC3\xA4"
                  "ckereien, Konditoreien"},
                 {"notes", kNote500},
                 {"logo", logo},
                 {"updated", "2023-11-28 08:00:00"}}};
    if (n == 1)
        return {{{"id", "2"}, {"name", "Nur ein Name"}}};
    return {{{"id", std::to_string(n + 1)},
             {"name", "Firma " + number + " GmbH"},
             {"address", "Weg " + number},
             {"zipcode", "5" + std::string(4 - number.size(), '0') + number},
             {"city", "Bonn"},
             {"phone", "0228 " + number},
             {"email", "post" + number + "@firma.de"},
             {"sectors", "Branche " + number},
             {"notes", "Notiz <b>" + number + "</b>"},
             {"updated", "2021-02-03 04:05:" + std::to_string(10 + n % 50)}}};
}

// What a vCard reader must find in the company's card: one line per property, the card's
// number, the property with its types, and the value as JSON.
std::vector<std::string> ExpectedProperties(int card, const Fields& fields)
{
    std::vector<std::string> lines;
    auto add = [&](const std::string& property, const std::string& json) {
        lines.push_back(std::to_string(card) + "\t" + property + "\t" + json);
    };
    auto text = [&](const std::string& property, const char* key) {
        if (!fields.Get(key).empty())
            add(property, Json(fields.Get(key)));
    };
    const std::string name = fields.Get("name");
    add("FN", Json(name));
    add("N", Json(std::vector<std::string>(5)));
    add("ORG", Json(std::vector<std::string>{name}));
    if (!fields.Get("city").empty()) {
        std::string street = fields.Get("address");
        if (!fields.Get("housenumber").empty())
            street += " " + fields.Get("housenumber");
        add("ADR;WORK",
            Json(std::vector<std::string>{"", "", street, fields.Get("city"), fields.Get("state"),
                                          fields.Get("zipcode"), ""}));
    }
    text("TEL;VOICE,WORK", "phone");
    text("TEL;FAX,WORK", "fax");
    text("TEL;CELL", "mobile");
    text("EMAIL;INTERNET,WORK", "email");
    text("URL", "internet");
    if (card == 0)
        add("CATEGORIES", Json(std::vector<std::string>{"B\xC3\xA4"
                                                        "ckereien",
                                                        "Konditoreien"}));
    else if (!fields.Get("sectors").empty())
        add("CATEGORIES", Json(std::vector<std::string>{fields.Get("sectors")}));
    if (card == 0)
        add("NOTE", Json(kNote500Text));
    else if (!fields.Get("notes").empty())
        add("NOTE", Json("Notiz " + std::to_string(card)));
    if (!fields.Get("logo").empty())
        add("LOGO;PNG", Json(fields.Get("logo")));
    std::string updated = fields.Get("updated");
    if (!updated.empty())
        add("REV", Json(updated.replace(10, 1, "T")));
    return lines;
}

// Reads the file with python3-vobject and prints each card's properties as above. Debian's
// python3, where the package installs the module.
const char* const kReader = R"(
import base64, json, sys, vobject
text = open(sys.argv[1], encoding='utf-8', newline='').read()
for number, card in enumerate(vobject.readComponents(text)):
    for child in card.getChildren():
        if child.name == 'VERSION':
            continue
        value = child.value
        if child.name == 'ADR':
            value = [value.box, value.extended, value.street, value.city, value.region,
                     value.code, value.country]
        elif child.name == 'N':
            value = [value.family, value.given, value.additional, value.prefix, value.suffix]
        elif isinstance(value, bytes):
            value = base64.b64encode(value).decode()
        types = ','.join(sorted(child.params.get('TYPE', [])))
        print(number, child.name + (';' + types if types else ''),
              json.dumps(value, ensure_ascii=False), sep='\t')
)";

std::string OutputOf(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    EXPECT_EQ(pclose(pipe), 0) << command;
    return output;
}

}  // namespace

TEST(CompanyVCard, CardOfAFullRecordAndOfANameAlone)
{
    EXPECT_EQ(Card({{{"id", "7"},
                     {"name", "M\xC3\xBCller; S\xC3\xB6hne, Back\\stube"},
                     {"address", "Am Markt"},
                     {"zipcode", "20095"},
                     {"city", "Hamburg"},
                     {"phone", "040 1"},
                     {"internet", "https://example.de/a,b"},
                     {"sectors", "Caf\xC3\xA9s, Konditoreien"},
                     {"notes", "<p>Torten &amp; Kuchen</p>\r\n<p>auch\n sonntags</p>"},
                     {"logo", "bm90IGFuIGltYWdl"},
                     {"updated", "2023-11-28 08:09:10"}}}),
              "BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "FN:M\xC3\xBCller\\; S\xC3\xB6hne\\, Back\\\\stube\r\n"
              "N:;;;;\r\n"
              "ORG:M\xC3\xBCller\\; S\xC3\xB6hne\\, Back\\\\stube\r\n"
              "ADR;TYPE=WORK:;;Am Markt;Hamburg;;20095;\r\n"
              "TEL;TYPE=WORK,VOICE:040 1\r\n"
              "URL:https://example.de/a,b\r\n"
              "CATEGORIES:Caf\xC3\xA9s,Konditoreien\r\n"
              "NOTE:Torten & Kuchen\\n\\nauch sonntags\r\n"
              "REV:2023-11-28T08:09:10\r\n"
              "END:VCARD\r\n");
    EXPECT_EQ(Card({{{"name", "Nur ein Name"}}}),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Nur ein Name\r\nN:;;;;\r\nORG:Nur ein Name\r\n"
              "END:VCARD\r\n");

    // A logo stored as Base64 broken into lines stays one property.
    wxInitAllImageHandlers();
    const std::string png = ImageBytes(2, 2, wxBITMAP_TYPE_PNG);
    const std::string logo = Base64Library().wxBase64Encode(png.data(), png.size()).utf8_string();
    std::string card =
        Card({{{"name", "L"}, {"logo", logo.substr(0, 20) + "\r\n" + logo.substr(20)}}});
    for (size_t fold; (fold = card.find("\r\n ")) != std::string::npos;)
        card.erase(fold, 3);
    EXPECT_NE(card.find("\r\nLOGO;ENCODING=b;TYPE=PNG:" + logo + "\r\n"), std::string::npos)
        << card;

    // Only a web address goes into the URL, which a reader opens when it is clicked.
    for (const char* url : {"javascript:alert(1)", " Java\tScript:x", "file:///etc", "data:,x",
                            "javascript:1/alert(1)", "javascript:80"})
        EXPECT_EQ(Card({{{"name", "U"}, {"internet", url}}}).find("URL"), std::string::npos) << url;
    const std::string port = Card({{{"name", "U"}, {"internet", "www.x.de:80/a:b"}}});
    EXPECT_NE(port.find("URL:www.x.de:80/a:b\r\n"), std::string::npos);

    // The company's own links follow the same rule; a mail link holds one address and
    // nothing a mail program would read as more ("?attach=" a local file).
    const char* const links[][3] = {{"internet", "www.x.de", "http://www.x.de"},
                                    {"internet", " HTTPS://x.de/a?b=1 ", "HTTPS://x.de/a?b=1"},
                                    {"internet", "javascript:1/alert(1)", ""},
                                    {"email",
                                     " info@b\xC3\xA4"
                                     "cker.de\n",
                                     "mailto:info@b\xC3\xA4"
                                     "cker.de"},
                                    {"email", "a@x.de?attach=/etc/passwd", ""},
                                    {"email", "a@x.de, b@x.de", ""},
                                    {"email", "@x.de", ""},
                                    {"email", "a@", ""}};
    for (const auto& [key, value, link] : links) {
        const auto company = Record({{{key, value}}});
        EXPECT_EQ(std::string(key) == "email" ? CompanyLinks::MailTo(*company)
                                              : CompanyLinks::Website(*company),
                  wxString::FromUTF8(link))
            << value;
    }
    EXPECT_EQ(CompanyLinks::Website(*Record({})) + CompanyLinks::MailTo(*Record({})), "");
}

TEST(CompanyVCard, NotesLoseTheirMarkupButKeepTheirLines)
{
    EXPECT_EQ(CompanyVCard::PlainText("  <div>Eins<br/>Zwei</div>\n\n<ul><li>a</li><li>b</li>"
                                      "</ul><!-- <p>weg</p> -->Ende  "),
              "Eins\nZwei\n\na\n\nb\n\nEnde");
    EXPECT_EQ(CompanyVCard::PlainText("a &lt;b&gt; &#252;&#xDF; &unknown; &#0; & 3 < 4"),
              "a <b> \xC3\xBC\xC3\x9F &unknown; &#0; & 3 < 4");
    EXPECT_EQ(CompanyVCard::PlainText("Text <a href=\"x\">Link"), "Text Link");
    EXPECT_EQ(CompanyVCard::EscapeText("a\r\nb\rc\nd;e,f\\g\th\x01"),
              "a\\nb\\nc\\nd\\;e\\,f\\\\g\th");
}

TEST(CompanyVCard, LongLinesAreFoldedAt75OctetsBetweenCharacters)
{
    // "ü" is two octets, and the text repeats every nine: some fold points fall inside one.
    std::string value;
    for (int n = 0; n < 300; ++n)
        value += "\xC3\xBC" + std::string(n % 3, 'x');
    std::string bytes;
    CompanyVCard::AppendLine("NOTE", value, bytes);
    std::string unfolded;
    const std::vector<std::string> lines = Lines(bytes);
    ASSERT_GT(lines.size(), 3u);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        EXPECT_LE(line.size(), kStandardLineOctets) << n;
        if (n + 1 < lines.size()) {
            EXPECT_GE(line.size(), n == 0 ? 74u : 73u) << "folded early: " << n;
        }
        EXPECT_TRUE(Brenik::BKCasts::IsValidUtf8(line.data(), line.size())) << n;
        EXPECT_EQ(n == 0, line[0] != ' ') << n;
        unfolded += n == 0 ? line : line.substr(1);
    }
    EXPECT_EQ(unfolded, "NOTE:" + value);
}

TEST(CompanyVCard, HundredCardsReadBackByAVCardParser)
{
    wxInitAllImageHandlers();
    const std::string png = ImageBytes(60, 40, wxBITMAP_TYPE_PNG);
    const std::string logo = Base64Library().wxBase64Encode(png.data(), png.size()).utf8_string();
    std::string bytes;
    std::vector<std::string> expected;
    ASSERT_GE(wxString::FromUTF8(kNote500Text).length(), 500u);
    for (int n = 0; n < 100; ++n) {
        const Fields fields = Company(n, logo);
        CompanyVCard::AppendCard(*Record(fields), bytes);
        const std::vector<std::string> lines = ExpectedProperties(n, fields);
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.Path("cards.vcf"), bytes));
    ASSERT_TRUE(WriteTextFile(dir.Path("read.py"), kReader));
    std::vector<std::string> read =
        Lines(OutputOf("/usr/bin/python3 " + dir.Path("read.py").utf8_string() + " " +
                       dir.Path("cards.vcf").utf8_string()));
    read.erase(std::remove(read.begin(), read.end(), std::string()), read.end());
    std::sort(read.begin(), read.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(read, expected);

    // The parser takes overlong lines too: the limit is checked on the bytes.
    size_t longest = 0;
    for (const std::string& line : Lines(ReadTextFile(dir.Path("cards.vcf"))))
        longest = std::max(longest, line.size());
    EXPECT_LE(longest, kStandardLineOctets);
    EXPECT_EQ(longest, kStandardLineOctets);
}
