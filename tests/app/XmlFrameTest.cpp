#include <gtest/gtest.h>

#include <wx/filename.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "app/RuntimeInformationType.h"
#include "app/XmlDialog.h"
#include "app/XmlFrame.h"

namespace {

const char* const kFrameLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<resource xmlns="http://www.wxwidgets.org/wxxrc" version="2.5.3.0">
  <object class="wxFrame" name="TestFrame">
    <title>Test</title>
    <object class="wxPanel" name="mainPanel"/>
  </object>
</resource>
)";

const char* const kDialogLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<resource xmlns="http://www.wxwidgets.org/wxxrc" version="2.5.3.0">
  <object class="wxDialog" name="TestDialog">
    <title>Test</title>
    <object class="wxBoxSizer"><orient>wxVERTICAL</orient>
      <object class="sizeritem"><object class="wxButton" name="okButton">
        <label>OK</label></object></object>
    </object>
  </object>
</resource>
)";

// A resource directory holding the test layouts and the program's real icon.
class XmlWindows : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wxFileName::Mkdir(dir.Path("gui"), wxS_DIR_DEFAULT, 0));
        ASSERT_TRUE(wxFileName::Mkdir(dir.Path("images"), wxS_DIR_DEFAULT, 0));
        ASSERT_TRUE(WriteTextFile(dir.Path("gui/TestFrame.xml"), kFrameLayout));
        ASSERT_TRUE(WriteTextFile(dir.Path("gui/TestDialog.xml"), kDialogLayout));
        ASSERT_TRUE(
            wxCopyFile("resources/images/NorvelIcon.ico", dir.Path("images/NorvelIcon.ico")));
        rit = std::make_unique<RuntimeInformationType>("norvel", dir.Path() + "/", ".Norvel.conf",
                                                       "", nullptr, true);
    }

    void TearDown() override
    {
        // The registry would otherwise look for these files again after they are gone.
        wxXmlResource::Get()->Unload(dir.Path("gui/TestFrame.xml"));
        wxXmlResource::Get()->Unload(dir.Path("gui/TestDialog.xml"));
    }

    TempDir dir;
    std::unique_ptr<RuntimeInformationType> rit;
};

}  // namespace

TEST_F(XmlWindows, FrameIsBuiltFromItsLayoutWithTheIcon)
{
    auto* first = new XmlFrame(rit.get(), "TestFrame");
    auto* second = new XmlFrame(rit.get(), "TestFrame");
    for (XmlFrame* frame : {first, second}) {
        EXPECT_EQ(frame->GetParent(), nullptr);
        EXPECT_EQ(frame->GetFrameName(), "TestFrame");
        EXPECT_EQ(frame->GetRit(), rit.get());
        EXPECT_EQ(frame->GetTitle(), "Test");
        EXPECT_NE(frame->FindWindow(XRCID("mainPanel")), nullptr);
        EXPECT_EQ(frame->GetIcons().GetIconCount(), 4u);
    }
    first->Destroy();
    second->Destroy();
}

TEST_F(XmlWindows, FrameWithParentAndIdKeepsThem)
{
    auto* parent = new XmlFrame(rit.get(), "TestFrame");
    auto* child = new XmlFrame(parent, 4711, rit.get(), "TestFrame");
    EXPECT_EQ(child->GetParent(), parent);
    EXPECT_EQ(child->GetId(), 4711);
    parent->Destroy();
}

TEST_F(XmlWindows, DialogIsBuiltFromItsLayoutWithTheIcon)
{
    XmlDialog dialog(rit.get(), "TestDialog");
    EXPECT_EQ(dialog.GetDialogName(), "TestDialog");
    EXPECT_NE(dialog.FindWindow(XRCID("okButton")), nullptr);
    EXPECT_EQ(dialog.GetIcons().GetIconCount(), 4u);
}

TEST_F(XmlWindows, MissingIconLeavesTheWindowWithoutOne)
{
    ASSERT_TRUE(wxRemoveFile(dir.Path("images/NorvelIcon.ico")));
    auto* frame = new XmlFrame(rit.get(), "TestFrame");
    EXPECT_TRUE(frame->GetIcons().IsEmpty());
    EXPECT_NE(frame->FindWindow(XRCID("mainPanel")), nullptr);
    frame->Destroy();
}
