#include <gtest/gtest.h>

#include "directory/SQLiteEntityContainer.h"
#include "directory/SectorEntity.h"

namespace {

// Counts its destructions.
class CountedEntity : public SQLiteEntity {
public:
    CountedEntity(int* destroyed, unsigned int id)
        : SQLiteEntity(nullptr, "t", "id", true, "", "", 0), destroyed(destroyed)
    {
        Set("id", id, false, false, "", 0, true);
    }
    ~CountedEntity() override { ++*destroyed; }

private:
    int* destroyed;
};

}  // namespace

TEST(SQLiteEntityContainer, CleanUpFlagDecidesOwnership)
{
    int destroyed = 0;
    CountedEntity* kept = new CountedEntity(&destroyed, 1);
    {
        SQLiteEntityContainer<CountedEntity> list(false);
        list.AppendItem(kept);
    }
    EXPECT_EQ(0, destroyed);
    {
        SQLiteEntityContainer<CountedEntity> list(true);
        list.AppendItem(kept);
        list.AppendItem(new CountedEntity(&destroyed, 2));
        EXPECT_TRUE(list.GetAutoCleanUp());
    }
    EXPECT_EQ(2, destroyed);

    SQLiteEntityContainer<CountedEntity> list(false);
    list.AppendItem(new CountedEntity(&destroyed, 3));
    list.CleanUp();
    EXPECT_EQ(3, destroyed);
    EXPECT_EQ(0u, list.GetItemCount());
}

TEST(SQLiteEntityContainer, JoinsFieldValuesAndTexts)
{
    SQLiteEntityContainer<SectorEntity> list(true);
    EXPECT_EQ("", list.ToString());
    EXPECT_TRUE(list.ToArrayString("sector").empty());
    SectorEntity* first = new SectorEntity(nullptr);
    first->SetValue("id", 1u);
    first->SetValue("sector", wxString("Apotheke"));
    SQLiteEntity* other = new SQLiteEntity(nullptr, "t", "id", true, "", "", 0);
    other->Set("id", 5u, false, false, "", 0, true);
    SectorEntity* second = new SectorEntity(nullptr);
    second->SetValue("sector", wxString("Metzgerei"));
    list.AppendItem(first);
    list.AppendItem(other);
    list.AppendItem(second);

    wxArrayString names = list.ToArrayString("sector");
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ("Apotheke", names[0]);
    EXPECT_EQ("Metzgerei", names[1]);
    EXPECT_EQ(3u, list.ToArrayString("id").size());
    EXPECT_EQ(
        "id => { 1 }\nsector => { Apotheke }\nid => { 5 }\nid => { 0 }\nsector => { "
        "Metzgerei }",
        list.ToString());
    EXPECT_EQ(first, list.GetEntity(0));
    EXPECT_EQ(nullptr, list.GetEntity(1));  // not a sector
    EXPECT_EQ(nullptr, list.GetEntity(3));
    EXPECT_EQ("BKContainerTemplate", list.GetClassInfo().GetName());
}
