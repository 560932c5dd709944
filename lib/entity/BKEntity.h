// A record of named, typed fields: the in-memory form of a table row. The entity owns its
// field records; a field's key and flags live in a shared, immutable attribute record, so a
// field costs little more than its value text, and a loaded record keeps all its texts in
// one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <wx/string.h>

#include "lib/core/BKCasts.h"
#include "lib/core/BKCurrency.h"
#include "lib/core/BKLib.h"
#include "lib/core/BKTemplateContainer.h"

namespace Brenik {

class BKEntity : public BKLib {
public:
    // One field: its value (the text BKCasts holds, with all its conversions), its key, the
    // flags that tell the statement builder how to write it, and its type code (0 text,
    // 1 short, 2 unsigned short, 3 int, 4 unsigned int, 5 long, 6 unsigned long, 7 float,
    // 8 double, 9 UTF-8 text, 10 money, 11 bool).
    class BKEntityType : public BKCasts {
    public:
        // What a field is apart from its value. Records are interned: every field with the
        // same attributes points at the same record, which never changes or goes away.
        struct Attributes {
            wxString key;
            wxString field;
            unsigned int length = 0;
            unsigned int type = 0;
            bool delimiters = false;
            bool escape = false;
            bool null = false;
        };

        BKEntityType(const wxString& key, const wxString& value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, const char* value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, bool value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, short value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, unsigned short value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, int value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, unsigned int value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, long value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, unsigned long value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, float value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, double value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);
        BKEntityType(const wxString& key, const BKCurrency& value, bool delimiters, bool escape,
                     const wxString& field, unsigned int length, bool null);

        void SetKey(const wxString& key);
        const wxString& GetKey() const { return GetAttributes().key; }
        void SetDelimiters(bool delimiters);
        bool GetDelimiters() const { return GetAttributes().delimiters; }
        void SetEscape(bool escape);
        bool GetEscape() const { return GetAttributes().escape; }
        void SetField(const wxString& field);
        const wxString& GetField() const { return GetAttributes().field; }
        void SetLength(unsigned int length);
        unsigned int GetLength() const { return GetAttributes().length; }
        void SetNull(bool null);
        bool GetNull() const { return GetAttributes().null; }
        void SetType(unsigned int type);
        unsigned int GetType() const { return GetAttributes().type; }
        // Everything but the value at once.
        void SetParameters(const wxString& key, bool delimiters, bool escape, const wxString& field,
                           unsigned int length, bool null, unsigned int type);

        // The shared record; two fields with the same attributes return the same object, so
        // its address identifies a field layout cheaply.
        const Attributes& GetAttributes() const
        {
            return chunks[attributes / chunkSize][attributes % chunkSize];
        }

    private:
        friend class BKEntity;
        // The records, found by number in chunks that never move: a field keeps a number,
        // half the size of a pointer, and forty fields a record make that count.
        static constexpr std::uint32_t chunkSize = 1024;
        static constexpr std::uint32_t chunkCount = 65536;
        static Attributes* chunks[chunkCount];
        // The number of the record with those attributes, made when there is none.
        static std::uint32_t Intern(const Attributes& attributes);

        // A field of those attributes with the empty value, as Set makes it before the value.
        explicit BKEntityType(std::uint32_t attributes) : attributes(attributes) {}

        void Init(const wxString& key, bool delimiters, bool escape, const wxString& field,
                  unsigned int length, bool null, unsigned int type);
        void Replace(const Attributes& changed);

        std::uint32_t attributes;
    };

    BKEntity();
    BKEntity(const wxString& name, const wxString& primaryKey, const wxString& foreignKey);
    ~BKEntity() override;
    BKEntity(const BKEntity&) = delete;
    BKEntity& operator=(const BKEntity&) = delete;

    BKClassInfo GetClassInfo() const override;

    void SetName(const wxString& name) { this->name = Shared(name); }
    wxString GetName() const { return *name; }
    void SetPrimaryKey(const wxString& key) { primaryKey = Shared(key); }
    wxString GetPrimaryKey() const { return *primaryKey; }
    void SetForeignKey(const wxString& key) { foreignKey = Shared(key); }
    wxString GetForeignKey() const { return *foreignKey; }

    // Declares a field, replacing one of the same key; the field goes to the end of the
    // order. The value's type sets the type code.
    void Set(const wxString& key, const wxString& value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);
    void Set(const wxString& key, const char* value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);
    void Set(const wxString& key, bool value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, short value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, unsigned short value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);
    void Set(const wxString& key, int value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, unsigned int value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);
    void Set(const wxString& key, long value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, unsigned long value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);
    void Set(const wxString& key, float value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, double value, bool delimiters, bool escape, const wxString& field,
             unsigned int length, bool null);
    void Set(const wxString& key, const BKCurrency& value, bool delimiters, bool escape,
             const wxString& field, unsigned int length, bool null);

    // Changes the value of an existing field, keeping its flags and type code, and moves it
    // to the end of the order. False, changing nothing, for an unknown key.
    bool SetValue(const wxString& key, const wxString& value);
    bool SetValue(const wxString& key, const char* value);
    bool SetValue(const wxString& key, bool value);
    bool SetValue(const wxString& key, short value);
    bool SetValue(const wxString& key, unsigned short value);
    bool SetValue(const wxString& key, int value);
    bool SetValue(const wxString& key, unsigned int value);
    bool SetValue(const wxString& key, long value);
    bool SetValue(const wxString& key, unsigned long value);
    bool SetValue(const wxString& key, float value);
    bool SetValue(const wxString& key, double value);
    bool SetValue(const wxString& key, const BKCurrency& value);

    // Null when there is no such field (keys are case-sensitive) or index. The record stays
    // valid until the field is declared again or removed, or the entity goes.
    BKEntityType* Get(const wxString& key) const;
    BKEntityType* Get(unsigned int index) const
    {
        if (!inBlockOrder)
            return fields.GetItem(index);
        return index < blockSize ? BlockBegin() + index : nullptr;
    }
    unsigned int GetCount() const { return inBlockOrder ? blockSize : fields.GetItemCount(); }
    // False when there was no such field.
    bool Remove(const wxString& key);

    // Same fields (type code, key and value) regardless of order; names are not compared.
    bool Equals(BKEntity* other);
    // "key => { value }" per field, one per line.
    wxString ToString();
    // One CSV line (no line end): every cell (the key when header is set, else the value)
    // between delimiters, with separator and delimiter escaped by a backslash. A separator
    // "{tab}" means a tab.
    wxString ToCsv(bool header, wxString separator, const wxString& delimiter,
                   const wxString& lineBreakReplacement, bool replaceLineBreaks);

    // Moves the fields whose flag is set to the end, both groups keeping their order: the
    // order that SetValue on each flagged field, in list order, gives. Bulk loaders use it
    // after writing values directly into the records.
    void MoveToEnd(const std::vector<bool>& selected);

    // One text for the field at a place in the current order.
    struct LoadedText {
        unsigned int index;
        const char* text;
        size_t size;
    };
    // Gives the fields their texts, copied side by side into one block the entity owns: a
    // loaded record costs one allocation for all its texts instead of one per text. The
    // result is that of SetUtf8 on each field; a field set again later gets its own copy.
    void SetTexts(const std::vector<LoadedText>& texts);

protected:
    // The one copy of a text that every record shares: table and key names repeat in each
    // record of a search, and a record refers to them instead of keeping copies. The copy
    // never changes or goes away.
    static const wxString* Shared(const wxString& text);

    // Replaces every field by a copy of the prototype's fields, in its order: the same
    // result as declaring each of them with Set, without the searching.
    void CopyFields(const BKEntity& prototype);

private:
    struct BlockDeleter {
        void operator()(void* storage) const { ::operator delete(storage); }
    };

    int IndexOf(const wxString& key) const;
    BKEntityType* BlockBegin() const { return static_cast<BKEntityType*>(block.get()); }
    // Lists the records of the block in the field list, before anything changes the order.
    void ListBlock();
    void Declare(BKEntityType* field);
    template <typename T>
    bool Assign(const wxString& key, const T& value);
    // Ends a field record that has left (or is leaving) the list.
    void Destroy(BKEntityType* field);
    void DeleteFields();

    const wxString* name;
    const wxString* primaryKey;
    const wxString* foreignKey;
    BKTemplateContainer<BKEntityType*> fields;
    // The records made by CopyFields, side by side in one allocation: a search makes forty
    // of them per row, and one allocation instead of forty is most of the cost of a record.
    // A record of the block that is removed or redeclared is destroyed in place; the storage
    // goes with the entity (or the next CopyFields).
    std::unique_ptr<void, BlockDeleter> block;
    unsigned int blockSize = 0;
    // While set, the order is that of the block and the field list stays empty: a record
    // as CopyFields made it, which most never leave, needs no list of its own.
    bool inBlockOrder = false;
    // The texts given by SetTexts, each followed by a zero byte; fields refer into it.
    std::unique_ptr<char[]> textBlock;
};

}  // namespace Brenik
