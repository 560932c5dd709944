#include "directory/CompanyEntity.h"

#include <iterator>
#include <memory>
#include <vector>

namespace {

// The keys in the order of CompanyField.
// clang-format off
const char* const kKeys[] = {
    "id", "name", "ceo", "address", "housenumber", "zipcode", "city", "state", "phone", "fax",
    "mobile", "internet", "email", "taxIdNumber", "taxNumber", "notes", "openingHours", "logo",
    "districtCourt", "commercialRegister", "blog", "twitter", "facebook", "imprintUrl",
    "keywords", "description", "imprint", "staff", "startyear", "typeofcompany", "owner",
    "cooperations", "memberships", "parking", "premium", "premiumStartDate", "premiumStopDate",
    "created", "updated", "sectors"};
// clang-format on
constexpr size_t kFieldCount = sizeof(kKeys) / sizeof(kKeys[0]);
static_assert(kFieldCount == static_cast<size_t>(CompanyField::kSectors) + 1,
              "one key for each field");

// Texts every record needs, made once: turning a literal into a wxString costs far more
// than copying or comparing one.
struct Texts {
    const wxString table{"companies"};
    std::vector<wxString> keys{std::begin(kKeys), std::end(kKeys)};
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
    for (size_t index = 0; index < kFieldCount; ++index) {
        const auto field = static_cast<CompanyField>(index);
        const wxString& key = Names().keys[index];
        if (field == CompanyField::kId || field == CompanyField::kPremium)
            entity->Set(key, 0u, false, false, none, 0, true);
        else if (field == CompanyField::kParking)
            entity->Set(key, false, false, false, none, 0, true);
        else if (field != CompanyField::kSectors || withSectors)
            entity->Set(key, wxString(), true, true, none, 0, true);
    }
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
    : SQLiteEntity(database, Names().table, KeyOf(CompanyField::kId), true, wxString(), wxString(),
                   0)
{
    CopyFields(Prototype(withSectors));
}

const wxString& CompanyEntity::KeyOf(CompanyField field)
{
    return Names().keys[static_cast<size_t>(field)];
}

CompanyEntity::BKEntityType* CompanyEntity::Field(CompanyField field) const
{
    // Where each field sits in a record as declared, by its shared attribute record: every
    // record made alike shares it, so one comparison tells that the place holds the field.
    static const std::vector<const void*> declared = [] {
        const BKEntity& prototype = Prototype(true);
        std::vector<const void*> made(kFieldCount);
        for (size_t index = 0; index < kFieldCount; ++index)
            made[index] = &prototype.Get(static_cast<unsigned int>(index))->GetAttributes();
        return made;
    }();
    const auto index = static_cast<unsigned int>(field);
    BKEntityType* found = Get(index);
    if (found && &found->GetAttributes() == declared[index])
        return found;
    return Get(KeyOf(field));
}

wxString CompanyEntity::Text(CompanyField field) const
{
    const BKEntityType* found = Field(field);
    return found ? found->ToString() : wxString();
}

std::string_view CompanyEntity::Utf8(CompanyField field) const
{
    const BKEntityType* found = Field(field);
    return found ? found->GetUtf8() : std::string_view();
}

unsigned int CompanyEntity::GetId() const
{
    const BKEntityType* id = Field(CompanyField::kId);
    return id ? id->ToUnsignedInt() : 0;
}

bool CompanyEntity::IsLoadableId(std::string_view id)
{
    // The number as it is written again: digits without a leading zero, at most 4294967295.
    // Checked by hand: a search asks for every row, and formatting the number took a tenth of
    // the window's whole search.
    if (id.empty() || id.size() > 10 || (id.size() > 1 && id.front() == '0'))
        return false;
    unsigned long long value = 0;
    for (char digit : id) {
        if (digit < '0' || digit > '9')
            return false;
        value = value * 10 + static_cast<unsigned long long>(digit - '0');
    }
    return value <= 0xFFFFFFFFull;
}

bool CompanyEntity::HasLoadableId() const
{
    const BKEntityType* id = Field(CompanyField::kId);
    return id && IsLoadableId(id->GetUtf8());
}

wxString CompanyEntity::GetAddressWithHousenumber()
{
    return JoinAddress(Text(CompanyField::kAddress), Text(CompanyField::kHousenumber));
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
