// Connection settings and the connection protocol every database form implements. The
// settings are plain texts; a form reads the ones it needs.
#pragma once

#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKDatabase : public BKLib {
public:
    BKDatabase();
    BKDatabase(const wxString& filename, const wxString& username, const wxString& password);
    BKDatabase(const wxString& hostname, const wxString& database, const wxString& username,
               const wxString& password, const wxString& port);

    BKClassInfo GetClassInfo() const override;

    // True when the connection is open afterwards.
    virtual bool Connect() = 0;
    virtual bool IsConnected() = 0;
    // Connects only when not connected yet.
    virtual bool Reconnect() = 0;
    // False when there was no open connection.
    virtual bool Disconnect() = 0;

    void SetFilename(const wxString& value) { filename = value; }
    wxString GetFilename() const { return filename; }
    void SetHostname(const wxString& value) { hostname = value; }
    wxString GetHostname() const { return hostname; }
    // The database name on a server (named like this because BKLib's GetDatabase is the
    // object's connection).
    void SetDatabaseName(const wxString& value) { databaseName = value; }
    wxString GetDatabaseName() const { return databaseName; }
    void SetUsername(const wxString& value) { username = value; }
    wxString GetUsername() const { return username; }
    void SetPassword(const wxString& value) { password = value; }
    wxString GetPassword() const { return password; }
    void SetPort(const wxString& value) { port = value; }
    wxString GetPort() const { return port; }

private:
    wxString filename;
    wxString hostname;
    wxString databaseName;
    wxString username;
    wxString password;
    wxString port;
};

}  // namespace Brenik
