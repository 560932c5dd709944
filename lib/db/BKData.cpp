#include "lib/db/BKData.h"

#include "lib/db/BKQuery.h"

namespace Brenik {

BKData::BKData(BKQuery* query, bool cleanUp) : BKLib(nullptr), query(query), cleanUp(cleanUp) {}

BKData::~BKData()
{
    if (cleanUp)
        delete query;
}

BKClassInfo BKData::GetClassInfo() const
{
    return BKClassInfo::Make("BKData", "0.8.0");
}

bool BKData::Create(const wxString& statement)
{
    running = query && query->Query(statement, true);
    return running;
}

bool BKData::Run()
{
    if (!query || !running)
        return false;
    if (query->NextRecord())
        return true;
    Reset();
    return false;
}

void BKData::Reset()
{
    if (running && query)
        query->FreeResult();
    running = false;
}

unsigned int BKData::GetCount()
{
    return query && running ? query->GetRowCount() : 0;
}

void BKData::SetQuery(BKQuery* query, bool deleteOld)
{
    if (deleteOld && this->query != query)
        delete this->query;
    this->query = query;
}

}  // namespace Brenik
