// Walks the rows of one query. Owns the query only when its clean-up flag is set (the
// entity loaders set it for the query they create themselves).
#pragma once

#include <wx/string.h>

#include "lib/core/BKLib.h"

namespace Brenik {

class BKQuery;

class BKData : public BKLib {
public:
    BKData(BKQuery* query, bool cleanUp);
    ~BKData() override;
    BKData(const BKData&) = delete;
    BKData& operator=(const BKData&) = delete;

    BKClassInfo GetClassInfo() const override;

    // Runs the statement with result; true (and running) when it succeeded.
    bool Create(const wxString& statement);
    // Moves to the next row; at the end the result is freed and running ends.
    bool Run();
    // Drops an open result.
    void Reset();
    // Rows of the open result, 0 when none is open.
    unsigned int GetCount();

    // Deletes the query held so far first when deleteOld is set.
    void SetQuery(BKQuery* query, bool deleteOld);
    BKQuery* GetQuery() const { return query; }
    void SetCleanUp(bool cleanUp) { this->cleanUp = cleanUp; }
    bool GetCleanUp() const { return cleanUp; }
    bool GetRunning() const { return running; }

private:
    BKQuery* query;
    bool cleanUp;
    bool running = false;
};

}  // namespace Brenik
