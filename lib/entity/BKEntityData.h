// The data access for one table: starts SELECT statements on its query, copies result rows
// into entities and writes entities back. Owns its query when the clean-up flag is set.
#pragma once

#include <vector>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/db/BKData.h"
#include "lib/entity/BKEntity.h"

namespace Brenik {

class BKDatabaseEntity;
class BKQuery;

class BKEntityData : public BKData {
public:
    // Direction 0 orders descending, anything else ascending.
    BKEntityData(BKQuery* query, const wxString& table, const wxString& primaryKey,
                 const wxString& orderByField, unsigned int direction, bool cleanUp);

    BKClassInfo GetClassInfo() const override;

    // Start a statement; the rows are then read with Run() and Get(entity).
    virtual bool Get() = 0;
    virtual bool Get(unsigned int id) = 0;
    virtual bool Get(const wxString& value, bool delimiters) = 0;
    virtual bool Get(const wxString& field, const wxString& value, bool delimiters) = 0;
    // Whether a row has field = value, not counting rows where field = oldValue.
    virtual bool Exists(const wxString& field, const wxString& value, const wxString& oldValue,
                        bool delimiters, bool escape) = 0;

    // Copies the current row into the fields of the same name, converted by each field's
    // type code; fields without a column keep their values. The two texts have no effect.
    void Get(BKEntity* entity, const wxString& unused1 = wxString(),
             const wxString& unused2 = wxString());

    bool Insert(BKDatabaseEntity* entity, bool skipPrimaryKey, wxArrayString* exclude,
                BKQuery* query);
    bool Update(BKDatabaseEntity* entity, const wxString& whereField, bool skipPrimaryKey,
                wxArrayString* exclude, BKQuery* query);
    // Updates when a row with the entity's primary key exists, inserts otherwise.
    bool InsertOrUpdate(BKDatabaseEntity* entity, wxArrayString* exclude, BKQuery* query);
    bool Delete(BKDatabaseEntity* entity, const wxString& whereField, BKQuery* query);
    // Writes the entity, then each dependent with its foreign key set to this primary key.
    bool Persist(BKDatabaseEntity* entity, BKQuery* query);

    void SetTable(const wxString& table) { this->table = table; }
    wxString GetTable() const { return table; }
    wxString GetPrimaryKey() const { return primaryKey; }
    void SetOrderBy(const wxString& field, unsigned int direction);
    // Fills whichever pointer is given; direction 0 is descending, 1 ascending.
    void GetOrderBy(wxString* field, unsigned int* direction) const;
    // The last statement built by a writing operation.
    wxString GetLastParsedQuery() const { return lastParsedQuery; }

protected:
    wxString GetOrderByField() const { return orderByField; }
    wxString GetOrder() const { return order; }

private:
    // Column positions of an entity's fields in one result, kept while rows of the same
    // result are loaded into entities of the same layout.
    struct LoadPlan {
        unsigned long long generation = 0;
        std::vector<const BKEntity::BKEntityType::Attributes*> layout;
        std::vector<int> columns;
        // Which fields have a column, and whether loading them changes the field order.
        std::vector<bool> loaded;
        bool reorders = false;
        // The texts of the row being loaded, kept to save an allocation per row.
        std::vector<BKEntity::LoadedText> texts;
    };

    void LoadByName(BKEntity* entity);
    void LoadByPlan(BKEntity* entity, BKQuery* query);
    bool IsPlanFor(const BKEntity* entity, unsigned long long generation) const;
    void MakePlan(const BKEntity* entity, BKQuery* query, unsigned long long generation);

    wxString table;
    wxString primaryKey;
    wxString orderByField;
    wxString order;
    wxString lastParsedQuery;
    LoadPlan plan;
};

}  // namespace Brenik
