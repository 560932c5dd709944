#include "lib/core/BKContainer.h"

#include <algorithm>
#include <unordered_set>

namespace Brenik {

BKContainer::BKContainer(bool cleanUp) : BKLib(nullptr), cleanUp(cleanUp) {}

BKContainer::~BKContainer()
{
    if (cleanUp)
        CleanUp();
}

BKClassInfo BKContainer::GetClassInfo() const
{
    return BKClassInfo::Make("BKContainer", "0.3.4");
}

BKContainerType* BKContainer::Get(unsigned int index) const
{
    return index < items.size() ? items[index] : nullptr;
}

BKContainerType* BKContainer::Get(const wxString& comparison) const
{
    for (BKContainerType* item : items) {
        if (item && item->GetComparision() == comparison)
            return item;
    }
    return nullptr;
}

BKContainerType* BKContainer::Add(BKContainerType* item, bool checkDuplicate)
{
    BKContainerType* found = nullptr;
    if (checkDuplicate && item)
        found = Get(item->GetComparision());
    if (!found || found != item)
        items.push_back(item);
    return found;
}

BKContainerType* BKContainer::Remove(unsigned int index)
{
    if (index >= items.size())
        return nullptr;
    BKContainerType* item = items[index];
    items.erase(items.begin() + index);
    return item;
}

bool BKContainer::Remove(const BKContainerType* item)
{
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end())
        return false;
    items.erase(it);
    return true;
}

bool BKContainer::Remove(const wxString& comparison)
{
    BKContainerType* item = Get(comparison);
    return item && Remove(static_cast<const BKContainerType*>(item));
}

void BKContainer::CleanUp()
{
    // The same object may have been added twice (Add without the duplicate check); it is
    // deleted once.
    std::unordered_set<BKContainerType*> deleted;
    for (BKContainerType* item : items) {
        if (item && deleted.insert(item).second)
            delete item;
    }
    items.clear();
}

}  // namespace Brenik
