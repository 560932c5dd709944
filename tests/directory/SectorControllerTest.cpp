#include <gtest/gtest.h>

#include <memory>

#include "DirectoryTestData.h"
#include "TestSupport.h"
#include "directory/SectorController.h"

using Brenik::BKSQLiteDatabase;
using namespace DirectoryTestData;

TEST(SectorController, LoadsSectorsOrderedByName)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("s.sqlite"));
    ASSERT_NO_FATAL_FAILURE(CreateSchema(&database));
    SectorController controller(&database);
    std::unique_ptr<SectorEntities> none(controller.LoadSectors());
    ASSERT_NE(nullptr, none);
    EXPECT_EQ(0u, none->GetItemCount());

    ASSERT_NO_FATAL_FAILURE(AddSector(&database, 1, "Metzgerei"));
    ASSERT_NO_FATAL_FAILURE(AddSector(&database, 2,
                                      "B\xC3\xA4"
                                      "ckerei"));
    ASSERT_NO_FATAL_FAILURE(AddSector(&database, 3, "Apotheke"));
    std::unique_ptr<SectorEntities> sectors(controller.LoadSectors());
    ASSERT_EQ(3u, sectors->GetItemCount());
    wxArrayString names = sectors->ToArrayString("sector");
    EXPECT_EQ("Apotheke", names[0]);
    EXPECT_EQ(wxString::FromUTF8("B\xC3\xA4"
                                 "ckerei"),
              names[1]);
    EXPECT_EQ("Metzgerei", names[2]);
    SectorEntity* first = sectors->GetEntity(0);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(3u, first->Get("id")->ToUnsignedInt());
    EXPECT_EQ(&database, first->GetDatabase());
    // The controller can load again.
    std::unique_ptr<SectorEntities> again(controller.LoadSectors());
    EXPECT_EQ(3u, again->GetItemCount());
}

TEST(SectorController, FailingStatementGivesEmptyList)
{
    TempDir dir;
    BKSQLiteDatabase database(dir.Path("bare.sqlite"));
    SectorController controller(&database);
    std::unique_ptr<SectorEntities> sectors(controller.LoadSectors());
    ASSERT_NE(nullptr, sectors);
    EXPECT_EQ(0u, sectors->GetItemCount());
}
