// A list of BKContainerType items found by index or by their text key. With the clean-up
// flag set it owns its items and deletes them when it goes; otherwise it only holds them.
#pragma once

#include <vector>

#include <wx/string.h>

#include "lib/core/BKContainerType.h"
#include "lib/core/BKLib.h"

namespace Brenik {

class BKContainer : public BKLib {
public:
    explicit BKContainer(bool cleanUp);
    // Deletes the items when the clean-up flag is set.
    ~BKContainer() override;
    BKContainer(const BKContainer&) = delete;
    BKContainer& operator=(const BKContainer&) = delete;

    BKClassInfo GetClassInfo() const override;

    void SetCleanUp(bool cleanUp) { this->cleanUp = cleanUp; }
    bool GetCleanUp() const { return cleanUp; }

    // Held entries, null entries included.
    unsigned int GetCount() const { return static_cast<unsigned int>(items.size()); }
    // Null when the index is not below the count.
    BKContainerType* Get(unsigned int index) const;
    // The first item whose key equals the text exactly; null when none.
    BKContainerType* Get(const wxString& comparison) const;

    // Appends the item unless checkDuplicate finds this very object already in the list.
    // Returns the first item with the same key when checkDuplicate is set (null when there
    // is none), so null means no other item had the key; without the check always null.
    BKContainerType* Add(BKContainerType* item, bool checkDuplicate);

    // Take an entry out of the list without deleting it.
    // The entry at the index, null when out of range.
    BKContainerType* Remove(unsigned int index);
    // The first entry equal to the pointer; false when there is none.
    bool Remove(const BKContainerType* item);
    // The first item with the key; false when there is none.
    bool Remove(const wxString& comparison);

    // Deletes every item and empties the list, whatever the clean-up flag says.
    void CleanUp();

private:
    bool cleanUp;
    std::vector<BKContainerType*> items;
};

}  // namespace Brenik
