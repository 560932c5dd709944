#include "lib/gui/BKListCtrl.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <string>
#include <utility>

#include <wx/clipbrd.h>

#include "lib/core/BKCollation.h"
#include "lib/core/BKSpreadsheetText.h"

namespace {

// A row block: varint (deleter index << 1 | has colour), then 4 colour bytes (RGBA) when
// there is a colour, then varint text count, then per text a varint byte length and the
// UTF-8 bytes. About a quarter of the size of the same texts held as wxString, in one
// allocation per row.

void WriteVarint(std::vector<unsigned char>& out, uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<unsigned char>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<unsigned char>(value));
}

uint32_t ReadVarint(const unsigned char*& p)
{
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = *p++;
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

// Code points of a wxString, whatever the width of wchar_t; broken surrogates become U+FFFD.
template <class Visit>
void ForEachCodePoint(const wxString& text, Visit visit)
{
    const wchar_t* s = text.wc_str();
    const size_t n = text.length();
    for (size_t i = 0; i < n; ++i) {
        uint32_t c = static_cast<uint32_t>(s[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(s[i + 1]) - 0xDC00);
            ++i;
        } else if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        visit(c);
    }
}

void WriteText(std::vector<unsigned char>& out, const wxString& text)
{
    uint32_t length = 0;
    ForEachCodePoint(text, [&length](uint32_t c) {
        length += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    });
    WriteVarint(out, length);
    ForEachCodePoint(text, [&out](uint32_t c) {
        if (c < 0x80) {
            out.push_back(static_cast<unsigned char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<unsigned char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<unsigned char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<unsigned char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<unsigned char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<unsigned char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<unsigned char>(0x80 | (c & 0x3F)));
        }
    });
}

// texts[0..count) are stored; missing ones as empty texts.
std::unique_ptr<unsigned char[]> EncodeBlock(uint32_t deleter, const wxColour& colour,
                                             const wxArrayString& texts, size_t count)
{
    static std::vector<unsigned char> scratch;
    scratch.clear();
    const bool hasColour = colour.IsOk();
    WriteVarint(scratch, deleter << 1 | (hasColour ? 1u : 0u));
    if (hasColour) {
        scratch.push_back(colour.Red());
        scratch.push_back(colour.Green());
        scratch.push_back(colour.Blue());
        scratch.push_back(colour.Alpha());
    }
    WriteVarint(scratch, static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i)
        WriteText(scratch, i < texts.GetCount() ? texts[i] : wxString());
    std::unique_ptr<unsigned char[]> block(new unsigned char[scratch.size()]);
    std::memcpy(block.get(), scratch.data(), scratch.size());
    return block;
}

size_t VarintSize(uint32_t value)
{
    size_t size = 1;
    for (; value >= 0x80; value >>= 7)
        ++size;
    return size;
}

unsigned char* PutVarint(unsigned char* out, uint32_t value)
{
    for (; value >= 0x80; value >>= 7)
        *out++ = static_cast<unsigned char>(value | 0x80);
    *out++ = static_cast<unsigned char>(value);
    return out;
}

// A block of texts already in UTF-8, without colour: measured first, then written once.
std::unique_ptr<unsigned char[]> EncodeUtf8Block(uint32_t deleter, const std::string_view* texts,
                                                 size_t count)
{
    size_t size = VarintSize(deleter << 1) + VarintSize(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i)
        size += VarintSize(static_cast<uint32_t>(texts[i].size())) + texts[i].size();
    std::unique_ptr<unsigned char[]> block(new unsigned char[size]);
    unsigned char* out = PutVarint(block.get(), deleter << 1);
    out = PutVarint(out, static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        out = PutVarint(out, static_cast<uint32_t>(texts[i].size()));
        if (!texts[i].empty())
            out = static_cast<unsigned char*>(std::memcpy(out, texts[i].data(), texts[i].size())) +
                  texts[i].size();
    }
    return block;
}

class BlockReader {
public:
    explicit BlockReader(const unsigned char* block) : start(block)
    {
        const unsigned char* p = block;
        const uint32_t header = ReadVarint(p);
        deleter = header >> 1;
        if (header & 1) {
            colour.Set(p[0], p[1], p[2], p[3]);
            p += 4;
        }
        count = ReadVarint(p);
        texts = p;
    }

    uint32_t GetDeleter() const { return deleter; }
    const wxColour& GetColour() const { return colour; }
    uint32_t GetCount() const { return count; }

    // The text at the index; empty beyond the stored count.
    wxString Text(uint32_t index) const
    {
        if (index >= count)
            return wxString();
        const unsigned char* p = texts;
        for (uint32_t i = 0; i < index; ++i) {
            const uint32_t length = ReadVarint(p);
            p += length;
        }
        return ReadText(p);
    }

    // Appends the UTF-8 bytes of the text at the index (nothing beyond the stored count).
    void AppendUtf8(uint32_t index, std::string& out) const
    {
        if (index >= count)
            return;
        const unsigned char* p = texts;
        for (uint32_t i = 0; i < index; ++i) {
            const uint32_t length = ReadVarint(p);
            p += length;
        }
        const uint32_t length = ReadVarint(p);
        out.append(reinterpret_cast<const char*>(p), length);
    }

    wxArrayString Texts() const
    {
        wxArrayString result;
        result.reserve(count);
        const unsigned char* p = texts;
        for (uint32_t i = 0; i < count; ++i)
            result.Add(ReadText(p));
        return result;
    }

    size_t GetSize() const
    {
        const unsigned char* p = texts;
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t length = ReadVarint(p);
            p += length;
        }
        return static_cast<size_t>(p - start);
    }

private:
    // Reads one length-prefixed text and moves past it.
    static wxString ReadText(const unsigned char*& p)
    {
        const uint32_t length = ReadVarint(p);
        if (length == 0)
            return wxString();  // the toolkit takes a zero length before more bytes as an error
        const char* bytes = reinterpret_cast<const char*>(p);
        p += length;
        return wxString::FromUTF8Unchecked(bytes, length);
    }

    const unsigned char* start;
    const unsigned char* texts = nullptr;
    uint32_t deleter = 0;
    uint32_t count = 0;
    wxColour colour;
};

wxObject* AsObject(const Brenik::BKListCtrl* list)
{
    return const_cast<wxObject*>(static_cast<const wxObject*>(list));
}

}  // namespace

// The toolkit's run-time record, what wxIMPLEMENT_DYNAMIC_CLASS would define; the class cannot
// use the macros because its library base also declares GetClassInfo().
wxClassInfo Brenik::BKListCtrl::ms_classInfo(wxT("Brenik::BKListCtrl"), &wxListCtrl::ms_classInfo,
                                             nullptr, static_cast<int>(sizeof(BKListCtrl)),
                                             BKListCtrl::wxCreateObject);

namespace Brenik {

wxClassInfo* BKListCtrlToolkitBase::GetClassInfo() const
{
    return &BKListCtrl::ms_classInfo;
}

BKClassInfo BKListCtrlLibraryBase::GetClassInfo() const
{
    return BKClassInfo::Make("BKListCtrl", "0.0.8");
}

BKClassInfo BKListCtrl::BKListCtrlRow::GetClassInfo() const
{
    return BKClassInfo::Make("BKListCtrlRow", "0.0.1");
}

// clang-format off
wxBEGIN_EVENT_TABLE(BKListCtrl, wxListCtrl)
    EVT_LIST_DELETE_ITEM(wxID_ANY, BKListCtrl::ChangeEvent)
    EVT_LIST_DELETE_ALL_ITEMS(wxID_ANY, BKListCtrl::ChangeEvent)
    EVT_LIST_COL_CLICK(wxID_ANY, BKListCtrl::ColumnClickEvent)
    EVT_KEY_DOWN(BKListCtrl::KeyDownEvent)
wxEND_EVENT_TABLE()

wxObject* BKListCtrl::wxCreateObject()
{
    return new BKListCtrl;
}
// clang-format on

BKListCtrl::BKListCtrl() : deleters(1, nullptr) {}

BKListCtrl::BKListCtrl(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                       const wxValidator& validator, const wxString& name)
    : BKListCtrlToolkitBase(parent, id, pos, size,
                            (style & ~wxLC_MASK_TYPE) | wxLC_REPORT | wxLC_VIRTUAL, validator,
                            name),
      deleters(1, nullptr)
{
}

BKListCtrl::~BKListCtrl()
{
    // The toolkit announces the removal of its items while the window is being torn down;
    // emptying the count here keeps that from reaching a change flag whose owner may be gone.
    change = nullptr;
    if (m_mainWin && HasFlag(wxLC_VIRTUAL))
        wxListCtrl::SetItemCount(0);
}

bool BKListCtrl::EnsureVirtual()
{
    if (!m_mainWin)
        return false;
    if (HasFlag(wxLC_VIRTUAL) && HasFlag(wxLC_REPORT))
        return true;
    wxCHECK_MSG(wxListCtrl::GetItemCount() == 0, false,
                "BKListCtrl holds items added through the plain toolkit interface");
    SetWindowStyleFlag((GetWindowStyleFlag() & ~wxLC_MASK_TYPE) | wxLC_REPORT | wxLC_VIRTUAL);
    return true;
}

uint32_t BKListCtrl::DeleterIndex(Deleter deleter)
{
    if (!deleter)
        return 0;
    const auto found = std::find(deleters.begin(), deleters.end(), deleter);
    if (found != deleters.end())
        return static_cast<uint32_t>(found - deleters.begin());
    deleters.push_back(deleter);
    return static_cast<uint32_t>(deleters.size() - 1);
}

BKListCtrl::StoredRow BKListCtrl::MakeRow(const BKListCtrlRow& row, size_t textCount)
{
    StoredRow stored;
    stored.pointer = row.GetPointer();
    stored.block =
        EncodeBlock(DeleterIndex(row.GetDeleter()), row.GetBackgroundColour(), row, textCount);
    return stored;
}

void BKListCtrl::StoreChange()
{
    if (change)
        *change = true;
}

void BKListCtrl::InsertToolkitItem(int position)
{
    // The storage already holds the new row; the toolkit is one item behind until the count
    // is set, so only the toolkit's own calls are used here.
    const long count = wxListCtrl::GetItemCount();
    std::vector<long> selected;
    if (GetSelectedItemCount() > 0) {
        for (long item =
                 wxListCtrl::GetNextItem(position - 1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
             item != -1;
             item = wxListCtrl::GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
            selected.push_back(item);
    }
    const long focused = wxListCtrl::GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    quietSelection = true;
    for (long item : selected)
        wxListCtrl::SetItemState(item, 0, wxLIST_STATE_SELECTED);
    wxListCtrl::SetItemCount(count + 1);
    for (long item : selected)
        wxListCtrl::SetItemState(item + 1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    if (focused >= position)
        wxListCtrl::SetItemState(focused + 1, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    quietSelection = false;
    wxListCtrl::RefreshItems(position, count);
}

void BKListCtrl::SyncCount() const
{
    if (!m_mainWin || !HasFlag(wxLC_VIRTUAL))
        return;
    if (static_cast<size_t>(wxListCtrl::GetItemCount()) != rows.size())
        const_cast<BKListCtrl*>(this)->wxListCtrl::SetItemCount(static_cast<long>(rows.size()));
}

void BKListCtrl::DoThaw()
{
    BKListCtrlToolkitBase::DoThaw();
    SyncCount();
}

bool BKListCtrl::Insert(int position, BKListCtrlRow* row, bool deleteRow)
{
    std::unique_ptr<BKListCtrlRow> owned(deleteRow ? row : nullptr);
    if (position < 0 || position > GetItemCount() || !row)
        return false;
    const int columns = GetColumnCount();
    if (row->GetCount() != static_cast<size_t>(columns) || !EnsureVirtual())
        return false;
    Place(position, MakeRow(*row, static_cast<size_t>(columns)));
    return true;
}

bool BKListCtrl::AppendUtf8(void* pointer, Deleter deleter, const std::string_view* texts,
                            size_t count)
{
    if (count != static_cast<size_t>(GetColumnCount()) || !EnsureVirtual())
        return false;
    StoredRow stored;
    stored.pointer = pointer;
    stored.block = EncodeUtf8Block(DeleterIndex(deleter), texts, count);
    Place(GetItemCount(), std::move(stored));
    return true;
}

void BKListCtrl::Place(int position, StoredRow stored)
{
    const bool atEnd = static_cast<size_t>(position) == rows.size();
    if (!atEnd)
        SyncCount();
    rows.insert(rows.begin() + position, std::move(stored));
    // A new count makes the toolkit lay out and repaint the list on the next pass of the
    // event loop; rows appended to a frozen list, which nobody sees, reach it when it thaws.
    // A list the toolkit thinks empty would not report clearing it, so the first row always
    // goes at once.
    if (atEnd && (!IsFrozen() || wxListCtrl::GetItemCount() == 0))
        SyncCount();
    else if (!atEnd)
        InsertToolkitItem(position);
    StoreChange();
}

bool BKListCtrl::Append(BKListCtrlRow* row, bool deleteRow)
{
    return Insert(GetItemCount(), row, deleteRow);
}

bool BKListCtrl::Set(BKListCtrlRow* row, bool deleteRow)
{
    std::unique_ptr<BKListCtrlRow> owned(deleteRow ? row : nullptr);
    if (!row || !row->GetPointer())
        return false;
    const int position = GetPosition(row->GetPointer());
    if (position < 0) {
        owned.release();  // Append takes the row over
        return Append(row, deleteRow);
    }
    const size_t columns = static_cast<size_t>(GetColumnCount());
    if (row->GetCount() < columns)
        return false;
    StoredRow& stored = rows[static_cast<size_t>(position)];
    // A bare pointer for an object the list already knows how to delete keeps that knowledge.
    const uint32_t deleter = row->GetDeleter() ? DeleterIndex(row->GetDeleter())
                                               : BlockReader(stored.block.get()).GetDeleter();
    stored.block = EncodeBlock(deleter, row->GetBackgroundColour(), *row, columns);
    RefreshItem(position);
    StoreChange();
    return true;
}

int BKListCtrl::GetPosition(void* pointer) const
{
    const auto found = std::find_if(rows.begin(), rows.end(), [pointer](const StoredRow& row) {
        return row.pointer == pointer;
    });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

int BKListCtrl::GetSingleSelectionPosition() const
{
    if (!m_mainWin || GetSelectedItemCount() == 0)
        return -1;
    return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void* BKListCtrl::GetSingleSelectionPointer() const
{
    const int position = GetSingleSelectionPosition();
    return position < 0 || static_cast<size_t>(position) >= rows.size()
               ? nullptr
               : rows[static_cast<size_t>(position)].pointer;
}

void* BKListCtrl::GetCurrentSelectionPointer() const
{
    const long current = m_mainWin ? GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) : -1;
    if (current >= 0 && static_cast<size_t>(current) < rows.size() &&
        GetItemState(current, wxLIST_STATE_SELECTED))
        return rows[static_cast<size_t>(current)].pointer;
    return GetSingleSelectionPointer();
}

BKListCtrl::BKListCtrlRow* BKListCtrl::GetSingleSelection() const
{
    const int position = GetSingleSelectionPosition();
    if (position < 0 || static_cast<size_t>(position) >= rows.size())
        return nullptr;
    const StoredRow& stored = rows[static_cast<size_t>(position)];
    const BlockReader reader(stored.block.get());
    auto* row = new BKListCtrlRow;
    row->SetPointer(stored.pointer, deleters[reader.GetDeleter()]);
    const wxArrayString texts = reader.Texts();
    for (int column = 0; column < GetColumnCount(); ++column)
        row->Add(column < static_cast<int>(texts.GetCount()) ? texts[column] : wxString());
    return row;
}

bool BKListCtrl::ExistField(int row, int column) const
{
    return row >= 0 && column >= 0 && static_cast<size_t>(row) < rows.size() &&
           column < GetColumnCount();
}

bool BKListCtrl::SetText(int row, int column, const wxString& text)
{
    if (!ExistField(row, column))
        return false;
    StoredRow& stored = rows[static_cast<size_t>(row)];
    const BlockReader reader(stored.block.get());
    wxArrayString texts = reader.Texts();
    const size_t count = std::max(texts.GetCount(), static_cast<size_t>(column) + 1);
    texts.resize(count);
    texts[static_cast<size_t>(column)] = text;
    stored.block = EncodeBlock(reader.GetDeleter(), reader.GetColour(), texts, count);
    RefreshItem(row);
    StoreChange();
    return true;
}

wxString BKListCtrl::GetText(int row, int column, bool* ok) const
{
    if (!ExistField(row, column)) {
        if (ok)
            *ok = false;
        return wxString();
    }
    return BlockReader(rows[static_cast<size_t>(row)].block.get())
        .Text(static_cast<uint32_t>(column));
}

bool BKListCtrl::SetPointer(int row, int column, void* pointer)
{
    return SetPointer(row, column, pointer, nullptr);
}

bool BKListCtrl::SetPointer(int row, int column, void* pointer, Deleter deleter)
{
    if (!ExistField(row, column))
        return false;
    StoredRow& stored = rows[static_cast<size_t>(row)];
    const BlockReader reader(stored.block.get());
    stored.pointer = pointer;
    stored.block = EncodeBlock(pointer ? DeleterIndex(deleter) : 0, reader.GetColour(),
                               reader.Texts(), reader.GetCount());
    StoreChange();
    return true;
}

void* BKListCtrl::GetPointer(int row, int column) const
{
    return ExistField(row, column) ? rows[static_cast<size_t>(row)].pointer : nullptr;
}

bool BKListCtrl::IsRowSelected(int row) const
{
    if (row < 0 || row >= GetItemCount() || !HasFlag(wxLC_VIRTUAL))
        return false;
    return GetItemState(row, wxLIST_STATE_SELECTED) != 0;
}

bool BKListCtrl::SelectAll(bool select)
{
    const int count = GetItemCount();
    if (count == 0)
        return false;
    if (select) {
        // The toolkit keeps rows selected one by one in a list that it searches at every
        // look-up, which makes walking a large selection take quadratic time; all rows are
        // selected as one range instead, and each row that changes is announced after.
        SyncCount();
        std::vector<long> changed;
        for (long item = 0; item < count; ++item)
            if (!wxListCtrl::GetItemState(item, wxLIST_STATE_SELECTED))
                changed.push_back(item);
        quietSelection = true;
        wxListCtrl::SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        quietSelection = false;
        for (long item : changed) {
            wxListEvent event(wxEVT_LIST_ITEM_SELECTED, GetId());
            event.SetEventObject(this);
            event.m_itemIndex = item;
            event.m_item.m_itemId = item;
            GetEventHandler()->ProcessEvent(event);
        }
        return true;
    }
    if (GetSelectedItemCount() > 0) {
        for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
             item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
            SetItemState(item, 0, wxLIST_STATE_SELECTED);
    }
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (focused != -1)
        SetItemState(focused, 0, wxLIST_STATE_FOCUSED);
    return true;
}

bool BKListCtrl::SetSelection(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    return true;
}

bool BKListCtrl::SelectOnly(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    SyncCount();
    for (long item = wxListCtrl::GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
         item != -1; item = wxListCtrl::GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        if (item != row)
            wxListCtrl::SetItemState(item, 0, wxLIST_STATE_SELECTED);
    // Selected without being current, the row would be skipped by the first Down, and Enter
    // and Shift+Down would act on no row at all.
    wxListCtrl::SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    wxListCtrl::EnsureVisible(row);
    return true;
}

bool BKListCtrl::SelectedItemUp()
{
    const int position = GetSingleSelectionPosition();
    if (position <= 0)
        return false;
    BKListCtrlRow* row = GetSingleSelection();
    DeleteItem(position);
    Insert(position - 1, row, true);
    SetSelection(position - 1);
    return true;
}

bool BKListCtrl::SelectedItemDown()
{
    const int position = GetSingleSelectionPosition();
    if (position < 0 || position >= GetItemCount() - 1)
        return false;
    BKListCtrlRow* row = GetSingleSelection();
    DeleteItem(position);
    Insert(position + 1, row, true);
    SetSelection(position + 1);
    return true;
}

void BKListCtrl::CleanUp()
{
    std::vector<std::pair<void*, Deleter>> owned;
    for (const StoredRow& row : rows) {
        const Deleter deleter = deleters[BlockReader(row.block.get()).GetDeleter()];
        if (row.pointer && deleter)
            owned.emplace_back(row.pointer, deleter);
    }
    // The items go first, so that no handler of the deletion event meets a destroyed object.
    if (m_mainWin && HasFlag(wxLC_VIRTUAL))
        DeleteAllItems();
    std::vector<StoredRow>().swap(rows);  // a large result's row table is not kept either
    // The rows that come next arrive in their own order.
    if (m_mainWin)
        RemoveSortIndicator();
    // Two rows may show the same object; it is destroyed once. Sorted by address, the rows
    // of one object stand side by side.
    auto byAddress = [](const auto& a, const auto& b) {
        return std::less<void*>()(a.first, b.first);
    };
    auto sameAddress = [](const auto& a, const auto& b) { return a.first == b.first; };
    std::sort(owned.begin(), owned.end(), byAddress);
    owned.erase(std::unique(owned.begin(), owned.end(), sameAddress), owned.end());
    for (const auto& [pointer, deleter] : owned)
        deleter(pointer);
}

bool BKListCtrl::SortByColumn(int column, bool ascending)
{
    if (column < 0 || column >= GetColumnCount() || !m_mainWin || !HasFlag(wxLC_VIRTUAL))
        return false;
    SyncCount();
    const size_t count = rows.size();
    // One key per row, made once: comparing keys is far cheaper than collating texts.
    std::vector<std::string> keys(count);
    for (size_t row = 0; row < count; ++row)
        keys[row] = BKCollation::CellKey(
            BlockReader(rows[row].block.get()).Text(static_cast<uint32_t>(column)));
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&keys, ascending](size_t a, size_t b) {
        return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });

    // Selection and focus belong to rows, not to places: they move with their rows.
    std::vector<long> selected;
    for (long item = wxListCtrl::GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
         item != -1; item = wxListCtrl::GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        selected.push_back(item);
    const long focused = wxListCtrl::GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);

    std::vector<StoredRow> sorted;
    sorted.reserve(count);
    std::vector<long> newPlace(count);
    for (size_t place = 0; place < count; ++place) {
        sorted.push_back(std::move(rows[order[place]]));
        newPlace[order[place]] = static_cast<long>(place);
    }
    rows.swap(sorted);

    quietSelection = true;
    // With every row selected (Ctrl+A) the selection stays as it is, as one range.
    if (selected.size() < count) {
        for (long item : selected)
            wxListCtrl::SetItemState(item, 0, wxLIST_STATE_SELECTED);
        for (long item : selected)
            wxListCtrl::SetItemState(newPlace[static_cast<size_t>(item)], wxLIST_STATE_SELECTED,
                                     wxLIST_STATE_SELECTED);
    }
    if (focused != -1)
        wxListCtrl::SetItemState(newPlace[static_cast<size_t>(focused)], wxLIST_STATE_FOCUSED,
                                 wxLIST_STATE_FOCUSED);
    quietSelection = false;
    // The row the user was at stays in view.
    const long current = focused != -1 ? focused : selected.empty() ? -1 : selected.front();
    if (current != -1)
        wxListCtrl::EnsureVisible(newPlace[static_cast<size_t>(current)]);

    ShowSortIndicator(column, ascending);
    if (count > 0)
        wxListCtrl::RefreshItems(0, static_cast<long>(count) - 1);
    StoreChange();
    return true;
}

wxString BKListCtrl::GetSelectionText() const
{
    // Built from the stored UTF-8 bytes and converted once: the clipboard may get every row
    // of a large result.
    std::string text;
    const int columns = GetColumnCount();
    auto appendCell = [&text](size_t start) {
        // A tab or line break inside a cell would end it early in the pasted table.
        for (size_t at = start; at < text.size(); ++at)
            if (text[at] == '\t' || text[at] == '\n' || text[at] == '\r')
                text[at] = ' ';
        // Enclosed and marked as in the file for Excel: a spreadsheet's import takes a quote
        // at the start of a value for its text delimiter, and what follows it might run as a
        // formula.
        for (size_t at = text.find('"', start); at != std::string::npos;
             at = text.find('"', at + 2))
            text.insert(at, 1, '"');
        text.insert(start, BKSpreadsheetText::TextMarkFor(std::string_view(text).substr(start)));
        text.insert(start, 1, '"');
        text += '"';
    };
    for (int column = 0; column < columns; ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        GetColumn(column, heading);
        if (column)
            text += '\t';
        const size_t start = text.size();
        text += heading.GetText().utf8_string();
        appendCell(start);
    }
    text += '\n';
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        const BlockReader reader(rows[static_cast<size_t>(item)].block.get());
        for (int column = 0; column < columns; ++column) {
            if (column)
                text += '\t';
            const size_t start = text.size();
            reader.AppendUtf8(static_cast<uint32_t>(column), text);
            appendCell(start);
        }
        text += '\n';
    }
    return wxString::FromUTF8(text);
}

bool BKListCtrl::CopySelection()
{
    if (GetSelectedItemCount() == 0)
        return false;
    wxClipboardLocker clipboard;
    if (!clipboard)
        return false;
    return wxTheClipboard->SetData(new wxTextDataObject(GetSelectionText()));
}

bool BKListCtrl::SortAsHeaderClick(int column)
{
    return SortByColumn(column, GetUpdatedAscendingSortIndicator(column));
}

void BKListCtrl::ColumnClickEvent(wxListEvent& event)
{
    SortAsHeaderClick(event.GetColumn());
    event.Skip();
}

bool BKListCtrl::PressKey(int modifiers, int keyCode)
{
    if (modifiers != wxMOD_CONTROL)
        return false;
    if (keyCode == 'C') {
        CopySelection();
        return true;
    }
    if (keyCode == 'A') {
        SelectAll(true);
        return true;
    }
    return false;
}

void BKListCtrl::KeyDownEvent(wxKeyEvent& event)
{
    if (!PressKey(event.GetModifiers(), event.GetKeyCode()))
        event.Skip();
}

bool BKListCtrl::SetChanged(bool value)
{
    if (!change)
        return false;
    *change = value;
    return true;
}

void BKListCtrl::ChangeEvent(wxListEvent& event)
{
    StoreChange();
    event.Skip();
}

int BKListCtrl::GetItemCount() const
{
    if (!m_mainWin)
        return 0;
    if (!HasFlag(wxLC_VIRTUAL))
        return wxListCtrl::GetItemCount();
    return static_cast<int>(rows.size());
}

wxUIntPtr BKListCtrl::GetItemData(long item) const
{
    if (item < 0 || item >= GetItemCount() || !HasFlag(wxLC_VIRTUAL))
        return 0;
    return reinterpret_cast<wxUIntPtr>(rows[static_cast<size_t>(item)].pointer);
}

size_t BKListCtrl::GetStorageBytes() const
{
    size_t bytes = rows.capacity() * sizeof(StoredRow) + deleters.capacity() * sizeof(Deleter);
    for (const StoredRow& row : rows)
        bytes += BlockReader(row.block.get()).GetSize();
    return bytes;
}

bool BKListCtrl::ProcessEvent(wxEvent& event)
{
    if (event.GetEventObject() != AsObject(this))
        return BKListCtrlToolkitBase::ProcessEvent(event);
    const wxEventType type = event.GetEventType();
    if (quietSelection && (type == wxEVT_LIST_ITEM_SELECTED || type == wxEVT_LIST_ITEM_DESELECTED ||
                           type == wxEVT_LIST_ITEM_FOCUSED))
        return true;
    // The toolkit announces a deletion before it forgets the item; the row leaves the storage
    // once every handler has seen it, whoever asked for the deletion.
    if (type == wxEVT_LIST_DELETE_ITEM) {
        const long item = static_cast<wxListEvent&>(event).GetIndex();
        const bool processed = BKListCtrlToolkitBase::ProcessEvent(event);
        if (item >= 0 && static_cast<size_t>(item) < rows.size())
            rows.erase(rows.begin() + item);
        return processed;
    }
    if (type == wxEVT_LIST_DELETE_ALL_ITEMS) {
        const bool processed = BKListCtrlToolkitBase::ProcessEvent(event);
        rows.clear();
        return processed;
    }
    return BKListCtrlToolkitBase::ProcessEvent(event);
}

bool BKListCtrl::DeleteItem(long item)
{
    SyncCount();
    return wxListCtrl::DeleteItem(item);
}

bool BKListCtrl::DeleteAllItems()
{
    SyncCount();
    const bool deleted = wxListCtrl::DeleteAllItems();
    rows.clear();
    return deleted;
}

void BKListCtrl::ClearAll()
{
    SyncCount();
    wxListCtrl::ClearAll();
    rows.clear();
}

int BKListCtrl::GetItemState(long item, long stateMask) const
{
    SyncCount();
    return wxListCtrl::GetItemState(item, stateMask);
}

bool BKListCtrl::SetItemState(long item, long state, long stateMask)
{
    SyncCount();
    return wxListCtrl::SetItemState(item, state, stateMask);
}

long BKListCtrl::GetNextItem(long item, int geometry, int state) const
{
    SyncCount();
    return wxListCtrl::GetNextItem(item, geometry, state);
}

bool BKListCtrl::EnsureVisible(long item)
{
    SyncCount();
    return wxListCtrl::EnsureVisible(item);
}

bool BKListCtrl::GetItemRect(long item, wxRect& rect, int code) const
{
    SyncCount();
    return wxListCtrl::GetItemRect(item, rect, code);
}

void BKListCtrl::RefreshItem(long item)
{
    SyncCount();
    wxListCtrl::RefreshItem(item);
}

void BKListCtrl::RefreshItems(long itemFrom, long itemTo)
{
    SyncCount();
    wxListCtrl::RefreshItems(itemFrom, itemTo);
}

wxString BKListCtrl::GetItemText(long item, int column) const
{
    if (!HasFlag(wxLC_VIRTUAL))
        return wxListCtrl::GetItemText(item, column);
    return GetText(static_cast<int>(item), column);
}

void BKListCtrl::Update()
{
    SyncCount();
    wxListCtrl::Update();
}

long BKListCtrl::DoInsertColumn(long column, const wxListItem& info)
{
    const long inserted = BKListCtrlToolkitBase::DoInsertColumn(column, info);
    if (inserted < 0)
        return inserted;
    // Existing rows get an empty text in the new column, so later columns keep their texts.
    for (StoredRow& row : rows) {
        const BlockReader reader(row.block.get());
        if (reader.GetCount() <= static_cast<uint32_t>(inserted))
            continue;
        wxArrayString texts = reader.Texts();
        texts.Insert(wxString(), static_cast<size_t>(inserted));
        row.block = EncodeBlock(reader.GetDeleter(), reader.GetColour(), texts, texts.GetCount());
    }
    return inserted;
}

bool BKListCtrl::DeleteColumn(int column)
{
    if (!BKListCtrlToolkitBase::DeleteColumn(column))
        return false;
    for (StoredRow& row : rows) {
        const BlockReader reader(row.block.get());
        if (reader.GetCount() <= static_cast<uint32_t>(column))
            continue;
        wxArrayString texts = reader.Texts();
        texts.RemoveAt(static_cast<size_t>(column));
        row.block = EncodeBlock(reader.GetDeleter(), reader.GetColour(), texts, texts.GetCount());
    }
    return true;
}

bool BKListCtrl::DeleteAllColumns()
{
    // Cheaper than the column-by-column removal the toolkit does: drop every text at once.
    for (StoredRow& row : rows) {
        const BlockReader reader(row.block.get());
        row.block = EncodeBlock(reader.GetDeleter(), reader.GetColour(), wxArrayString(), 0);
    }
    return BKListCtrlToolkitBase::DeleteAllColumns();
}

wxString BKListCtrl::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<size_t>(item) >= rows.size() || column < 0)
        return wxString();
    return BlockReader(rows[static_cast<size_t>(item)].block.get())
        .Text(static_cast<uint32_t>(column));
}

wxItemAttr* BKListCtrl::OnGetItemAttr(long item) const
{
    if (item < 0 || static_cast<size_t>(item) >= rows.size())
        return nullptr;
    const BlockReader reader(rows[static_cast<size_t>(item)].block.get());
    if (!reader.GetColour().IsOk())
        return nullptr;
    attribute = wxItemAttr();
    attribute.SetBackgroundColour(reader.GetColour());
    return &attribute;
}

}  // namespace Brenik
