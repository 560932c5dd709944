#include "directory/CompanyEntity.h"

#include <memory>

namespace {

// The text columns from "name" to "memberships", in declaration order.
// clang-format off
const char* const textFields[] = {
    "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone", "fax",
    "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes", "openingHours", "logo",
    "districtCourt", "commercialRegister", "blog", "twitter", "facebook", "imprintUrl",
    "keywords", "description", "imprint", "staff", "startyear", "typeofcompany", "owner",
    "cooperations", "memberships"};
// clang-format on

const char* const trailingTextFields[] = {"premiumStartDate", "premiumStopDate", "created",
                                          "updated"};

std::unique_ptr<Brenik::BKEntity> MakePrototype(bool withSectors)
{
    auto entity = std::make_unique<Brenik::BKEntity>();
    const wxString none;
    entity->Set("id", 0u, false, false, none, 0, true);
    for (const char* key : textFields)
        entity->Set(key, wxString(), true, true, none, 0, true);
    entity->Set("parking", false, false, false, none, 0, true);
    entity->Set("premium", 0u, false, false, none, 0, true);
    for (const char* key : trailingTextFields)
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
    : SQLiteEntity(database, "companies", "id", true, wxString(), wxString(), 0)
{
    CopyFields(Prototype(withSectors));
}

wxString CompanyEntity::GetAddressWithHousenumber()
{
    BKEntityType* address = Get("address");
    BKEntityType* housenumber = Get("housenumber");
    wxString text = address ? address->ToString() : wxString();
    if (housenumber && !housenumber->IsEmpty())
        text += " " + housenumber->ToString();
    return text;
}
