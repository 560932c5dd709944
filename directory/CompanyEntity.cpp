#include "directory/CompanyEntity.h"

#include <memory>

namespace {

// The text columns from "name" to "memberships", in declaration order.
// clang-format off
const char* const kTextFields[] = {
    "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone", "fax",
    "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes", "openingHours", "logo",
    "districtCourt", "commercialRegister", "blog", "twitter", "facebook", "imprintUrl",
    "keywords", "description", "imprint", "staff", "startyear", "typeofcompany", "owner",
    "cooperations", "memberships"};
// clang-format on

const char* const kTrailingTextFields[] = {"premiumStartDate", "premiumStopDate", "created",
                                           "updated"};

// Places in the declaration order: "id", then the text fields.
const unsigned int kAddressIndex = 3;
const unsigned int kHousenumberIndex = 4;

// Texts every record needs, made once: turning a literal into a wxString costs far more
// than copying or comparing one.
struct Texts {
    const wxString table{"companies"};
    const wxString primaryKey{"id"};
    const wxString address{"address"};
    const wxString housenumber{"housenumber"};
};

const Texts& Names()
{
    static const Texts texts;
    return texts;
}

std::unique_ptr<Brenik::BKEntity> MakePrototype(bool withSectors)
{
    auto entity = std::make_unique<Brenik::BKEntity>();
    const wxString none;
    entity->Set("id", 0u, false, false, none, 0, true);
    for (const char* key : kTextFields)
        entity->Set(key, wxString(), true, true, none, 0, true);
    entity->Set("parking", false, false, false, none, 0, true);
    entity->Set("premium", 0u, false, false, none, 0, true);
    for (const char* key : kTrailingTextFields)
        entity->Set(key, wxString(), true, true, none, 0, true);
    if (withSectors)
        entity->Set("sectors", wxString(), true, true, none, 0, true);
    return entity;
}

// A search creates one record per found company; copying a finished set of fields is far
// cheaper than declaring forty fields one by one.
const Brenik::BKEntity& Prototype(bool withSectors)
{
    static const std::unique_ptr<Brenik::BKEntity> with = MakePrototype(true);
    static const std::unique_ptr<Brenik::BKEntity> without = MakePrototype(false);
    return withSectors ? *with : *without;
}

}  // namespace

CompanyEntity::CompanyEntity(Brenik::BKSQLiteDatabase* database, bool withSectors)
    : SQLiteEntity(database, Names().table, Names().primaryKey, true, wxString(), wxString(), 0)
{
    CopyFields(Prototype(withSectors));
}

CompanyEntity::BKEntityType* CompanyEntity::DeclaredField(unsigned int declaredIndex,
                                                          const wxString& key) const
{
    BKEntityType* field = Get(declaredIndex);
    return field && field->GetKey() == key ? field : Get(key);
}

wxString CompanyEntity::GetAddressWithHousenumber()
{
    const BKEntityType* address = DeclaredField(kAddressIndex, Names().address);
    const BKEntityType* housenumber = DeclaredField(kHousenumberIndex, Names().housenumber);
    if (!housenumber || housenumber->IsEmpty())
        return address ? address->ToString() : wxString();
    return JoinAddress(address ? address->ToString() : wxString(), housenumber->ToString());
}

wxString CompanyEntity::JoinAddress(const wxString& address, const wxString& housenumber)
{
    if (housenumber.empty())
        return address;
    wxString text;
    text.reserve(address.length() + 1 + housenumber.length());
    text << address << ' ' << housenumber;
    return text;
}
