#include <gtest/gtest.h>

#include "lib/core/BKContainer.h"
#include "lib/core/BKContainerType.h"

using namespace Brenik;

namespace {

// An item that counts its deletions.
class CountedItem : public BKContainerType {
public:
    CountedItem(const wxString& key, int* deletions) : BKContainerType(key), deletions(deletions) {}
    ~CountedItem() override { ++*deletions; }

private:
    int* deletions;
};

}  // namespace

TEST(BKContainerType, KeepsItsComparisonKey)
{
    BKContainerType item;
    EXPECT_EQ("", item.GetComparision());
    item.SetComparison("key");
    EXPECT_EQ("key", item.GetComparision());
    EXPECT_EQ("other", BKContainerType("other").GetComparision());
    EXPECT_EQ("BKContainerType", item.GetClassInfo().GetName());
    EXPECT_EQ("0.2.1", item.GetClassInfo().GetVersion());
}

TEST(BKContainer, IndexAndKeyLookupsNeverFailHard)
{
    BKContainer list(true);
    BKContainerType* items[5];
    for (int i = 0; i < 5; ++i) {
        items[i] = new BKContainerType(wxString::Format("k%d", i));
        EXPECT_EQ(nullptr, list.Add(items[i], true));
    }
    EXPECT_EQ(5u, list.GetCount());
    EXPECT_EQ(items[4], list.Get(4u));
    EXPECT_EQ(nullptr, list.Get(5u));
    EXPECT_EQ(nullptr, list.Remove(5u));
    EXPECT_EQ(5u, list.GetCount());
    EXPECT_EQ(items[2], list.Get("k2"));
    EXPECT_EQ(nullptr, list.Get("K2"));  // exact, case-sensitive
    EXPECT_EQ(nullptr, list.Get(""));

    // Null entries count but are never found by key.
    list.Add(nullptr, true);
    EXPECT_EQ(6u, list.GetCount());
    EXPECT_EQ(nullptr, list.Get(5u));
    EXPECT_EQ("BKContainer", list.GetClassInfo().GetName());
    EXPECT_EQ("0.3.4", list.GetClassInfo().GetVersion());
}

TEST(BKContainer, AddReportsTheItemWithTheSameKey)
{
    BKContainer list(true);
    BKContainerType* a = new BKContainerType("key");
    BKContainerType* b = new BKContainerType("key");
    EXPECT_EQ(nullptr, list.Add(a, true));
    EXPECT_EQ(a, list.Add(b, true));
    EXPECT_EQ(2u, list.GetCount());
    EXPECT_EQ(a, list.Add(a, true));
    EXPECT_EQ(2u, list.GetCount());

    BKContainerType* c = new BKContainerType("key");
    EXPECT_EQ(nullptr, list.Add(c, false));
    EXPECT_EQ(3u, list.GetCount());
    EXPECT_EQ(c, list.Get(2u));
}

TEST(BKContainer, RemoveTakesOutWithoutDeleting)
{
    int deletions = 0;
    CountedItem first("key", &deletions);
    CountedItem second("key", &deletions);
    CountedItem third("other", &deletions);
    {
        BKContainer list(true);
        list.Add(&first, false);
        list.Add(&second, false);
        list.Add(&third, false);

        EXPECT_FALSE(list.Remove("missing"));
        EXPECT_TRUE(list.Remove("key"));
        EXPECT_EQ(2u, list.GetCount());
        EXPECT_EQ(&second, list.Get(0u));  // only the first of the two went
        EXPECT_EQ(&second, list.Get("key"));

        EXPECT_FALSE(list.Remove(static_cast<const BKContainerType*>(&first)));
        EXPECT_TRUE(list.Remove(static_cast<const BKContainerType*>(&third)));
        EXPECT_EQ(&second, list.Remove(0u));
        EXPECT_EQ(0u, list.GetCount());
    }
    // The list was emptied before it went: nothing of the stack was deleted.
    EXPECT_EQ(0, deletions);
}

TEST(BKContainer, CleanUpFlagDecidesOwnership)
{
    int deletions = 0;
    {
        BKContainer owner(true);
        EXPECT_TRUE(owner.GetCleanUp());
        owner.Add(new CountedItem("a", &deletions), true);
        owner.Add(new CountedItem("b", &deletions), true);
        owner.Add(nullptr, false);
    }
    EXPECT_EQ(2, deletions);

    deletions = 0;
    CountedItem* held = new CountedItem("c", &deletions);
    {
        BKContainer holder(false);
        holder.Add(held, true);
    }
    EXPECT_EQ(0, deletions);

    // CleanUp deletes whatever the flag says, and each object once.
    BKContainer holder(false);
    holder.Add(held, false);
    holder.Add(held, false);
    holder.Add(new CountedItem("d", &deletions), false);
    holder.CleanUp();
    EXPECT_EQ(2, deletions);
    EXPECT_EQ(0u, holder.GetCount());

    holder.SetCleanUp(true);
    EXPECT_TRUE(holder.GetCleanUp());
}
