#include <gtest/gtest.h>

#include "print/HtmlSanitiser.h"

namespace {

wxString Repeat(const wxString& piece, size_t times)
{
    wxString text;
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

size_t Count(const wxString& text, const wxString& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != wxString::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

TEST(HtmlSanitiser, OrdinaryMarkupStaysAsItIs)
{
    const wxString ordinary = wxString::FromUTF8(
        "<p align=\"center\">Mo&ndash;Fr <b>8&ndash;18</b> Uhr<br>Sa <i>9</i> <u>Ruhetag</u></p>"
        "<ul><li>Brot<ol><li>Dinkel</li></ol></li><li>K\xC3\xBC"
        "chen</li></ul>"
        "<table border=\"1\" width=\"100%\"><tr><th colspan=\"2\">Tag</th></tr>"
        "<tr><td>Mo</td><td align=\"right\">8</td></tr></table>"
        "<font color=\"#1f3a5f\" size=\"+1\">Web:</font> <a href=\"https://x.de/?a=1&amp;b=2\">"
        "x.de</a> &copy; 2024 &#8364; a &lt; b<hr>");
    EXPECT_EQ(HtmlSanitiser::Sanitise(ordinary), ordinary);
    // Written loosely, as by hand: ends added where the next sibling begins and at the end.
    EXPECT_EQ(HtmlSanitiser::Sanitise("<P>a<p>b<UL><li>c<li>d</ul><table><tr><td>e<td>f<tr><td>g"),
              "<p>a</p><p>b<ul><li>c</li><li>d</li></ul><table><tr><td>e</td><td>f</td></tr>"
              "<tr><td>g</td></tr></table></p>");
    EXPECT_EQ(HtmlSanitiser::Sanitise(""), "");
}

// The number a quoted attribute holds, -1 when there is none.
long Number(const wxString& html, const wxString& attribute)
{
    long value = -1;
    const int at = html.Find(" " + attribute + "=\"");
    if (at != wxNOT_FOUND)
        html.Mid(at + attribute.length() + 3).BeforeFirst('"').ToLong(&value);
    return value;
}

// What the toolkit's HTML layout bears, measured once: a fragment laid out with
// wxHtmlDCRenderer at 700 px wide and paginated to its end, under Xvfb on the two shared build
// cores; each limit is the largest size that took under a quarter of a second and under 10 MB
// more memory. The engine's cost doubles with each list level, it runs out of stack on deep
// nesting, and allocates every row by every column of a table.
const size_t kListLevels = 18;     // 17 levels 107 ms, 18 227 ms, 19 431 ms, 24 13 s
const size_t kLevels = 1000;       // b, font, blockquote, ol: 1000 15-75 ms, 5000 160-400 ms,
                                   // 16000 4.9 s, 20000 a stack overflow
const size_t kTableLevels = 100;   // 100 nested tables 37 ms, 500 121 ms
const long kSpan = 100;            // colspan and rowspan 100 24 ms; 1000 181 ms and 30 MB more;
                                   // 10000 over a minute
const size_t kColumns = 1000;      // 1000 cells in a row 108 ms, 10000 724 ms
const size_t kTextLength = 20000;  // 20000 characters of words 149 ms, of paragraphs 201 ms;
                                   // 100000 1 to 1.3 s

}  // namespace

TEST(HtmlSanitiser, NestingSpansAndSizesStayWithinWhatTheLayoutBears)
{
    const wxString lists = HtmlSanitiser::Sanitise(Repeat("<ul><li>x", 40) + "y" +
                                                   Repeat("</li></ul>", 40) + "<ol><li>after");
    EXPECT_LE(Count(lists, "<ul>"), kListLevels);
    EXPECT_TRUE(lists.EndsWith("</li></ul><ol><li>after</li></ol>")) << lists;
    for (const char* element : {"b", "font size=+1", "table", "blockquote", "ol"}) {
        const wxString nested =
            HtmlSanitiser::Sanitise(Repeat(wxString("<") + element + ">", 30000));
        EXPECT_LE(Count(nested, "<"), 2 * kLevels) << element;
        EXPECT_EQ(Count(nested, "<"), 2 * Count(nested, "</")) << element;  // each one ended
    }
    // The rows and cells of a table left out go with it.
    const wxString tables = HtmlSanitiser::Sanitise(Repeat("<table><tr><td>", 1000));
    EXPECT_LE(Count(tables, "<table>"), kTableLevels);
    for (const char* element : {"<tr>", "<td>"})
        EXPECT_EQ(Count(tables, element), Count(tables, "<table>")) << element;

    const wxString cell =
        HtmlSanitiser::Sanitise("<td colspan=\"1000000000\" rowspan=100000 width=99999>");
    for (const char* span : {"colspan", "rowspan"}) {
        EXPECT_GE(Number(cell, span), 1) << cell;
        EXPECT_LE(Number(cell, span), kSpan) << cell;
    }
    const wxString wide =
        HtmlSanitiser::Sanitise("<table><tr>" + Repeat("<td colspan=9>x", 2000) + "</table>");
    EXPECT_GT(Count(wide, "<td"), 0u);
    EXPECT_LE(Count(wide, "<td") * 9, kColumns);
    EXPECT_EQ(HtmlSanitiser::Sanitise("<table border=1e9 cellpadding=\"-5\" width=\"250%\">"),
              "<table border=\"1\" width=\"100%\"></table>");
}

// Images would be read from wherever their source says, the file system included; scripts,
// styles, event attributes and unknown tags mean nothing to the views.
TEST(HtmlSanitiser, ImagesLoadNothingAndOnlyKnownMarkupIsKept)
{
    EXPECT_EQ(HtmlSanitiser::Sanitise("a<img src=\"file:///etc/passwd\">b<IMG width=10 "
                                      "height=2000000000 src=x alt='Logo <3'>"),
              "abLogo &lt;3");
    EXPECT_EQ(HtmlSanitiser::Sanitise("<body background=\"/proc/self/environ\" onload=x>"
                                      "<script>s</script><p style=\"a\" onclick='b' align=evil>"
                                      "t<!-- c --></p><blink>!</blink><font face=\"x\" size=99>"),
              "s<p>t</p>!<font size=\"7\"></font>");
    // A bracket that begins no tag and an ampersand that begins no entity are text.
    EXPECT_EQ(HtmlSanitiser::Sanitise("1 < 2 & 3 <4 &#0; &#xD800; &#1114112;"),
              "1 &lt; 2 &amp; 3 &lt;4 &amp;#0; &amp;#xD800; &amp;#1114112;");
    // A quoted value may hold the tag's end; nothing of it is lost into the text.
    EXPECT_EQ(HtmlSanitiser::Sanitise("<a title=\"x>y\" href='q\"r'>k</a>"),
              "<a href=\"q&quot;r\">k</a>");
}

// A template reads the text again for placeholders: no brace may reach it, not even one
// inside a tag.
TEST(HtmlSanitiser, BracesAreEncodedEverywhere)
{
    const wxString html =
        HtmlSanitiser::Sanitise("<a href=\"{s:name}\">{i:time}</a><img alt=\"{d:x}\"><x {s:y}>");
    EXPECT_EQ(html, "<a href=\"&#123;s:name}\">&#123;i:time}</a>&#123;d:x}");
}

// A text of megabytes would take minutes to lay out: it is cut, but only between tags,
// comments and entities, and what was begun is ended.
TEST(HtmlSanitiser, LongFragmentsAreCutBetweenMarkup)
{
    // Where the cut falls is the sanitiser's choice; how long the result may be, the engine's.
    const size_t limit = HtmlSanitiser::kMaxLength;
    const wxString ellipsis = wxString::FromUTF8(" \xE2\x80\xA6");
    const wxString head(limit - 3, 'a');
    for (const char* markup : {"<a href=\"x\">", "&amp;", "<!-- a > b -->"}) {
        const wxString html = head + markup + wxString(limit, 'b');
        EXPECT_EQ(HtmlSanitiser::Sanitise(html), head + ellipsis) << markup;
    }
    const wxString shorter(limit - 5, 'a');
    EXPECT_EQ(HtmlSanitiser::Sanitise(shorter + "& <b>" + wxString(limit, 'b')),
              shorter + "&amp; <b>" + ellipsis + "</b>");
    const wxString fits = wxString(limit - 4, 'a') + "{<b>";
    EXPECT_EQ(HtmlSanitiser::Sanitise(fits), wxString(limit - 4, 'a') + "&#123;<b></b>");

    std::string paragraphs;
    while (paragraphs.size() < 1100 * 1000)
        paragraphs += "<p>Absatz \xC3\xA4</p>";
    const wxString cut = HtmlSanitiser::SanitiseUtf8(paragraphs);
    EXPECT_LT(cut.length(), kTextLength + 20);
    EXPECT_TRUE(cut.EndsWith(ellipsis + "</p>")) << cut.Right(20);
    EXPECT_TRUE(cut.StartsWith(wxString::FromUTF8("<p>Absatz \xC3\xA4</p>")));
}
