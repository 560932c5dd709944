#include <gtest/gtest.h>

#include <wx/ffile.h>

#include "TestSupport.h"
#include "directory/RecentSearches.h"
#include "lib/core/BKConfiguration.h"

using Brenik::BKConfiguration;

TEST(RecentSearches, KeepsTheLastTenNewestFirstAcrossProgramRuns)
{
    RecentSearches recent;
    for (int i = 1; i <= 12; ++i)
        recent.Add({wxString::Format("text %d", i), "", SearchKind::kNameOrCeo});
    recent.Add({"", "", SearchKind::kStreet});  // nothing to search again
    recent.Add({"text 5", "", SearchKind::kNameOrCeo});
    recent.Add({"text 12", "", SearchKind::kPhoneOrFax});  // another kind: another search
    const RecentSearch awkward{wxString::FromUTF8("50% #1\tM\xC3\xBCller\n%41"), "Dresden; Leipzig",
                               SearchKind::kAllFields};
    recent.Add(awkward);
    ASSERT_EQ(10u, recent.Get().size());
    EXPECT_EQ(awkward, recent.Get()[0]);
    EXPECT_EQ("text 12", recent.Get()[1].text);
    EXPECT_EQ(SearchKind::kPhoneOrFax, recent.Get()[1].kind);
    EXPECT_EQ("text 5", recent.Get()[2].text);
    EXPECT_EQ("text 12", recent.Get()[3].text);
    EXPECT_EQ("text 6", recent.Get()[9].text);

    TempDir dir;
    const wxString file = dir.Path("norvel.conf");
    BKConfiguration written("#", false);
    recent.Write(written);
    ASSERT_TRUE(written.Save(file, "\n"));
    BKConfiguration read("#", false);
    ASSERT_TRUE(read.Load(file));
    RecentSearches restored;
    restored.Read(read);
    EXPECT_EQ(recent.Get(), restored.Get());

    // Hand-edited or broken entries are left out; the rest keep their order.
    wxFFile(file, "w").Write(
        "RecentSearch1 name\tMayer\t\nRecentSearch2 bogus\n"
        "RecentSearch3 street\tBahnhofstr. 12\tBonn\textra\nRecentSearch4 whatever\t\t\n"
        "RecentSearch5 phone\t%3\t%zz\nRecentSearch6 name\tMayer\t\n"
        "RecentSearch11 all\tlost\t\n");
    BKConfiguration edited("#", false);
    ASSERT_TRUE(edited.Load(file));
    restored.Read(edited);
    ASSERT_EQ(2u, restored.Get().size());
    EXPECT_EQ((RecentSearch{"Mayer", "", SearchKind::kNameOrCeo}), restored.Get()[0]);
    EXPECT_EQ((RecentSearch{"%3", "%zz", SearchKind::kPhoneOrFax}), restored.Get()[1]);

    recent.Clear();
    BKConfiguration cleared("#", false);
    recent.Write(cleared);
    ASSERT_TRUE(cleared.Save(file, "\n"));
    restored.Read(cleared);
    EXPECT_TRUE(restored.Get().empty());
}
