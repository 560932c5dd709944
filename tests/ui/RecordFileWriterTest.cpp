#include <gtest/gtest.h>

#include <wx/frame.h>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "app/Norvel.h"
#include "ui/ProgressFrame.h"
#include "ui/RecordFileWriter.h"
#include "ui/UiTestSupport.h"

// The user cancels at the 25th of 40 records: the file then holds the records before the
// cancel was seen, or stays as it was, as the writer was told; neither case shows a box.
TEST(RecordFileWriter, CancelKeepsTheRecordsSoFarOrNothing)
{
    TempDir dir;
    auto rit = Norvel::CreateRuntimeInformation("norvel");
    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    parent->Show();
    const wxString name = dir.Path("records.txt");
    for (auto onCancel :
         {RecordFileWriter::OnCancel::kKeepWritten, RecordFileWriter::OnCancel::kKeepNothing}) {
        ASSERT_TRUE(WriteTextFile(name, "earlier\n"));
        int boxes = 0;
        RecordFileWriter writer(parent, rit.get(), onCancel,
                                [&](const wxString&, const wxString&) { ++boxes; });
        const bool written =
            writer.Write(name, "start\n", 40, [](size_t index, std::string& piece) {
                if (index == 24)
                    wxDynamicCast(wxWindow::FindWindowByName("ProgressFrame"), ProgressFrame)
                        ->Cancel();
                piece += std::to_string(index) + "\n";
            });
        EXPECT_EQ(boxes, 0);
        const std::string content = ReadTextFile(name);
        if (onCancel == RecordFileWriter::OnCancel::kKeepWritten) {
            EXPECT_TRUE(written);
            EXPECT_EQ(content.rfind("start\n0\n", 0), 0u);
            EXPECT_NE(content.find("\n24\n"), std::string::npos);
            EXPECT_EQ(content.find("\n25\n"), std::string::npos);
        } else {
            EXPECT_FALSE(written);
            EXPECT_EQ(content, "earlier\n");
        }
    }
    DestroyNow(parent);
}
