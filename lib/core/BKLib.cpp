#include "lib/core/BKLib.h"

namespace Brenik {

BKLib::BKLib(BKDatabase* database) : database(database) {}

BKLib::BKLib(const BKLib& other)
    : database(other.database),
      resources(other.resources ? std::make_unique<BKStringHashMap>(*other.resources) : nullptr)
{
}

BKLib& BKLib::operator=(const BKLib& other)
{
    if (this != &other) {
        database = other.database;
        resources.reset(other.resources ? new BKStringHashMap(*other.resources) : nullptr);
    }
    return *this;
}

BKLib::~BKLib() = default;

BKClassInfo BKLib::GetInfo()
{
    return BKClassInfo::Make("BKLib", "0.21.2");
}

BKStringHashMap& BKLib::Table()
{
    if (!resources)
        resources = std::make_unique<BKStringHashMap>();
    return *resources;
}

int BKLib::LoadResource(const wxString& fileName)
{
    return LoadResourceFile(fileName, &Table());
}

int BKLib::AppendResource(const wxString& fileName)
{
    ClearResource();
    return LoadResourceFile(fileName, &Table());
}

wxString BKLib::res(const wxString& name)
{
    return Table()[name];
}

wxString BKLib::GetResourceByName(const wxString& name)
{
    return res(name);
}

BKStringHashMap* BKLib::GetResource()
{
    return &Table();
}

void BKLib::ClearResource()
{
    if (resources)
        resources->clear();
}

}  // namespace Brenik
