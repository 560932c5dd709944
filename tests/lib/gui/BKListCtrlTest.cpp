#include "GuiTestSupport.h"
#include "lib/gui/BKListCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/ffile.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include "TestSupport.h"
#include "lib/core/BKType.h"

using Brenik::BKListCtrl;
using Row = BKListCtrl::BKListCtrlRow;

namespace {

// A library object whose destruction is counted, as the company records are.
class Tracked : public Brenik::BKType {
public:
    explicit Tracked(int* destroyed) : destroyed(destroyed) {}
    ~Tracked() override { ++*destroyed; }

private:
    int* destroyed;
};

// A row whose destruction is counted, to see when the list deletes the rows handed to it.
class CountedRow : public Row {
public:
    CountedRow(void* pointer, int* destroyed) : Row(pointer), destroyed(destroyed) {}
    ~CountedRow() override { ++*destroyed; }

private:
    int* destroyed;
};

Row* MakeRow(void* pointer, std::initializer_list<const char*> texts)
{
    auto* row = new Row(pointer);
    for (const char* text : texts)
        row->Add(wxString::FromUTF8(text));
    return row;
}

// A shown frame holding one list with the given number of columns.
class ListWindow {
public:
    explicit ListWindow(int columns, long style = wxLC_REPORT | wxLC_VIRTUAL)
    {
        frame =
            new wxFrame(nullptr, wxID_ANY, "BKListCtrlTest", wxDefaultPosition, wxSize(800, 600));
        list = new BKListCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
        for (int column = 0; column < columns; ++column)
            list->InsertColumn(column, wxString::Format("Column %d", column));
        frame->Show();
    }
    ~ListWindow()
    {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

    // Appends rows "r<i>c<j>" whose pointers are &pointers[i].
    void Fill(int rows)
    {
        pointers.resize(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            auto* row = new Row(static_cast<void*>(&pointers[static_cast<size_t>(i)]));
            for (int column = 0; column < list->GetColumnCount(); ++column)
                row->Add(wxString::Format("r%dc%d", i, column));
            ASSERT_TRUE(list->Append(row, true));
        }
    }
    void* Pointer(int i) { return &pointers[static_cast<size_t>(i)]; }

    wxFrame* frame;
    BKListCtrl* list;
    std::vector<int> pointers;
};

// Collects the selection events that reach a handler bound to the list.
struct SelectionEvents {
    explicit SelectionEvents(wxWindow* window)
    {
        window->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
            selected.push_back(event.GetIndex());
            event.Skip();
        });
        window->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& event) {
            deselected.push_back(event.GetIndex());
            event.Skip();
        });
    }
    std::vector<long> selected;
    std::vector<long> deselected;
};

// Lets the event loop run for the given time.
}  // namespace

TEST(BKListCtrl, ReportsWhatWasAppended)
{
    ListWindow window(3);
    BKListCtrl* list = window.list;
    window.Fill(50);
    const wxString unicode = wxString::FromUTF8("Müller & Söhne – Straße \xF0\x9F\x98\x80");
    int object = 0;
    ASSERT_TRUE(list->Append(
        MakeRow(&object, {"", "Müller & Söhne – Straße \xF0\x9F\x98\x80", "x"}), true));

    EXPECT_EQ(51, list->GetItemCount());
    wxListCtrl* plain = list;
    EXPECT_EQ(51, plain->GetItemCount());
    EXPECT_EQ("r0c0", list->GetText(0, 0));
    EXPECT_EQ("r49c2", list->GetText(49, 2));
    EXPECT_EQ("r17c1", list->GetItemText(17, 1));
    EXPECT_EQ(window.Pointer(17), list->GetPointer(17, 2));
    EXPECT_EQ(reinterpret_cast<wxUIntPtr>(window.Pointer(17)), list->GetItemData(17));
    EXPECT_EQ("", list->GetText(50, 0));
    EXPECT_EQ(unicode, list->GetText(50, 1));
    EXPECT_EQ(&object, list->GetPointer(50, 0));

    // What the toolkit itself shows comes from the same storage.
    list->Update();
    EXPECT_EQ(51, plain->wxListCtrl::GetItemCount());
    EXPECT_EQ("r49c2", plain->wxListCtrl::GetItemText(49, 2));
    EXPECT_EQ(unicode, plain->wxListCtrl::GetItemText(50, 1));
}

TEST(BKListCtrl, AnswersBothClassRecords)
{
    ListWindow window(1);
    EXPECT_EQ("BKListCtrl", window.list->GetClassInfo().GetName());
    EXPECT_EQ("0.0.8", window.list->GetClassInfo().GetVersion());
    const Brenik::BKLib* library = window.list;
    EXPECT_EQ("BKListCtrl", library->GetClassInfo().GetName());
    Row row;
    EXPECT_EQ("BKListCtrlRow", row.GetClassInfo().GetName());
    EXPECT_EQ("0.0.1", row.GetClassInfo().GetVersion());

    const wxObject* object = window.list;
    EXPECT_EQ("Brenik::BKListCtrl", wxString(object->GetClassInfo()->GetClassName()));
    EXPECT_TRUE(object->IsKindOf(wxCLASSINFO(wxListCtrl)));
    EXPECT_EQ(window.list, wxDynamicCast(object, Brenik::BKListCtrl));
    const wxClassInfo* registered = wxClassInfo::FindClass("Brenik::BKListCtrl");
    ASSERT_NE(nullptr, registered);
    EXPECT_TRUE(registered->IsKindOf(wxCLASSINFO(wxListCtrl)));
}

TEST(BKListCtrl, RefusesRowsThatDoNotFitAndDeletesThemWhenAsked)
{
    ListWindow window(3);
    BKListCtrl* list = window.list;
    window.Fill(2);
    int rowsDestroyed = 0;

    auto* twoTexts = new CountedRow(nullptr, &rowsDestroyed);
    twoTexts->Add("a");
    twoTexts->Add("b");
    EXPECT_FALSE(list->Append(twoTexts, true));
    EXPECT_EQ(1, rowsDestroyed);

    auto* fits = new CountedRow(nullptr, &rowsDestroyed);
    for (const char* text : {"a", "b", "c"})
        fits->Add(text);
    EXPECT_FALSE(list->Insert(3, fits, false));  // count + 1
    EXPECT_FALSE(list->Insert(-1, fits, false));
    EXPECT_EQ(1, rowsDestroyed);
    EXPECT_EQ(2, list->GetItemCount());
    EXPECT_FALSE(list->Insert(3, fits, true));
    EXPECT_EQ(2, rowsDestroyed);

    EXPECT_FALSE(list->Append(nullptr, true));
    EXPECT_TRUE(list->Insert(2, MakeRow(nullptr, {"x", "y", "z"}), true));  // count: appends
    EXPECT_EQ(3, list->GetItemCount());
    EXPECT_EQ("z", list->GetText(2, 2));

    auto* kept = new CountedRow(nullptr, &rowsDestroyed);
    for (const char* text : {"k", "l", "m"})
        kept->Add(text);
    EXPECT_TRUE(list->Prepend(kept, false));
    EXPECT_EQ(2, rowsDestroyed);
    delete kept;
    EXPECT_EQ("k", list->GetText(0, 0));
    EXPECT_EQ("r0c0", list->GetText(1, 0));
}

TEST(BKListCtrl, InsertInTheMiddleKeepsTextsPointersAndSelectionTogether)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(5);
    ASSERT_TRUE(list->SetSelection(3));
    list->SetItemState(3, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    SelectionEvents events(list);

    int inserted = 0;
    ASSERT_TRUE(list->Insert(1, MakeRow(&inserted, {"new0", "new1"}), true));
    ASSERT_TRUE(list->Prepend(MakeRow(nullptr, {"first0", "first1"}), true));

    ASSERT_EQ(7, list->GetItemCount());
    const char* column1[] = {"first1", "r0c1", "new1", "r1c1", "r2c1", "r3c1", "r4c1"};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(column1[row], list->GetText(row, 1)) << "row " << row;
    EXPECT_EQ(nullptr, list->GetPointer(0, 0));
    EXPECT_EQ(window.Pointer(0), list->GetPointer(1, 0));
    EXPECT_EQ(&inserted, list->GetPointer(2, 0));
    EXPECT_EQ(window.Pointer(4), list->GetPointer(6, 1));
    EXPECT_EQ(window.Pointer(4), list->GetPointer(6, 1));

    // The selected and focused row moved with its texts, silently.
    EXPECT_EQ(5, list->GetSingleSelectionPosition());
    EXPECT_EQ(window.Pointer(3), list->GetSingleSelectionPointer());
    EXPECT_TRUE(list->IsRowSelected(5));
    EXPECT_FALSE(list->IsRowSelected(3));
    EXPECT_EQ(5, list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
    EXPECT_TRUE(events.selected.empty());
    EXPECT_TRUE(events.deselected.empty());
    EXPECT_EQ(1, list->GetSelectedItemCount());

    // What the toolkit paints for the rows follows as well.
    list->Update();
    EXPECT_EQ("new1", static_cast<wxListCtrl*>(list)->wxListCtrl::GetItemText(2, 1));
}

TEST(BKListCtrl, SetRewritesTheRowWithTheSamePointerOrAppends)
{
    ListWindow window(3);
    BKListCtrl* list = window.list;
    window.Fill(6);
    bool changed = false;
    list->SetChange(&changed);

    ASSERT_TRUE(list->Set(MakeRow(window.Pointer(4), {"a", "b", "c", "ignored"}), true));
    EXPECT_TRUE(changed);
    EXPECT_EQ(6, list->GetItemCount());
    EXPECT_EQ("a", list->GetText(4, 0));
    EXPECT_EQ("c", list->GetText(4, 2));
    EXPECT_EQ(window.Pointer(4), list->GetPointer(4, 0));
    EXPECT_EQ("r5c0", list->GetText(5, 0));

    int other = 0;
    ASSERT_TRUE(list->Set(MakeRow(&other, {"d", "e", "f"}), true));
    EXPECT_EQ(7, list->GetItemCount());
    EXPECT_EQ(6, list->GetPosition(&other));
    EXPECT_EQ("e", list->GetText(6, 1));

    int rowsDestroyed = 0;
    auto* tooShort = new CountedRow(window.Pointer(1), &rowsDestroyed);
    tooShort->Add("only one");
    EXPECT_FALSE(list->Set(tooShort, true));
    EXPECT_EQ(1, rowsDestroyed);
    EXPECT_EQ("r1c0", list->GetText(1, 0));
    EXPECT_FALSE(list->Set(MakeRow(nullptr, {"g", "h", "i"}), true));
    EXPECT_FALSE(list->Set(nullptr, true));
    EXPECT_EQ(7, list->GetItemCount());

    EXPECT_EQ(-1, list->GetPosition(&rowsDestroyed));
    EXPECT_EQ(2, list->GetPosition(window.Pointer(2)));
}

TEST(BKListCtrl, SingleSelectionIsTheLowestSelectedRow)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(8);
    EXPECT_EQ(-1, list->GetSingleSelectionPosition());
    EXPECT_EQ(nullptr, list->GetSingleSelectionPointer());
    EXPECT_EQ(nullptr, list->GetSingleSelection());

    auto* coloured = MakeRow(window.Pointer(2), {"c0", "c1"});
    coloured->SetBackgroundColour(*wxRED);
    ASSERT_TRUE(list->Set(coloured, true));
    ASSERT_TRUE(list->SetSelection(5));
    ASSERT_TRUE(list->SetSelection(2));
    EXPECT_EQ(2, list->GetSelectedItemCount());
    EXPECT_EQ(2, list->GetSingleSelectionPosition());
    EXPECT_EQ(window.Pointer(2), list->GetSingleSelectionPointer());
    std::unique_ptr<Row> row(list->GetSingleSelection());
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(window.Pointer(2), row->GetPointer());
    ASSERT_EQ(2u, row->GetCount());
    EXPECT_EQ("c0", (*row)[0]);
    EXPECT_EQ("c1", (*row)[1]);
    EXPECT_FALSE(row->GetBackgroundColour().IsOk());

    EXPECT_TRUE(list->IsRowSelected(5));
    EXPECT_FALSE(list->IsRowSelected(4));
    EXPECT_FALSE(list->IsRowSelected(8));
    EXPECT_FALSE(list->IsRowSelected(-1));
    EXPECT_FALSE(list->SetSelection(8));
}

TEST(BKListCtrl, SelectedRowMovesUpAndDownWithTextsAndPointerButNotColour)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(4);
    auto* coloured = MakeRow(window.Pointer(2), {"c0", "c1"});
    coloured->SetBackgroundColour(*wxRED);
    ASSERT_TRUE(list->Set(coloured, true));
    list->Update();
    EXPECT_EQ(*wxRED, static_cast<wxListCtrl*>(list)->GetItemBackgroundColour(2));

    EXPECT_FALSE(list->SelectedItemUp());
    EXPECT_FALSE(list->SelectedItemDown());

    ASSERT_TRUE(list->SetSelection(2));
    ASSERT_TRUE(list->SelectedItemUp());
    EXPECT_EQ(4, list->GetItemCount());
    EXPECT_EQ("c1", list->GetText(1, 1));
    EXPECT_EQ("r1c1", list->GetText(2, 1));
    EXPECT_EQ(window.Pointer(2), list->GetPointer(1, 0));
    EXPECT_EQ(window.Pointer(1), list->GetPointer(2, 0));
    EXPECT_TRUE(list->IsRowSelected(1));
    EXPECT_FALSE(list->IsRowSelected(2));
    list->Update();
    EXPECT_FALSE(static_cast<wxListCtrl*>(list)->GetItemBackgroundColour(1).IsOk());

    ASSERT_TRUE(list->SelectedItemDown());
    ASSERT_TRUE(list->SelectedItemDown());
    EXPECT_EQ("c0", list->GetText(3, 0));
    EXPECT_EQ(window.Pointer(2), list->GetPointer(3, 0));
    EXPECT_EQ("r3c0", list->GetText(2, 0));
    EXPECT_EQ(3, list->GetSingleSelectionPosition());
    EXPECT_EQ(1, list->GetSelectedItemCount());

    EXPECT_FALSE(list->SelectedItemDown());  // last row
    EXPECT_EQ("c0", list->GetText(3, 0));
    list->SelectAll(false);
    ASSERT_TRUE(list->SetSelection(0));
    EXPECT_FALSE(list->SelectedItemUp());  // first row
    EXPECT_EQ("r0c0", list->GetText(0, 0));
}

TEST(BKListCtrl, SelectAllSelectsEveryRowOrClearsSelectionAndFocus)
{
    ListWindow window(1);
    BKListCtrl* list = window.list;
    EXPECT_FALSE(list->SelectAll(true));
    EXPECT_FALSE(list->SelectAll(false));

    window.Fill(6);
    SelectionEvents events(list);
    ASSERT_TRUE(list->SelectAll(true));
    EXPECT_EQ(6, list->GetSelectedItemCount());
    EXPECT_EQ(6u, events.selected.size());

    list->SetItemState(4, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    ASSERT_EQ(4, list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
    ASSERT_TRUE(list->SelectAll(false));
    EXPECT_EQ(0, list->GetSelectedItemCount());
    EXPECT_EQ(-1, list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
    EXPECT_EQ((std::vector<long>{0, 1, 2, 3, 4, 5}), events.deselected);
    EXPECT_EQ(-1, list->GetSingleSelectionPosition());
}

TEST(BKListCtrl, SelectionEventsReachHandlersAndTheParent)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(3);
    SelectionEvents onList(list);
    SelectionEvents onFrame(window.frame);

    ASSERT_TRUE(list->SetSelection(1));
    EXPECT_EQ(std::vector<long>{1}, onList.selected);
    EXPECT_EQ(std::vector<long>{1}, onFrame.selected);
    list->SetItemState(1, 0, wxLIST_STATE_SELECTED);
    EXPECT_EQ(std::vector<long>{1}, onList.deselected);
    EXPECT_EQ(std::vector<long>{1}, onFrame.deselected);
}

TEST(BKListCtrl, CellAccessOnlyReachesExistingCells)
{
    ListWindow window(3);
    BKListCtrl* list = window.list;
    window.Fill(10);

    bool ok = true;
    EXPECT_EQ("", list->GetText(99, 0, &ok));
    EXPECT_FALSE(ok);
    ok = false;
    EXPECT_EQ("r1c0", list->GetText(1, 0, &ok));
    EXPECT_FALSE(ok);  // never set to true
    ok = true;
    EXPECT_EQ("", list->GetText(1, 3, &ok));
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ("", list->GetText(-1, 0, &ok));
    EXPECT_FALSE(ok);

    EXPECT_TRUE(list->ExistField(9, 2));
    EXPECT_FALSE(list->ExistField(10, 0));
    EXPECT_FALSE(list->ExistField(0, 3));
    EXPECT_FALSE(list->ExistField(-1, 0));
    EXPECT_FALSE(list->ExistField(0, -1));
    EXPECT_EQ(nullptr, list->GetPointer(10, 0));
    EXPECT_EQ(nullptr, list->GetPointer(0, -1));

    // A text keeps the row's pointer, a pointer keeps the row's texts.
    EXPECT_TRUE(list->SetText(3, 1, wxString::FromUTF8("geändert")));
    EXPECT_EQ(wxString::FromUTF8("geändert"), list->GetText(3, 1));
    EXPECT_EQ("r3c2", list->GetText(3, 2));
    EXPECT_EQ(window.Pointer(3), list->GetPointer(3, 1));
    int other = 0;
    EXPECT_TRUE(list->SetPointer(3, 0, static_cast<void*>(&other)));
    EXPECT_EQ(&other, list->GetPointer(3, 2));
    EXPECT_EQ(wxString::FromUTF8("geändert"), list->GetText(3, 1));
    EXPECT_FALSE(list->SetText(10, 0, "x"));
    EXPECT_FALSE(list->SetPointer(0, 3, static_cast<void*>(&other)));
    EXPECT_EQ(window.Pointer(0), list->GetPointer(0, 0));
}

TEST(BKListCtrl, ChangeFlagFollowsRowChangesAndToolkitDeletions)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    EXPECT_FALSE(list->SetChanged(true));
    EXPECT_EQ(nullptr, list->GetChange());

    bool changed = false;
    list->SetChange(&changed);
    EXPECT_EQ(&changed, list->GetChange());
    window.Fill(5);
    EXPECT_TRUE(changed);
    EXPECT_TRUE(list->SetChanged(false));
    EXPECT_FALSE(changed);

    // Deleting through the plain toolkit interface raises the event, and the rows follow.
    wxListCtrl* plain = list;
    ASSERT_EQ(list->wxListCtrl::GetItemCount(), list->GetItemCount());
    ASSERT_TRUE(plain->DeleteItem(1));
    EXPECT_TRUE(changed);
    EXPECT_EQ(4, list->GetItemCount());
    EXPECT_EQ("r2c0", list->GetText(1, 0));
    EXPECT_EQ(window.Pointer(2), list->GetPointer(1, 0));
    EXPECT_EQ("r4c1", list->GetText(3, 1));

    list->SetChanged(false);
    ASSERT_TRUE(list->DeleteItem(3));
    EXPECT_TRUE(changed);
    EXPECT_EQ(3, list->GetItemCount());

    list->SetChanged(false);
    list->SetText(0, 0, "text");
    EXPECT_TRUE(changed);

    list->SetChanged(false);
    list->CleanUp();
    EXPECT_TRUE(changed);
    EXPECT_EQ(0, list->GetItemCount());

    window.Fill(3);
    list->SetChanged(false);
    plain->DeleteAllItems();
    EXPECT_TRUE(changed);
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ("", list->GetText(0, 0));

    window.Fill(3);
    list->SetChanged(false);
    list->ClearAll();
    EXPECT_TRUE(changed);
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(0, list->GetColumnCount());
}

TEST(BKListCtrl, CleanUpDestroysEveryPointedObjectOnceAfterTheItemsAreGone)
{
    ListWindow window(1);
    BKListCtrl* list = window.list;
    int destroyed = 0;
    auto* first = new Tracked(&destroyed);
    auto* shared = new Tracked(&destroyed);
    Tracked bare(&destroyed);

    auto* row = new Row(first);
    row->Add("first");
    ASSERT_TRUE(list->Append(row, true));
    for (int i = 0; i < 2; ++i) {
        row = new Row(shared);
        row->Add("shared");
        ASSERT_TRUE(list->Append(row, true));
    }
    row = new Row(static_cast<void*>(&bare));  // carried, never deleted
    row->Add("bare");
    ASSERT_TRUE(list->Append(row, true));
    row = new Row();
    row->Add("no pointer");
    ASSERT_TRUE(list->Append(row, true));

    // The moved row keeps the knowledge of how to delete its object.
    ASSERT_TRUE(list->SetSelection(0));
    ASSERT_TRUE(list->SelectedItemDown());
    ASSERT_EQ(first, list->GetPointer(1, 0));

    int destroyedDuringEvent = -1;
    list->Bind(wxEVT_LIST_DELETE_ALL_ITEMS, [&](wxListEvent& event) {
        destroyedDuringEvent = destroyed;
        event.Skip();
    });
    list->CleanUp();
    EXPECT_EQ(0, destroyedDuringEvent);
    EXPECT_EQ(2, destroyed);
    EXPECT_EQ(0, list->GetItemCount());

    list->CleanUp();  // empty: nothing more happens
    EXPECT_EQ(2, destroyed);
}

TEST(BKListCtrl, ColumnsInsertedOrRemovedLaterKeepTheRowsAligned)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(3);

    list->InsertColumn(0, "Front");
    ASSERT_EQ(3, list->GetColumnCount());
    EXPECT_EQ("", list->GetText(1, 0));
    EXPECT_EQ("r1c0", list->GetText(1, 1));
    EXPECT_EQ("r1c1", list->GetText(1, 2));
    list->InsertColumn(3, "Back");
    EXPECT_EQ("", list->GetText(2, 3));
    EXPECT_TRUE(list->Append(MakeRow(nullptr, {"a", "b", "c", "d"}), true));

    ASSERT_TRUE(list->DeleteColumn(1));
    EXPECT_EQ("r1c1", list->GetText(1, 1));
    EXPECT_EQ("c", list->GetText(3, 1));
    list->Update();
    EXPECT_EQ("d", static_cast<wxListCtrl*>(list)->wxListCtrl::GetItemText(3, 2));

    ASSERT_TRUE(list->DeleteAllColumns());
    list->InsertColumn(0, "New");
    EXPECT_EQ("", list->GetText(1, 0));
    EXPECT_EQ(4, list->GetItemCount());
}

TEST(BKListCtrl, AppendedRowsReachTheToolkitWithoutFurtherCalls)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(200);
    wxListCtrl* plain = list;
    EXPECT_EQ(200, plain->GetItemCount());
    EXPECT_EQ(200, plain->wxListCtrl::GetItemCount());
    EXPECT_EQ("r199c1", plain->wxListCtrl::GetItemText(199, 1));

    // A frozen list, which nobody sees, has the toolkit count its rows when it thaws.
    int hidden[3];
    list->Freeze();
    for (int& object : hidden)
        ASSERT_TRUE(list->Append(MakeRow(&object, {"hidden0", "hidden1"}), true));
    list->Thaw();
    EXPECT_EQ(203, plain->wxListCtrl::GetItemCount());
    EXPECT_EQ("hidden1", plain->wxListCtrl::GetItemText(202, 1));

    // Index-based calls through the list itself never wait for the batch.
    int last = 0;
    ASSERT_TRUE(list->Append(MakeRow(&last, {"last0", "last1"}), true));
    ASSERT_TRUE(list->SetSelection(203));
    EXPECT_TRUE(list->IsRowSelected(203));
    EXPECT_TRUE(list->EnsureVisible(203));
    EXPECT_EQ(203, list->GetNextItem(202));
    EXPECT_EQ(&last, list->GetSingleSelectionPointer());
}

TEST(BKListCtrl, RowStorageIsCompact)
{
    ListWindow window(13);
    BKListCtrl* list = window.list;
    const size_t rows = 2000;
    for (size_t i = 0; i < rows; ++i) {
        auto* row = new Row(static_cast<void*>(list));
        for (int column = 0; column < 13; ++column)
            row->Add(wxString::Format("%019d", column));  // 20-character texts
        ASSERT_TRUE(list->Append(row, true));
    }
    // 13 texts of 20 characters: 260 bytes of text, plus lengths, a header and the pointer.
    const double perRow = static_cast<double>(list->GetStorageBytes()) / rows;
    EXPECT_GE(perRow, 260.0);
    EXPECT_LE(perRow, 320.0);
}

TEST(BKListCtrl, DestroyingTheListLeavesTheChangeFlagAndObjectsAlone)
{
    int destroyed = 0;
    bool changed = false;
    auto object = std::make_unique<Tracked>(&destroyed);
    {
        ListWindow window(1);
        auto* row = new Row(object.get());
        row->Add("x");
        ASSERT_TRUE(window.list->Append(row, true));
        window.list->SetChange(&changed);
        changed = false;
    }
    EXPECT_FALSE(changed);
    EXPECT_EQ(0, destroyed);
}

TEST(BKListCtrl, LayoutCreatesTheListAsSubclassAndMakesItVirtual)
{
    TempDir dir;
    const wxString path = dir.Path("list.xrc");
    const char* layout = R"(<?xml version="1.0" encoding="UTF-8"?>
<resource xmlns="http://www.wxwidgets.org/wxxrc" version="2.5.3.0">
  <object class="wxPanel" name="ListTestPanel">
    <object class="wxBoxSizer">
      <orient>wxVERTICAL</orient>
      <object class="sizeritem">
        <option>1</option>
        <flag>wxEXPAND</flag>
        <object class="wxListCtrl" name="virtualListCtrl" subclass="Brenik::BKListCtrl">
          <style>wxLC_REPORT|wxLC_VIRTUAL</style>
        </object>
      </object>
      <object class="sizeritem">
        <option>1</option>
        <flag>wxEXPAND</flag>
        <object class="wxListCtrl" name="plainListCtrl" subclass="Brenik::BKListCtrl">
          <style>wxLC_REPORT</style>
        </object>
      </object>
    </object>
  </object>
</resource>
)";
    {
        wxFFile file(path, "w");
        ASSERT_TRUE(file.IsOpened());
        ASSERT_TRUE(file.Write(wxString::FromUTF8(layout)));
    }
    ASSERT_TRUE(wxXmlResource::Get()->Load(path));
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Layout");
    wxPanel* panel = wxXmlResource::Get()->LoadPanel(frame, "ListTestPanel");
    ASSERT_NE(nullptr, panel);

    auto* virtualList = dynamic_cast<BKListCtrl*>(panel->FindWindow(XRCID("virtualListCtrl")));
    ASSERT_NE(nullptr, virtualList);
    EXPECT_EQ(virtualList, XRCCTRL(*panel, "virtualListCtrl", Brenik::BKListCtrl));
    EXPECT_TRUE(virtualList->HasFlag(wxLC_VIRTUAL));

    auto* forgotten = dynamic_cast<BKListCtrl*>(panel->FindWindow(XRCID("plainListCtrl")));
    ASSERT_NE(nullptr, forgotten);
    forgotten->InsertColumn(0, "Only");
    int object = 0;
    ASSERT_TRUE(forgotten->Append(MakeRow(&object, {"shown"}), true));
    EXPECT_TRUE(forgotten->HasFlag(wxLC_VIRTUAL));
    EXPECT_TRUE(forgotten->HasFlag(wxLC_REPORT));
    EXPECT_EQ(1, forgotten->GetItemCount());
    forgotten->Update();
    EXPECT_EQ("shown", static_cast<wxListCtrl*>(forgotten)->wxListCtrl::GetItemText(0, 0));

    frame->Destroy();
    wxTheApp->ProcessIdle();
    wxXmlResource::Get()->Unload(path);
}

TEST(BKListCtrl, MouseAndKeyboardRaiseTheListEvents)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    window.Fill(4);
    list->Update();
    RunEventsFor(100);
    SelectionEvents events(list);
    std::vector<long> activated;
    std::vector<long> rightClicked;
    list->Bind(wxEVT_LIST_ITEM_ACTIVATED,
               [&](wxListEvent& event) { activated.push_back(event.GetIndex()); });
    list->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK,
               [&](wxListEvent& event) { rightClicked.push_back(event.GetIndex()); });
    auto rowPoint = [list](long row) {
        wxRect rect;
        list->GetItemRect(row, rect);
        return list->ClientToScreen(rect.GetPosition() + wxPoint(20, rect.height / 2));
    };
    wxUIActionSimulator simulator;

    simulator.MouseMove(rowPoint(1));
    simulator.MouseClick();
    ASSERT_TRUE(WaitFor("a row selected", [&] { return !events.selected.empty(); }));
    EXPECT_EQ(std::vector<long>{1}, events.selected);
    EXPECT_EQ(window.Pointer(1), list->GetSingleSelectionPointer());

    // A click below the last row clears the selection and says so.
    wxRect last;
    ASSERT_TRUE(list->GetItemRect(3, last));
    simulator.MouseMove(list->ClientToScreen(wxPoint(20, last.GetBottom() + 3 * last.height)));
    simulator.MouseClick();
    ASSERT_TRUE(WaitFor("a row deselected", [&] { return !events.deselected.empty(); }));
    EXPECT_EQ(std::vector<long>{1}, events.deselected);
    EXPECT_EQ(nullptr, list->GetSingleSelectionPointer());

    simulator.MouseMove(rowPoint(2));
    simulator.MouseClick();
    ASSERT_TRUE(WaitFor("two rows selected", [&] { return events.selected.size() == 2; }));
    simulator.Char(WXK_DOWN);
    ASSERT_TRUE(WaitFor("three rows selected", [&] { return events.selected.size() == 3; }));
    EXPECT_EQ((std::vector<long>{1, 2, 3}), events.selected);
    EXPECT_EQ((std::vector<long>{1, 2}), events.deselected);
    EXPECT_EQ(3, list->GetSingleSelectionPosition());

    simulator.MouseMove(rowPoint(0));
    simulator.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(WaitFor("the right click", [&] { return !rightClicked.empty(); }));
    EXPECT_EQ(std::vector<long>{0}, rightClicked);
    simulator.MouseDblClick();
    ASSERT_TRUE(WaitFor("the row activated", [&] { return !activated.empty(); }));
    EXPECT_EQ(std::vector<long>{0}, activated);
}

TEST(BKListCtrl, HeaderClickSortsByColumnAndSelectionFollowsItsRows)
{
    ListWindow window(3);
    BKListCtrl* list = window.list;
    int rows[4] = {};
    ASSERT_TRUE(list->Append(MakeRow(&rows[0], {"Zahnärzte", "80331", "2.1.2020"}), true));
    ASSERT_TRUE(list->Append(MakeRow(&rows[1], {"bäckereien", "9", "31.12.2019"}), true));
    ASSERT_TRUE(list->Append(MakeRow(&rows[2], {"Buchhandlungen", "01067", "15.01.2020"}), true));
    ASSERT_TRUE(list->Append(MakeRow(&rows[3], {"Backstuben", "", "1.1.2021"}), true));
    ASSERT_EQ(list->wxListCtrl::GetItemCount(), list->GetItemCount());
    list->SelectOnly(2);  // as the program selects a row, the keyboard's current row too
    SelectionEvents events(list);
    auto order = [&] {
        std::vector<int> result;
        for (int row = 0; row < list->GetItemCount(); ++row)
            result.push_back(static_cast<int*>(list->GetPointer(row, 0)) - rows);
        return result;
    };

    // The user clicks the first column's heading, then clicks it again.
    wxUIActionSimulator simulator;
    const wxPoint heading = list->ClientToScreen(wxPoint(20, 8));
    simulator.MouseMove(heading);
    simulator.MouseClick();
    RunEventsFor(600);  // the second click is no double click
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), order());
    EXPECT_EQ(0, list->GetSortIndicator());
    EXPECT_TRUE(list->IsAscendingSortIndicator());
    EXPECT_EQ(&rows[2], list->GetSingleSelectionPointer());
    EXPECT_EQ(2, list->GetSingleSelectionPosition());
    EXPECT_EQ(wxString::FromUTF8("bäckereien"), list->GetText(0, 0));
    simulator.MouseClick();
    RunEventsFor(600);
    EXPECT_EQ((std::vector<int>{0, 2, 3, 1}), order());
    EXPECT_FALSE(list->IsAscendingSortIndicator());
    EXPECT_EQ(&rows[2], list->GetSingleSelectionPointer());
    EXPECT_EQ(1, list->GetSingleSelectionPosition());
    // The selected company stayed the same: nobody is told of a selection change.
    EXPECT_TRUE(events.selected.empty());
    EXPECT_TRUE(events.deselected.empty());

    // The keys go on from the selected row, and a sort keeps exactly the rows selected.
    std::vector<long> activated;
    list->Bind(wxEVT_LIST_ITEM_ACTIVATED,
               [&](wxListEvent& event) { activated.push_back(event.GetIndex()); });
    list->SetFocus();
    simulator.Char(WXK_RETURN);
    WaitFor("the selected row opened", [&] { return activated == std::vector<long>{1}; });
    simulator.Char(WXK_DOWN);
    WaitFor("the next row alone selected",
            [&] { return list->IsRowSelected(2) && list->GetSelectedItemCount() == 1; });
    simulator.Char(WXK_DOWN, wxMOD_SHIFT);
    WaitFor("two rows selected", [&] { return list->GetSelectedItemCount() == 2; });
    EXPECT_EQ(&rows[1], list->GetCurrentSelectionPointer());  // where Shift+Down went
    EXPECT_EQ(&rows[3], list->GetSingleSelectionPointer());

    // Numbers by value, dates by date.
    ASSERT_TRUE(list->SortByColumn(1, true));
    EXPECT_EQ((std::vector<int>{3, 1, 2, 0}), order());
    EXPECT_TRUE(list->IsRowSelected(0) && list->IsRowSelected(1));
    simulator.Char(WXK_DOWN);
    WaitFor("the row after the current one alone selected",
            [&] { return list->IsRowSelected(2) && list->GetSelectedItemCount() == 1; });
    ASSERT_TRUE(list->SortByColumn(2, true));
    EXPECT_EQ((std::vector<int>{1, 0, 2, 3}), order());
    EXPECT_FALSE(list->SortByColumn(3, true));

    // A new list of rows comes in its own order.
    list->CleanUp();
    EXPECT_EQ(-1, list->GetSortIndicator());
}

TEST(BKListCtrl, CtrlAAndCtrlCCopyTheRowsAsTabSeparatedText)
{
    ListWindow window(2);
    BKListCtrl* list = window.list;
    ASSERT_TRUE(list->Append(MakeRow(nullptr, {"Müller GmbH", "Berlin"}), true));
    ASSERT_TRUE(list->Append(MakeRow(nullptr, {"Tab\there", "Line\nbreak"}), true));
    ASSERT_TRUE(list->Append(MakeRow(nullptr, {"=cmd|' /C calc'!A0", "\t+49 160 1234"}), true));
    ASSERT_TRUE(list->Append(MakeRow(nullptr, {"\"=1+1\"", "\n=1+1"}), true));
    ASSERT_EQ(list->wxListCtrl::GetItemCount(), list->GetItemCount());
    EXPECT_FALSE(list->CopySelection());  // nothing selected

    wxUIActionSimulator simulator;
    wxRect first;
    ASSERT_TRUE(list->GetItemRect(0, first));
    simulator.MouseMove(list->ClientToScreen(first.GetPosition() + wxPoint(20, first.height / 2)));
    simulator.MouseClick();
    RunEventsFor(100);
    simulator.Char('a', wxMOD_CONTROL);
    RunEventsFor(100);
    EXPECT_EQ(4, list->GetSelectedItemCount());
    simulator.Char('c', wxMOD_CONTROL);
    RunEventsFor(100);

    // Quoted as in the Excel file, and what would run as a formula marked as text, also
    // where a quote or a trimmed blank stood before it.
    const wxString expected = wxString::FromUTF8(
        "\"Column 0\"\t\"Column 1\"\n\"Müller GmbH\"\t\"Berlin\"\n\"Tab here\"\t\"Line break\"\n"
        "\"'=cmd|' /C calc'!A0\"\t\"' +49 160 1234\"\n\"\"\"=1+1\"\"\"\t\"' =1+1\"\n");
    EXPECT_EQ(expected, list->GetSelectionText());
    wxTextDataObject pasted;
    {
        wxClipboardLocker clipboard;
        ASSERT_FALSE(!clipboard);
        ASSERT_TRUE(wxTheClipboard->GetData(pasted));
    }
    EXPECT_EQ(expected, pasted.GetText());
}
