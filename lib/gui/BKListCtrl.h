// A report list whose every row carries, besides one text per column, a pointer to the object
// it shows. The list copies a row's texts, pointer and colour into its own compact storage;
// the objects behind the pointers are handed to the list, and CleanUp() destroys them.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include <wx/arrstr.h>
#include <wx/colour.h>
#include <wx/listctrl.h>

#include "lib/core/BKLib.h"
#include "lib/core/BKType.h"

namespace Brenik {

// The toolkit's root class and the library's root class both declare a virtual GetClassInfo()
// without parameters, with different results. No class can override both, so each one is
// answered in a small base of its own; BKListCtrl derives from the two.
class BKListCtrlToolkitBase : public wxListCtrl {
public:
    // Answers the toolkit's run-time record "Brenik::BKListCtrl".
    wxClassInfo* GetClassInfo() const override;

protected:
    BKListCtrlToolkitBase() = default;
    BKListCtrlToolkitBase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                          long style, const wxValidator& validator, const wxString& name)
        : wxListCtrl(parent, id, pos, size, style, validator, name)
    {
    }
};

class BKListCtrlLibraryBase : public BKLib {
public:
    BKClassInfo GetClassInfo() const override;

protected:
    BKListCtrlLibraryBase() : BKLib(nullptr) {}
};

// The rows live in a virtual report list (wxLC_REPORT | wxLC_VIRTUAL): the toolkit asks for
// the texts of the visible rows only, so appending 100,000 rows costs no text measuring.
// A control created without wxLC_VIRTUAL (say by a layout that forgot it) switches itself to
// virtual report mode before its first row.
//
// Ownership of pointed-to objects: a row given a typed pointer (BKListCtrlRow(company),
// SetPointer(company)) remembers how to delete it, and CleanUp() deletes it as that type,
// once even if several rows show it. A bare void* is only carried, never deleted.
// Destroying the control does not destroy the objects: call CleanUp() first.
//
// Use the control through BKListCtrl*: rows are written with Insert/Set/SetText, and item
// data and item insertion of the plain toolkit interface do not reach the row storage.
// Deleting items through the toolkit (DeleteItem, DeleteAllItems, ClearAll) keeps the
// storage in step through either pointer type.
class BKListCtrl : public BKListCtrlToolkitBase, public BKListCtrlLibraryBase {
public:
    using Deleter = void (*)(void*);

    // One row handed to the list: the texts in column order (the array itself), the pointer
    // (not owned by the row) and an optional background colour. The list copies it.
    class BKListCtrlRow : public BKType, public wxArrayString {
    public:
        BKListCtrlRow() = default;
        // A bare pointer: the list carries it but CleanUp() does not delete it.
        explicit BKListCtrlRow(void* pointer) : pointer(pointer) {}
        // A typed pointer hands the object (made with new) to the list: CleanUp() deletes it
        // as T.
        template <class T>
        explicit BKListCtrlRow(T* object)
        {
            SetPointer(object);
        }

        void SetPointer(void* pointer)
        {
            this->pointer = pointer;
            deleter = nullptr;
        }
        template <class T>
        void SetPointer(T* object)
        {
            pointer = object;
            deleter = object ? &DeleteAs<T> : nullptr;
        }
        void* GetPointer() const { return pointer; }
        // How the list deletes the object; null for a bare pointer.
        Deleter GetDeleter() const { return deleter; }
        void SetPointer(void* pointer, Deleter deleter)
        {
            this->pointer = pointer;
            this->deleter = pointer ? deleter : nullptr;
        }

        void SetBackgroundColour(const wxColour& colour) { backgroundColour = colour; }
        // Invalid when unset.
        wxColour GetBackgroundColour() const { return backgroundColour; }

        BKClassInfo GetClassInfo() const override;

    private:
        void* pointer = nullptr;
        Deleter deleter = nullptr;
        wxColour backgroundColour;
    };

    template <class T>
    static void DeleteAs(void* object)
    {
        delete static_cast<T*>(object);
    }

    // Two-step creation, used by XRC layouts (subclass="Brenik::BKListCtrl").
    BKListCtrl();
    BKListCtrl(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_VIRTUAL,
               const wxValidator& validator = wxDefaultValidator,
               const wxString& name = wxListCtrlNameStr);
    ~BKListCtrl() override;

    BKListCtrl(const BKListCtrl&) = delete;
    BKListCtrl& operator=(const BKListCtrl&) = delete;

    using BKListCtrlLibraryBase::GetClassInfo;
    // wxWindow's GetPosition() stays reachable beside GetPosition(void*).
    using BKListCtrlToolkitBase::GetPosition;

    // Toolkit run-time class record and factory (what wxDECLARE_DYNAMIC_CLASS would declare).
    static wxClassInfo ms_classInfo;
    static wxObject* wxCreateObject();

    // Rows. Each call deletes the row when deleteRow is set, also when it fails. False for a
    // null row, a position outside 0..count, or a row whose text count differs from the
    // column count.
    bool Insert(int position, BKListCtrlRow* row, bool deleteRow);
    bool Prepend(BKListCtrlRow* row, bool deleteRow) { return Insert(0, row, deleteRow); }
    bool Append(BKListCtrlRow* row, bool deleteRow);
    // Appends a row whose texts, one for each column in order, are valid UTF-8: they go into
    // the storage as they are, with no conversion on the way. The object is handed over as
    // with a typed BKListCtrlRow. False, with the object not taken, when the count of texts
    // differs from the column count.
    template <class T>
    bool AppendUtf8(T* object, const std::string_view* texts, size_t count)
    {
        return AppendUtf8(object, object ? &DeleteAs<T> : nullptr, texts, count);
    }
    bool AppendUtf8(void* pointer, Deleter deleter, const std::string_view* texts, size_t count);
    // Rewrites the row showing the same pointer in place, or appends. False for a null row, a
    // null pointer or too few texts; texts beyond the column count are ignored.
    bool Set(BKListCtrlRow* row, bool deleteRow);

    // Index of the first row with this pointer, -1 when none.
    int GetPosition(void* pointer) const;
    // Lowest selected index, -1 when nothing is selected.
    int GetSingleSelectionPosition() const;
    // Pointer of the lowest selected row, null when nothing is selected.
    void* GetSingleSelectionPointer() const;
    // Pointer of the keyboard's current row when it is selected, as it is after a click or
    // Shift+Down; else of the lowest selected row; null when nothing is selected.
    void* GetCurrentSelectionPointer() const;
    // A new row (the caller owns it) with the pointer and all texts of the lowest selected row;
    // its colour is unset. Null when nothing is selected.
    BKListCtrlRow* GetSingleSelection() const;

    // Cell access. A cell exists when 0 <= row < item count and 0 <= column < column count.
    // Writing a text keeps the row's pointer; writing a pointer keeps the texts.
    bool SetText(int row, int column, const wxString& text);
    // Empty text for a missing cell, and then false is stored through ok (true never is).
    wxString GetText(int row, int column, bool* ok = nullptr) const;
    // Replaces the row's pointer; the object it showed before is not deleted.
    bool SetPointer(int row, int column, void* pointer);
    template <class T>
    bool SetPointer(int row, int column, T* object)
    {
        return SetPointer(row, column, object, object ? &DeleteAs<T> : nullptr);
    }
    bool SetPointer(int row, int column, void* pointer, Deleter deleter);
    // Null for a missing cell.
    void* GetPointer(int row, int column) const;
    bool ExistField(int row, int column) const;

    bool IsRowSelected(int row) const;
    // Selects every row, or clears the selected and focused state of every row; each row that
    // changes raises its selection event. False for an empty list.
    bool SelectAll(bool select);
    // Selects the row and leaves the others as they are; false for a missing row.
    bool SetSelection(int row);
    // Selects the row alone and makes it the keyboard's current row, from which the arrow
    // keys move and Shift extends, as a click on it does; scrolls it into view. False for a
    // missing row.
    bool SelectOnly(int row);
    // Move the lowest selected row one place; its texts and pointer move, its colour is lost.
    // False with nothing selected or at the edge.
    bool SelectedItemUp();
    bool SelectedItemDown();

    // Deletes all items (raising the all-items-deleted event), then destroys every object the
    // rows pointed to through a typed pointer, each object once.
    void CleanUp();

    // Orders the rows by one column's texts as BKCollation::CellKey does (numbers by value,
    // dates by date, texts in German dictionary order), rows with equal texts keeping their
    // order, and shows the header's sort indicator. Selection and focus move with their rows.
    // False for a missing column. A click on a column header sorts by it, ascending first,
    // and a second click reverses the order.
    bool SortByColumn(int column, bool ascending);
    // Sorts as a click on the column's header does: ascending first, reversed when the list
    // is sorted by that column already.
    bool SortAsHeaderClick(int column);

    // The column headings and then each selected row, in list order: texts separated by tabs,
    // lines ended by a line break (tabs and line breaks inside a text become blanks), each
    // text in double quotes (those inside doubled) and, when a spreadsheet would run it as a
    // formula, marked as text (BKSpreadsheetText).
    wxString GetSelectionText() const;
    // Puts GetSelectionText() on the clipboard (Ctrl+C); false when nothing is selected or
    // the clipboard cannot be had. Ctrl+A selects every row.
    bool CopySelection();
    // The list's shortcuts: Ctrl+C copies, Ctrl+A selects all; false for any other key.
    bool PressKey(int modifiers, int keyCode);

    // Optional shared change flag, not owned; operations that change rows store true in it.
    void SetChange(bool* change) { this->change = change; }
    bool* GetChange() const { return change; }
    // Stores the value through the flag; false when no flag is set.
    bool SetChanged(bool value);

    // Stores true through the change flag and lets the event go on to the parent.
    void ChangeEvent(wxListEvent& event);
    void ColumnClickEvent(wxListEvent& event);
    void KeyDownEvent(wxKeyEvent& event);

    // The number of rows held, also while the toolkit's own count is still catching up.
    int GetItemCount() const override;
    // Item data of the plain toolkit interface reads the row pointer.
    wxUIntPtr GetItemData(long item) const;

    // Bytes the row storage occupies on the heap (row table and text blocks).
    size_t GetStorageBytes() const;

    // Toolkit interface kept consistent with the row storage.
    bool ProcessEvent(wxEvent& event) override;
    bool DeleteColumn(int column) override;
    bool DeleteAllColumns() override;

    // Rows appended at the end reach the toolkit's item count in batches (after 100 ms while
    // the first page fills, then once a second, or at once when anything needs it): each new
    // count repaints the visible rows, and a search that lets the event loop run after every
    // row would otherwise spend most of its time painting. The calls below bring the count up
    // to date first. Through a plain wxListCtrl pointer, index-based calls may not yet see the
    // rows appended last.
    bool DeleteItem(long item);
    bool DeleteAllItems();
    void ClearAll();
    int GetItemState(long item, long stateMask) const;
    bool SetItemState(long item, long state, long stateMask);
    long GetNextItem(long item, int geometry = wxLIST_NEXT_ALL,
                     int state = wxLIST_STATE_DONTCARE) const;
    bool EnsureVisible(long item);
    bool GetItemRect(long item, wxRect& rect, int code = wxLIST_RECT_BOUNDS) const;
    void RefreshItem(long item);
    void RefreshItems(long itemFrom, long itemTo);
    // The text from the row storage; empty for a missing cell.
    wxString GetItemText(long item, int column = 0) const;
    void Update() override;
    using BKListCtrlToolkitBase::Update;

protected:
    wxString OnGetItemText(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;
    long DoInsertColumn(long column, const wxListItem& info) override;
    void DoThaw() override;

private:
    // The toolkit's count follows the rows; nobody else sets it.
    using BKListCtrlToolkitBase::SetItemCount;

    // One stored row: the pointer and one block holding the deleter index, the optional
    // colour and the texts as UTF-8 with their lengths.
    struct StoredRow {
        void* pointer = nullptr;
        std::unique_ptr<unsigned char[]> block;
    };

    bool EnsureVirtual();
    // Tells the toolkit about a row inserted before its last item; selected and focused items
    // at or after the position move down with their rows.
    void InsertToolkitItem(int position);
    // Brings the toolkit's item count up to the number of stored rows.
    void SyncCount() const;
    uint32_t DeleterIndex(Deleter deleter);
    StoredRow MakeRow(const BKListCtrlRow& row, size_t textCount);
    // Puts the stored row at the position (0..count) and tells the toolkit.
    void Place(int position, StoredRow stored);
    void StoreChange();

    std::vector<StoredRow> rows;
    std::vector<Deleter> deleters;  // index 0 means "not deleted"
    bool* change = nullptr;
    // Selection and focus events are swallowed while the toolkit's selection is re-laid
    // around an inserted row.
    bool quietSelection = false;
    mutable wxItemAttr attribute;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Brenik
