// A typed list of pointers under the program's lists. It never deletes its items itself:
// each derived list decides that with its own clean-up flag.
#pragma once

#include <algorithm>
#include <vector>

#include "lib/core/BKLib.h"

namespace Brenik {

template <typename T>
class BKTemplateContainer : public BKLib {
public:
    BKTemplateContainer() : BKLib(nullptr) {}

    BKClassInfo GetClassInfo() const override
    {
        return BKClassInfo::Make("BKContainerTemplate", "0.8.4");
    }

    void AppendItem(T item) { items.push_back(item); }
    unsigned int GetItemCount() const { return static_cast<unsigned int>(items.size()); }
    // Null when the index is out of range.
    T GetItem(unsigned int index) const { return index < items.size() ? items[index] : T(); }
    // Takes every entry equal to the pointer out; true when one was removed.
    bool RemoveItem(T item)
    {
        auto end = std::remove(items.begin(), items.end(), item);
        bool removed = end != items.end();
        items.erase(end, items.end());
        return removed;
    }
    // Takes the entry at the index out and returns it; null when out of range.
    T RemoveItemAt(unsigned int index)
    {
        if (index >= items.size())
            return T();
        T item = items[index];
        items.erase(items.begin() + index);
        return item;
    }
    // Moves the entry at the index to the end, keeping the order of the others.
    void MoveItemToEnd(unsigned int index)
    {
        if (index < items.size())
            std::rotate(items.begin() + index, items.begin() + index + 1, items.end());
    }
    // Index of the first entry equal to the pointer, -1 when none.
    int FindItem(T item) const
    {
        auto it = std::find(items.begin(), items.end(), item);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }
    // Orders the entries by less(a, b); equal entries keep their order.
    template <class Less>
    void SortItems(Less less)
    {
        std::stable_sort(items.begin(), items.end(), less);
    }
    void ClearItems() { items.clear(); }
    void ReserveItems(unsigned int count) { items.reserve(count); }

protected:
    std::vector<T> items;
};

}  // namespace Brenik
