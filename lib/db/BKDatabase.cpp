#include "lib/db/BKDatabase.h"

namespace Brenik {

BKDatabase::BKDatabase() : BKLib(nullptr) {}

BKDatabase::BKDatabase(const wxString& filename, const wxString& username, const wxString& password)
    : BKLib(nullptr), filename(filename), username(username), password(password)
{
}

BKDatabase::BKDatabase(const wxString& hostname, const wxString& database, const wxString& username,
                       const wxString& password, const wxString& port)
    : BKLib(nullptr),
      hostname(hostname),
      databaseName(database),
      username(username),
      password(password),
      port(port)
{
}

BKClassInfo BKDatabase::GetClassInfo() const
{
    return BKClassInfo::Make("BKDatabase", "0.4.1");
}

}  // namespace Brenik
