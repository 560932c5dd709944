#include <map>
#include <set>

#include "PrintTestSupport.h"
#include "print/LabelSheetPrintout.h"
#include "ui/ResultListPrinting.h"

namespace {

// Company k of a mailing: every word of its address carries "Kk-", so that a word found on
// paper names the label it belongs in; every third has a name too long for any label.
std::unique_ptr<CompanyEntity> Addressee(int k)
{
    const std::string tag = "K" + std::to_string(k) + "-";
    auto company = std::make_unique<CompanyEntity>(nullptr, true);
    auto set = [&company](const char* key, const std::string& value) {
        company->Get(wxString(key))->SetUtf8(value);
    };
    set("name", k % 3 ? tag + "Bäckerei " + tag + "Weiß"
                      : tag + "Internationale " + tag + "Speditions-und-Lagerhausgesellschaft " +
                            tag + "Niederrhein " + tag + "mbH");
    set("ceo", tag + "Jörg " + tag + "Weiß");
    set("address", tag + "Große-Straße");
    set("housenumber", "12");
    set("zipcode", "50667");
    set("city", tag + "Köln");
    return company;
}

struct LabelCase {
    LabelFormat format;
    int start;
    int count;
    bool attention;
};

}  // namespace

// On every sheet offered, and on one of the user's own with small labels, each line of each
// address lies inside its own label, on the page and in the place the start position gives.
TEST_F(PdfPrinting, EveryLabelLineLiesInsideItsLabel)
{
    Deadline limit(std::chrono::seconds(240));
    const std::vector<LabelFormat>& offered = LabelFormat::Offered();
    LabelFormat small{"", 4, 10, 48.5, 25.4, 8, 21.5, 0, 0};
    const LabelCase cases[] = {
        {offered[0], 5, 30, false}, {offered[1], 1, 21, true}, {offered[2], 16, 3, false},
        {offered[3], 2, 14, true},  {offered[4], 3, 9, true},  {small, 38, 12, true},
    };
    for (const LabelCase& row : cases) {
        SCOPED_TRACE(
            wxString::Format("%dx%d, start %d", row.format.columns, row.format.rows, row.start)
                .utf8_string());
        ASSERT_TRUE(row.format.IsValid());
        std::vector<std::unique_ptr<CompanyEntity>> companies;
        std::vector<const CompanyEntity*> mailing;
        for (int k = 1; k <= row.count; ++k) {
            companies.push_back(Addressee(k));
            mailing.push_back(companies.back().get());
        }
        LabelSheetPrintout printout("Etiketten", rit.get(), row.format, row.start,
                                    ResultListPrinting::Labels(mailing, row.attention));
        const PdfDocument pdf = PrintFromPreview(printout, {}, wxPORTRAIT);
        const int perSheet = row.format.Count();
        ASSERT_EQ(pdf.pages, (row.start - 1 + row.count + perSheet - 1) / perSheet);
        std::set<int> seen;
        int attentions = 0;
        for (const PdfWord& word : pdf.words) {
            attentions += word.text == "Hd.";
            std::smatch tag;
            if (!std::regex_search(word.text, tag, std::regex("^K(\\d+)-")))
                continue;
            const int k = std::stoi(tag[1]);
            const int slot = row.start - 1 + k - 1;
            const wxRect2DDouble label = row.format.Rect(slot % perSheet);
            seen.insert(k);
            EXPECT_EQ(word.page, slot / perSheet + 1) << word.text;
            EXPECT_TRUE(word.left >= label.m_x - 0.5 && word.right <= label.GetRight() + 0.5 &&
                        word.top >= label.m_y - 0.5 && word.bottom <= label.GetBottom() + 0.5)
                << word.text << " at " << word.left << "," << word.top << "-" << word.right << ","
                << word.bottom << " mm, label " << label.m_x << "," << label.m_y << "-"
                << label.GetRight() << "," << label.GetBottom();
        }
        EXPECT_EQ(static_cast<int>(seen.size()), row.count);
        EXPECT_EQ(attentions, row.attention ? row.count : 0);
    }
}
