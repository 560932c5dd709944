// A list of the program's records in insertion order. With auto clean-up it owns them and
// deletes them with itself; without, they belong to someone else.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "directory/SQLiteEntity.h"
#include "lib/core/BKTemplateContainer.h"

template <typename T>
class SQLiteEntityContainer : public Brenik::BKTemplateContainer<SQLiteEntity*> {
public:
    explicit SQLiteEntityContainer(bool autoCleanUp) : autoCleanUp(autoCleanUp) {}
    ~SQLiteEntityContainer() override
    {
        if (autoCleanUp)
            CleanUp();
    }
    SQLiteEntityContainer(const SQLiteEntityContainer&) = delete;
    SQLiteEntityContainer& operator=(const SQLiteEntityContainer&) = delete;

    void SetAutoCleanUp(bool autoCleanUp) { this->autoCleanUp = autoCleanUp; }
    bool GetAutoCleanUp() const { return autoCleanUp; }

    // The record at the index as its own class; null when out of range or of another class.
    T* GetEntity(unsigned int index) const { return dynamic_cast<T*>(GetItem(index)); }

    // Deletes every record, front to back, and empties the list, whatever the flag says.
    void CleanUp()
    {
        for (SQLiteEntity* entity : items)
            delete entity;
        items.clear();
    }

    // The value texts of the field in list order; records without the field are skipped.
    virtual wxArrayString ToArrayString(const wxString& key)
    {
        wxArrayString values;
        for (SQLiteEntity* entity : items) {
            Brenik::BKEntity::BKEntityType* field = entity ? entity->Get(key) : nullptr;
            if (field)
                values.Add(field->ToString());
        }
        return values;
    }

    // The records' texts, one record after the other, separated by a line break.
    virtual wxString ToString()
    {
        wxString text;
        for (size_t index = 0; index < items.size(); ++index) {
            if (index > 0)
                text += "\n";
            if (items[index])
                text += items[index]->ToString();
        }
        return text;
    }

private:
    bool autoCleanUp;
};
