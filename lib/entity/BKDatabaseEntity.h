// An entity that can be written to a table: builds INSERT, UPDATE and DELETE templates with
// one placeholder per field and binds the field values into them by the fields' flags.
// Owns the dependent entities in its references list.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include "lib/core/BKTemplateContainer.h"
#include "lib/entity/BKEntity.h"

namespace Brenik {

class BKQuery;

class BKDatabaseEntity : public BKEntity {
public:
    explicit BKDatabaseEntity(bool autoSequence);
    BKDatabaseEntity(const wxString& table, const wxString& primaryKey, bool autoSequence,
                     const wxString& foreignKey, const wxString& foreignTable,
                     unsigned int reference);
    ~BKDatabaseEntity() override;

    BKClassInfo GetClassInfo() const override;

    virtual wxString CreateInsertQuery(bool skipPrimaryKey, wxArrayString* exclude) = 0;
    virtual wxString CreateUpdateQuery(const wxString& whereField, bool skipPrimaryKey,
                                       wxArrayString* exclude) = 0;
    virtual wxString CreateDeleteQuery(const wxString& whereField) = 0;
    // Runs a statement without result; kind 0 insert, 1 update, 2 delete.
    virtual bool ExecQuery(const wxString& statement, BKQuery* query, unsigned int kind) = 0;

    // The table is the entity's name.
    void SetTable(const wxString& table) { SetName(table); }
    wxString GetTable() const { return GetName(); }
    void SetForeignTable(const wxString& table) { foreignTable = Shared(table); }
    wxString GetForeignTable() const { return *foreignTable; }
    void SetReference(unsigned int reference) { this->reference = reference; }
    unsigned int GetReference() const { return reference; }
    // The primary key is assigned by the database, so writers leave it out.
    void SetGetAutoSequence(bool autoSequence) { this->autoSequence = autoSequence; }
    bool GetGetAutoSequence() const { return autoSequence; }
    // Dependent entities, written after this one; the list owns them.
    BKTemplateContainer<BKDatabaseEntity*>* GetReferences() { return &references; }

    // Appends "key, key" and ":key:, :key:" for the selected fields (prefix and suffix around
    // each name); returns the entity's field count.
    unsigned int BuildKeysValues(wxString* keys, wxString* values, const wxString& prefix,
                                 const wxString& suffix, bool skipPrimaryKey,
                                 wxArrayString* exclude);
    // Appends "key = :key:, ..."; returns the field count, 0 without a text.
    unsigned int BuildKeysValuesPairs(wxString* pairs, const wxString& prefix,
                                      const wxString& suffix, bool skipPrimaryKey,
                                      wxArrayString* exclude);
    wxString BuildInsertQuery(bool skipPrimaryKey, const wxString& prefix, const wxString& suffix,
                              wxArrayString* exclude);
    // Without a where-field the primary key selects the row; without either, every row.
    wxString BuildUpdateQuery(wxString whereField, bool skipPrimaryKey, const wxString& prefix,
                              const wxString& suffix, wxArrayString* exclude);
    wxString BuildDeleteQuery(wxString whereField, const wxString& prefix, const wxString& suffix);
    // Binds every field the template contains; bound (may be null) counts them.
    wxString BindValues(const wxString& queryTemplate, unsigned int* bound);

private:
    bool IsSelected(const BKEntityType* field, bool skipPrimaryKey,
                    const wxArrayString* exclude) const;

    const wxString* foreignTable;
    unsigned int reference = 0;
    bool autoSequence;
    BKTemplateContainer<BKDatabaseEntity*> references;
};

}  // namespace Brenik
