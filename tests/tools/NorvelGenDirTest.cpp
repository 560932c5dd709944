// Runs norvel-gendir into a scratch directory and reads what it wrote with the SQLite C API.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <wx/base64.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/utils.h>

#include "TestSupport.h"
#include "tools/ToolProcess.h"

extern char** environ;

namespace {

using Row = std::vector<std::optional<std::string>>;

// A read-only connection to a generated directory.
class Directory {
public:
    explicit Directory(const wxString& path)
    {
        sqlite3* handle = nullptr;
        sqlite3_open_v2(path.utf8_string().c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
        database.reset(handle);
    }

    // Every row of the statement; NULL cells are empty optionals. A failing statement fails
    // the test and gives no rows.
    std::vector<Row> Rows(const std::string& sql)
    {
        std::vector<Row> rows;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database.get(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(database.get());
            return rows;
        }
        while (sqlite3_step(statement) == SQLITE_ROW) {
            Row row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const unsigned char* text = sqlite3_column_text(statement, i);
                if (text)
                    row.emplace_back(
                        std::string(reinterpret_cast<const char*>(text),
                                    static_cast<size_t>(sqlite3_column_bytes(statement, i))));
                else
                    row.emplace_back(std::nullopt);
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(statement);
        return rows;
    }

    long long Number(const std::string& sql)
    {
        std::vector<Row> rows = Rows(sql);
        if (rows.empty() || rows[0].empty() || !rows[0][0])
            return -1;
        return std::stoll(*rows[0][0]);
    }

    // The whole content in a fixed order, for comparing two files.
    std::string Dump(const std::string& companyCondition = "1")
    {
        std::string dump;
        for (const char* sql :
             {"SELECT * FROM sectors ORDER BY id", "SELECT * FROM companies WHERE %s ORDER BY id",
              "SELECT * FROM company_sectors WHERE company IN (SELECT id FROM companies WHERE %s) "
              "ORDER BY company, sector"}) {
            std::string statement = sql;
            size_t at = statement.find("%s");
            if (at != std::string::npos)
                statement.replace(at, 2, companyCondition);
            for (const Row& row : Rows(statement)) {
                for (const auto& cell : row)
                    dump += (cell ? *cell : std::string("<NULL>")) + "\x1f";
                dump += "\n";
            }
        }
        return dump;
    }

private:
    struct Closer {
        void operator()(sqlite3* handle) const { sqlite3_close(handle); }
    };
    std::unique_ptr<sqlite3, Closer> database;
};

int Generate(const TempDir& dir, const wxString& output, const std::string& options)
{
    return RunTool(NORVEL_GENDIR, ShellQuote(output) + " " + options, dir.Path("out.txt"),
                   dir.Path("err.txt"));
}

std::set<wxString> FileNames(const wxString& directory)
{
    std::set<wxString> names;
    wxArrayString files;
    wxDir::GetAllFiles(directory, &files);
    for (const wxString& file : files)
        names.insert(wxFileName(file).GetFullName());
    return names;
}

const char* const kCompanyColumns[] = {
    "id",
    "name",
    "ceo",
    "address",
    "housenumber",
    "zipcode",
    "city",
    "state",
    "phone",
    "fax",
    "mobile",
    "internet",
    "email",
    "taxIdNumber",
    "taxNumber",
    "districtCourt",
    "commercialRegister",
    "blog",
    "twitter",
    "facebook",
    "imprintUrl",
    "notes",
    "openingHours",
    "imprint",
    "logo",
    "keywords",
    "description",
    "staff",
    "startyear",
    "typeofcompany",
    "owner",
    "cooperations",
    "memberships",
    "parking",
    "premium",
    "premiumStartDate",
    "premiumStopDate",
    "created",
    "updated",
};

// Whether the image shows more than one colour, that is, whether anything was drawn on it.
bool ShowsADrawing(const wxImage& image)
{
    const unsigned char* rgb = image.GetData();
    const size_t pixels = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    for (size_t i = 1; i < pixels; ++i)
        if (memcmp(rgb, rgb + 3 * i, 3) != 0)
            return true;
    return false;
}

}  // namespace

TEST(NorvelGenDir, WritesEveryColumnTheViewerReadsAndIndexesTheLinkTable)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const wxString output = dir.Path("norvel.sqlite");
    ASSERT_EQ(0, Generate(dir, output, "--companies 600 --seed 3"))
        << ReadTextFile(dir.Path("err.txt"));
    std::string summary = ReadTextFile(dir.Path("out.txt"));
    EXPECT_NE(std::string::npos, summary.find("600 companies")) << summary;
    EXPECT_NE(std::string::npos, summary.find("80 sectors")) << summary;
    // Nothing of the scratch file is left beside the output.
    EXPECT_EQ((std::set<wxString>{"norvel.sqlite", "out.txt", "err.txt"}), FileNames(dir.Path()));

    Directory directory(output);
    std::set<std::string> columns;
    for (const Row& column : directory.Rows("PRAGMA table_info(companies)")) {
        columns.insert(*column[1]);
        if (*column[1] == "id") {
            EXPECT_EQ("INTEGER", *column[2]);
            EXPECT_EQ("1", *column[5]);  // primary key
        }
    }
    for (const char* name : kCompanyColumns)
        EXPECT_EQ(1u, columns.count(name)) << name;
    EXPECT_EQ(std::size(kCompanyColumns), columns.size());
    EXPECT_EQ(600, directory.Number("SELECT COUNT(*) FROM companies"));
    EXPECT_EQ(600, directory.Number("SELECT MAX(id) FROM companies"));

    EXPECT_EQ(80, directory.Number("SELECT COUNT(*) FROM sectors"));
    EXPECT_EQ(80, directory.Number("SELECT COUNT(DISTINCT sector) FROM sectors"));
    EXPECT_EQ(1, directory.Number("SELECT COUNT(*) FROM sectors WHERE sector = 'Bäckereien'"));
    EXPECT_EQ(0, directory.Number(
                     "SELECT COUNT(*) FROM company_sectors WHERE sector NOT IN "
                     "(SELECT id FROM sectors) OR company NOT IN (SELECT id FROM companies)"));

    std::set<std::string> indexed;
    for (const Row& index : directory.Rows("PRAGMA index_list(company_sectors)"))
        for (const Row& column : directory.Rows("PRAGMA index_info(" + *index[1] + ")"))
            if (*column[0] == "0")
                indexed.insert(*column[2]);
    EXPECT_EQ((std::set<std::string>{"company", "sector"}), indexed);
    // The sector names of the search come from the index, not from a pass over the link table
    // for every company.
    std::string plan;
    for (const Row& step : directory.Rows(
             "EXPLAIN QUERY PLAN SELECT companies.*, (SELECT GROUP_CONCAT(sectors.sector, ', ') "
             "FROM sectors INNER JOIN company_sectors ON company_sectors.sector = sectors.id "
             "WHERE company_sectors.company = companies.id) AS sectors FROM companies"))
        plan += *step[3] + "\n";
    EXPECT_EQ(std::string::npos, plan.find("SCAN company_sectors")) << plan;
}

TEST(NorvelGenDir, DataHoldsTheRareCasesTheViewerMustSurvive)
{
    TempDir dir;
    const wxString output = dir.Path("norvel.sqlite");
    ASSERT_EQ(0, Generate(dir, output, "--companies 600")) << ReadTextFile(dir.Path("err.txt"));
    Directory directory(output);

    EXPECT_GT(
        directory.Number("SELECT COUNT(*) FROM companies WHERE name IS NULL AND ceo IS NOT NULL"),
        0);
    EXPECT_GT(
        directory.Number("SELECT COUNT(*) FROM companies WHERE ceo IS NULL AND name IS NOT NULL"),
        0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE name IS NULL AND ceo IS NULL"),
              0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE name = ''"), 0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE instr(name, '''') > 0"), 0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE instr(ceo, '''') > 0"), 0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE instr(name, '\\') > 0"), 0);
    EXPECT_GT(
        directory.Number("SELECT COUNT(*) FROM companies WHERE ceo LIKE '%ü%' OR ceo LIKE '%ö%'"),
        0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE startyear = '0'"), 0);
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM companies WHERE notes LIKE '%<ul><li>%'"), 0);
    EXPECT_GT(
        directory.Number("SELECT COUNT(*) FROM companies WHERE commercialRegister LIKE 'HRB %'"),
        0);
    EXPECT_EQ(0, directory.Number("SELECT COUNT(*) FROM companies WHERE premium NOT IN (0, 1)"));
    EXPECT_EQ(0, directory.Number("SELECT COUNT(*) FROM companies WHERE zipcode IS NOT NULL AND "
                                  "(length(zipcode) != 5 OR zipcode GLOB '*[^0-9]*')"));
    // Many places, each postcode in one of them, places sharing their first digits.
    EXPECT_GE(directory.Number("SELECT COUNT(DISTINCT city) FROM companies"), 70);
    EXPECT_EQ(
        0, directory.Number("SELECT COUNT(*) FROM (SELECT 1 FROM companies WHERE city != '' "
                            "AND zipcode != '' GROUP BY zipcode HAVING COUNT(DISTINCT city) > 1)"));
    EXPECT_GT(directory.Number("SELECT COUNT(*) FROM (SELECT 1 FROM companies WHERE city != '' "
                               "GROUP BY substr(zipcode, 1, 2) HAVING COUNT(DISTINCT city) > 1)"),
              10);
    EXPECT_EQ(0, directory.Number(
                     "SELECT COUNT(*) FROM companies WHERE taxIdNumber != '' AND "
                     "NOT taxIdNumber GLOB 'DE[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'"));

    // Each value the truth conversion meets, and nothing else.
    std::set<std::string> parking;
    for (const Row& row : directory.Rows("SELECT DISTINCT parking FROM companies"))
        parking.insert(row[0] ? *row[0] : std::string("<NULL>"));
    EXPECT_EQ((std::set<std::string>{"true", "false", "ja", "nein", "", "<NULL>"}), parking);

    const char* stamp =
        "'[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'";
    EXPECT_EQ(
        0, directory.Number(std::string("SELECT COUNT(*) FROM companies WHERE NOT created GLOB ") +
                            stamp + " OR NOT updated GLOB " + stamp + " OR updated < created"));

    // Zero to three distinct sectors a company, each count present.
    std::set<std::string> counts;
    for (const Row& row : directory.Rows(
             "SELECT (SELECT COUNT(*) FROM company_sectors WHERE company = companies.id), "
             "(SELECT COUNT(DISTINCT sector) FROM company_sectors WHERE company = companies.id) "
             "FROM companies")) {
        EXPECT_EQ(*row[0], *row[1]);
        counts.insert(*row[0]);
    }
    EXPECT_EQ((std::set<std::string>{"0", "1", "2", "3"}), counts);
}

TEST(NorvelGenDir, LogosAreStrictBase64PngsTheToolkitLoads)
{
    TempDir dir;
    const wxString output = dir.Path("norvel.sqlite");
    ASSERT_EQ(0, Generate(dir, output, "--companies 600 --seed 11"))
        << ReadTextFile(dir.Path("err.txt"));
    Directory directory(output);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);

    size_t logos = 0, totalLength = 0, wideAndLow = 0, transparent = 0;
    for (const Row& row : directory.Rows("SELECT id, logo FROM companies WHERE logo != ''")) {
        const std::string& text = *row[1];
        ++logos;
        totalLength += text.size();
        size_t errorPosition = 0;
        wxMemoryBuffer bytes =
            wxBase64Decode(text.c_str(), text.size(), wxBase64DecodeMode_Strict, &errorPosition);
        ASSERT_GT(bytes.GetDataLen(), 8u) << "company " << *row[0] << " at " << errorPosition;
        ASSERT_EQ(0, memcmp(bytes.GetData(), "\x89PNG\r\n\x1a\n", 8)) << "company " << *row[0];
        wxMemoryInputStream stream(bytes.GetData(), bytes.GetDataLen());
        wxImage image;
        ASSERT_TRUE(image.LoadFile(stream, wxBITMAP_TYPE_PNG)) << "company " << *row[0];
        EXPECT_TRUE(ShowsADrawing(image)) << "company " << *row[0];
        EXPECT_GE(image.GetWidth(), 80) << "company " << *row[0];
        EXPECT_GE(image.GetHeight(), 8) << "company " << *row[0];
        EXPECT_LE(image.GetHeight(), 80) << "company " << *row[0];
        if (image.GetWidth() > 400 && image.GetHeight() <= 24)
            ++wideAndLow;
        else
            EXPECT_LE(image.GetWidth(), 200) << "company " << *row[0];
        if (image.HasAlpha())
            ++transparent;
    }
    EXPECT_GT(logos, 600u / 5);
    EXPECT_LT(logos, 600u / 2);
    EXPECT_LT(totalLength / logos, 3000u);
    EXPECT_GT(wideAndLow, 0u);
    EXPECT_GT(transparent, 0u);
    EXPECT_EQ(0, directory.Number("SELECT COUNT(*) FROM companies WHERE logo IS NOT NULL AND logo "
                                  "!= '' AND length(logo) % 4 != 0"));
}

TEST(NorvelGenDir, LeanDirectoryHasShortPlainRecordsAndSmallLogos)
{
    TempDir dir;
    ASSERT_EQ(0, Generate(dir, dir.Path("lean.sqlite"), "--companies 600 --seed 11 --lean"))
        << ReadTextFile(dir.Path("err.txt"));
    ASSERT_EQ(0, Generate(dir, dir.Path("long.sqlite"), "--companies 600 --seed 11"));
    Directory lean(dir.Path("lean.sqlite")), full(dir.Path("long.sqlite"));
    std::string allColumns = "0";
    for (const Row& column : lean.Rows("SELECT name FROM pragma_table_info('companies')"))
        allColumns += " + COALESCE(length(CAST(" + *column[0] + " AS BLOB)), 0)";
    const std::string textPerCompany = "SELECT SUM(" + allColumns + ") / 600 FROM companies";
    const long leanText = lean.Number(textPerCompany);
    EXPECT_GT(leanText, 600);
    EXPECT_LT(leanText, 2000);
    EXPECT_LT(leanText * 3, full.Number(textPerCompany) * 2);
    EXPECT_EQ(0, lean.Number("SELECT COUNT(*) FROM companies WHERE imprint IS NOT NULL"));
    EXPECT_EQ(0, lean.Number("SELECT COUNT(*) FROM companies WHERE notes LIKE '%<%'"));
    EXPECT_GT(lean.Number("SELECT COUNT(*) FROM companies WHERE length(notes) > 60"), 300);

    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    size_t logos = 0;
    for (const Row& row : lean.Rows("SELECT id, logo FROM companies WHERE logo != ''")) {
        ++logos;
        wxMemoryBuffer bytes = wxBase64Decode(row[1]->c_str(), row[1]->size());
        wxMemoryInputStream stream(bytes.GetData(), bytes.GetDataLen());
        wxImage image;
        ASSERT_TRUE(image.LoadFile(stream, wxBITMAP_TYPE_PNG)) << "company " << *row[0];
        EXPECT_TRUE(ShowsADrawing(image)) << "company " << *row[0];
        EXPECT_LE(image.GetWidth(), 64) << "company " << *row[0];
        EXPECT_LE(image.GetHeight(), 32) << "company " << *row[0];
    }
    EXPECT_GT(logos, 600u / 5);
    EXPECT_LT(logos, 600u / 2);
}

TEST(NorvelGenDir, SameSeedGivesSameDirectoryAndLargerRunsExtendSmallerOnes)
{
    TempDir dir;
    ASSERT_EQ(0, Generate(dir, dir.Path("a.sqlite"), "--companies 150 --seed 5"));
    ASSERT_EQ(0, Generate(dir, dir.Path("b.sqlite"), "--seed 5 --companies 150"));
    ASSERT_EQ(0, Generate(dir, dir.Path("c.sqlite"), "--companies 150 --seed 6"));
    ASSERT_EQ(0, Generate(dir, dir.Path("d.sqlite"), "--companies 250 --seed 5"));
    Directory a(dir.Path("a.sqlite")), b(dir.Path("b.sqlite")), c(dir.Path("c.sqlite")),
        d(dir.Path("d.sqlite"));
    const std::string first = a.Dump();
    EXPECT_GT(first.size(), 10000u);
    EXPECT_EQ(first, b.Dump());
    EXPECT_NE(first, c.Dump());
    EXPECT_EQ(first, d.Dump("id <= 150"));
}

TEST(NorvelGenDir, BadCallsAndFailuresLeaveNoFileAndSayWhy)
{
    TempDir dir;
    const wxString output = dir.Path("norvel.sqlite");
    EXPECT_EQ(2, Generate(dir, output, "--bogus"));
    EXPECT_NE(std::string::npos, ReadTextFile(dir.Path("err.txt")).find("unknown option --bogus"));
    EXPECT_EQ(2, Generate(dir, output, "--companies 12x"));
    EXPECT_EQ(2, Generate(dir, output, "--companies -5"));
    EXPECT_EQ(2, Generate(dir, output, "--seed"));
    EXPECT_EQ(2, RunTool(NORVEL_GENDIR, "", dir.Path("out.txt"), dir.Path("err.txt")));
    EXPECT_FALSE(wxFileExists(output));

    EXPECT_EQ(1, Generate(dir, dir.Path("missing/norvel.sqlite"), "--companies 10"));
    EXPECT_NE(std::string::npos, ReadTextFile(dir.Path("err.txt")).find("SQLite error"))
        << ReadTextFile(dir.Path("err.txt"));
    EXPECT_EQ((std::set<wxString>{"out.txt", "err.txt"}), FileNames(dir.Path()));

    // A finished run replaces what was there.
    ASSERT_TRUE(WriteTextFile(output, "not a database"));
    ASSERT_EQ(0, Generate(dir, output, "--companies 20"));
    Directory directory(output);
    EXPECT_EQ(20, directory.Number("SELECT COUNT(*) FROM companies"));
}

TEST(NorvelGenDir, InterruptedRunKeepsThePreviousDirectory)
{
    TempDir dir;
    const wxString output = dir.Path("norvel.sqlite");
    ASSERT_TRUE(WriteTextFile(output, "previous directory"));

    std::string program = NORVEL_GENDIR, path = output.utf8_string();
    std::string count = "--companies", many = "5000000";
    char* arguments[] = {&program[0], &path[0], &count[0], &many[0], nullptr};
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, program.c_str(), nullptr, nullptr, arguments, environ));
    // Stop it once it is writing its scratch file.
    bool writing = false;
    for (int i = 0; i < 1000 && !writing; ++i) {
        for (const wxString& name : FileNames(dir.Path()))
            writing = writing || name.StartsWith("norvel.sqlite.part");
        if (!writing)
            wxMilliSleep(5);
    }
    wxMilliSleep(200);
    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(writing);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ("previous directory", ReadTextFile(output));
    EXPECT_EQ((std::set<wxString>{"norvel.sqlite"}), FileNames(dir.Path()));
}
