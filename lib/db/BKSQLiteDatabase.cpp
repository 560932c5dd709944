#include "lib/db/BKSQLiteDatabase.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <fstream>
#include <string>

#include <locale.h>
#include <sqlite3.h>

#include "lib/core/BKCasts.h"
#include "lib/db/BKSQLiteWatchdog.h"

namespace Brenik {

namespace {

// The handle and its watchdog, which SQLite calls back until the handle is closed.
struct Connection {
    sqlite3* handle = nullptr;
    std::unique_ptr<BKSQLiteWatchdog> watchdog;

    ~Connection()
    {
        if (handle)
            sqlite3_close(handle);
    }
};

// The bounds of what one statement may take. A directory of a million companies (as
// tools/norvel-gendir makes them, 1.8 GB) needs 1.9 GB of SQLite's heap to list every company,
// values below 10 KB, and 127 s on a busy machine; docs/directory.md has the figures.
constexpr long long kMb = 1024 * 1024;
constexpr int kMaxValueBytes = 128 * kMb;
constexpr long long kMaxHeapBytes = 3 * 1024 * kMb;
// A small file is given far less: what its values can fill, many times over (an empty value
// takes a byte in the file and about 48 in a result), and room for the statement's work.
constexpr long long kHeapBytesBase = 256 * kMb;
constexpr long long kHeapBytesPerFileByte = 48;

long long FileBytes(const wxString& filename)
{
    std::ifstream in(filename.fn_str(), std::ios::binary | std::ios::ate);
    return in ? static_cast<long long>(in.tellg()) : 0;
}

// SQLite's own advice for files from elsewhere: the schema runs nothing the program did not
// ask for (no triggers, no views, no functions with side effects or of the program's own
// making), nothing may alter the file's structure, values and statements are bounded, and
// temporary tables and sorts stay in memory, where the heap limit bounds them.
void Defend(sqlite3* handle, long long fileBytes)
{
    sqlite3_db_config(handle, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    sqlite3_limit(handle, SQLITE_LIMIT_SQL_LENGTH, 1024 * 1024);
    sqlite3_limit(handle, SQLITE_LIMIT_COLUMN, 200);
    sqlite3_limit(handle, SQLITE_LIMIT_EXPR_DEPTH, 100);
    sqlite3_limit(handle, SQLITE_LIMIT_COMPOUND_SELECT, 10);
    sqlite3_limit(handle, SQLITE_LIMIT_VDBE_OP, 100000);
    sqlite3_limit(handle, SQLITE_LIMIT_FUNCTION_ARG, 8);
    sqlite3_limit(handle, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(handle, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000);
    sqlite3_limit(handle, SQLITE_LIMIT_TRIGGER_DEPTH, 1);
    sqlite3_limit(handle, SQLITE_LIMIT_WORKER_THREADS, 0);
    sqlite3_exec(handle, "PRAGMA temp_store = MEMORY; PRAGMA cell_size_check = ON", nullptr,
                 nullptr, nullptr);
    // The limit is the process's: the program has one connection.
    sqlite3_hard_heap_limit64(
        std::min(kMaxHeapBytes, kHeapBytesBase + kHeapBytesPerFileByte * fileBytes));
}

// The lower-case form of a character by the C library's Unicode tables, whatever locale the
// program runs in: Ä, É and Ж fold like A; ß has no one-letter capital and stays.
wint_t FoldCase(unsigned int c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t());
    return unicode ? towlower_l(static_cast<wint_t>(c), unicode) : static_cast<wint_t>(c);
}

// German spellings without umlauts are as good as with them: after case folding, ä, ö, ü and
// ß read as ae, oe, ue and ss on both sides, so "mueller" finds "Müller" and "Müller" finds
// "Mueller". Turns such a letter into its first one and returns the second; 0 for any other.
char32_t SplitUmlaut(char32_t& c)
{
    static const char32_t kSpellings[][3] = {{U'\u00E4', U'a', U'e'},
                                             {U'\u00F6', U'o', U'e'},
                                             {U'\u00FC', U'u', U'e'},
                                             {U'\u00DF', U's', U's'}};
    for (const auto& spelling : kSpellings) {
        if (c == spelling[0]) {
            c = spelling[1];
            return spelling[2];
        }
    }
    return 0;
}

// The pattern's characters folded to lower case and umlauts spelt out; bytes that are not
// UTF-8 count as Latin-1 letters, as everywhere the program reads the directory.
void Fold(const unsigned char* text, std::u32string& folded)
{
    folded.clear();
    const unsigned char* end = text + std::strlen(reinterpret_cast<const char*>(text));
    unsigned int c;
    while (text < end) {
        BKCasts::ReadCodePoint(text, end, c);
        char32_t letter = static_cast<char32_t>(FoldCase(c));
        const char32_t second = SplitUmlaut(letter);
        folded += letter;
        if (second)
            folded += second;
    }
}

// A place in a text read as folded letters: behind the first letter of a spelt-out umlaut,
// the second one is still pending.
struct Place {
    const unsigned char* at;
    char32_t pending = 0;

    bool operator==(const Place& other) const { return at == other.at && pending == other.pending; }
    bool AtEnd(const unsigned char* end) const { return at == end && !pending; }
};

// The next letter of a text, folded as the pattern is; the place moves behind it.
char32_t NextFolded(Place& place, const unsigned char* end)
{
    if (place.pending) {
        const char32_t second = place.pending;
        place.pending = 0;
        return second;
    }
    unsigned int c = *place.at;
    if (c < 0x80) {
        ++place.at;
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    }
    BKCasts::ReadCodePoint(place.at, end, c);
    char32_t letter = static_cast<char32_t>(FoldCase(c));
    place.pending = SplitUmlaut(letter);
    return letter;
}

// LIKE without escape character: "%" stands for any run of characters, "_" for one letter of
// the text as written, an umlaut whole, never the half of one that its spelling leaves pending
// ("Mu_ller" finds "Mueller", not "Müller"). The text is read in place, one letter at a time:
// a search asks this of two columns of every row.
bool Matches(const std::u32string& pattern, const unsigned char* begin, const unsigned char* end)
{
    size_t p = 0;
    size_t star = std::u32string::npos;
    Place text{begin};
    Place resume = text;
    while (!text.AtEnd(end)) {
        Place next = text;
        const char32_t c = NextFolded(next, end);
        if (p < pattern.size() && pattern[p] == U'_' && !text.pending) {
            ++p;
            next.pending = 0;  // the whole umlaut
            text = next;
        } else if (p < pattern.size() && pattern[p] == c) {
            ++p;
            text = next;
        } else if (p < pattern.size() && pattern[p] == U'%') {
            star = p++;
            resume = text;
        } else if (star != std::u32string::npos) {
            // The run behind the last "%" grows by one letter: the one just read, when the
            // match failed on it right away.
            p = star + 1;
            if (text == resume)
                resume = next;
            else
                NextFolded(resume, end);
            text = resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'%')
        ++p;
    return p == pattern.size();
}

// SQLite's own LIKE ignores the case of ASCII letters only, so "öko" would miss "Öko-Bau".
// This one takes its place on the connection, ignores the case of every letter and takes
// umlauts and their spellings without them alike. A statement asks with the same pattern row after
// row, so the folded pattern is kept.
void CaseFoldingLike(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const unsigned char* pattern = sqlite3_value_text(arguments[0]);
    const unsigned char* text = sqlite3_value_text(arguments[1]);
    if (!pattern || !text)
        return;  // NULL, as SQLite answers
    thread_local std::string lastPattern;
    thread_local std::u32string foldedPattern;
    if (lastPattern != reinterpret_cast<const char*>(pattern)) {
        lastPattern = reinterpret_cast<const char*>(pattern);
        Fold(pattern, foldedPattern);
    }
    const unsigned char* end = text + std::strlen(reinterpret_cast<const char*>(text));
    sqlite3_result_int(context, Matches(foldedPattern, text, end) ? 1 : 0);
}

// Whether the file beside the database holds changes: a rollback journal whose header was
// zeroed (persist mode) or that was emptied (truncate mode) holds none; a log starts with its
// magic number.
bool HoldsChanges(const wxString& sideFile)
{
    std::ifstream in(sideFile.fn_str(), std::ios::binary);
    char first = 0;
    return in.get(first) && first != 0;
}

// Whether the database is in WAL mode: both format version bytes of its header are 2.
bool IsInWalMode(const wxString& filename)
{
    std::ifstream in(filename.fn_str(), std::ios::binary);
    char header[20] = {};
    return in.read(header, sizeof header) && header[18] == 2 && header[19] == 2;
}

// The file as an SQLite URI for a read-only connection. SQLite gives a database in WAL mode a
// log and its index beside it even to read it, and cannot read one on a read-only mount: with
// nothing in a log, the file alone holds every change and is read as immutable, without
// locks or files beside it; a log with changes is read only through an index already there,
// which is not written to. A database in the other modes reads without writing anyway.
std::string ReadOnlyUri(const wxString& filename)
{
    std::string uri = "file:";
    const std::string path = filename.utf8_string();
    if (!path.empty() && path[0] == '/')
        uri += "//";  // an empty authority, so that a path starting "//" is no host name
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    if (!IsInWalMode(filename))
        return uri;
    return uri + (HoldsChanges(filename + "-wal") ? "?readonly_shm=1" : "?immutable=1");
}

}  // namespace

BKSQLiteDatabase::BKSQLiteDatabase() = default;

BKSQLiteDatabase::BKSQLiteDatabase(const wxString& filename)
    : BKDatabase(filename, wxString(), wxString())
{
}

BKSQLiteDatabase::~BKSQLiteDatabase()
{
    if (connected)
        Disconnect();
}

BKClassInfo BKSQLiteDatabase::GetClassInfo() const
{
    return BKClassInfo::Make("BKSQLiteDatabase", "0.0.2");
}

bool BKSQLiteDatabase::Connect()
{
    sqlite3* opened = nullptr;
    const int code = readOnly ? sqlite3_open_v2(ReadOnlyUri(GetFilename()).c_str(), &opened,
                                                SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
                              : sqlite3_open(GetFilename().utf8_string().c_str(), &opened);
    // SQLite hands out a handle even when opening fails; it must be closed all the same.
    auto connection = std::make_shared<Connection>();
    connection->handle = opened;
    if (code == SQLITE_OK) {
        Defend(opened, FileBytes(GetFilename()));
        // Direct-only: a view, trigger or generated column of the file cannot call it.
        sqlite3_create_function(opened, "like", 2,
                                SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY, nullptr,
                                CaseFoldingLike, nullptr, nullptr);
        connection->watchdog = std::make_unique<BKSQLiteWatchdog>(opened);
        handle = std::shared_ptr<sqlite3>(connection, opened);
        watchdog = std::shared_ptr<BKSQLiteWatchdog>(connection, connection->watchdog.get());
        connected = true;
    } else {
        Disconnect();
        connected = false;
    }
    return IsConnected();
}

bool BKSQLiteDatabase::HoldsUnfinishedChanges() const
{
    return HoldsChanges(GetFilename() + "-journal") || HoldsChanges(GetFilename() + "-wal");
}

bool BKSQLiteDatabase::Reconnect()
{
    if (IsConnected())
        return true;
    return Connect();
}

bool BKSQLiteDatabase::Disconnect()
{
    if (!connected)
        return false;
    handle.reset();
    watchdog.reset();
    connected = false;
    return true;
}

}  // namespace Brenik
