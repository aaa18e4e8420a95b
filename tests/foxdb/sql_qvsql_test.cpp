// The qvsql front end: tab-separated lines, types on request, counts for
// changes, errors on stderr with a non-zero status.
#include "foxdb/sql_fixture.h"
#include "platform/program_lock.h"

#include <sys/wait.h>

namespace foxdb_test {
namespace {

class Qvsql : public SqlTest {
protected:
    struct Output {
        int status = -1;
        std::string out;
    };
    // Runs qvsql with the statement; stderr is folded into the output.
    Output Tool(const std::string& options, const std::string& statement) {
        const std::string tool = std::string(QV_BIN_DIR) + "/qvsql";
        WriteBytes(folder.File("statement.txt"), statement);
        std::string command = "'" + tool + "' " + options + " '" + folder.Path() + "' \"$(cat '" +
                              folder.File("statement.txt") + "')\" 2>&1";
        Output result;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
                result.out.append(buffer, n);
            int raw = ::pclose(pipe);
            result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        }
        return result;
    }
};

TEST_F(Qvsql, PrintsRowsTypesCountsAndErrors) {
    if (!std::filesystem::exists(std::string(QV_BIN_DIR) + "/qvsql"))
        GTEST_SKIP() << "qvsql not built";
    Run("CREATE TABLE t (名称 C(10), 金额 N(8,2), 日期 D, 次数 I, no I UNIQUE)");
    Run("INSERT INTO t VALUES ('机油', 12.5, {^2024-03-05}, 3, 1)");
    Run("INSERT INTO t (名称, 日期, no) VALUES ('空', {^//}, 2)");

    Output rows = Tool("--types", "select * from t order by no");
    EXPECT_EQ(rows.status, 0);
    EXPECT_EQ(rows.out, "名称\t金额\t日期\t次数\tno\n"
                        "129/10/255/255\t131/10/8/2\t133/6/10/255\t3/4/10/0\t3/4/10/0\n"
                        "机油\t12.50\t2024-03-05\t3\t1\n"
                        "空\tNULL\t\tNULL\t2\n");

    Output changed = Tool("", "UPDATE t SET 金额 ='3' WHERE no>0");
    EXPECT_EQ(changed.status, 0);
    EXPECT_EQ(changed.out, "2\n");

    Output failed = Tool("", "select * from nosuch");
    EXPECT_NE(failed.status, 0);
    EXPECT_NE(failed.out.find("File 'nosuch.dbf' does not exist."), std::string::npos);
}

// Numbers print as printf's "%.*f" prints them (the column's scale, 6 for a double),
// sign of a negative zero, rounding and very large values included.
TEST_F(Qvsql, PrintsNumbersAsPrintfDoes) {
    if (!std::filesystem::exists(std::string(QV_BIN_DIR) + "/qvsql"))
        GTEST_SKIP() << "qvsql not built";
    Run("CREATE TABLE n (v N(20,4), no I)");
    const char* const values[] = {"0",
                                  "-0",
                                  "0.5",
                                  "-1.25",
                                  "0.0001",
                                  "-0.0001",
                                  "2.0005",
                                  "-0.00005",
                                  "12345678901.2345",
                                  "1234.5678",
                                  "999999999999999.9999",
                                  "-99999999999999.999"};
    int no = 0;
    for (const char* v : values)
        Run(std::string("INSERT INTO n VALUES (") + v + "," + std::to_string(++no) + ")");
    const std::string statement = "select v,v/7 as w,v*3 as x,no from n order by no";
    const foxdb::ResultSet rs = Query(statement);
    std::string expected = "v\tw\tx\tno\n";
    for (const auto& row : rs.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            const foxdb::ResultColumn& c = rs.columns[i];
            std::string shown = "NULL";
            if (const auto* d = std::get_if<double>(&row[i])) {
                char buf[400];
                std::snprintf(buf, sizeof buf, "%.*f", c.type == foxdb::adNumeric ? c.scale : 6,
                              *d);
                shown = buf;
            } else if (const auto* n = std::get_if<int64_t>(&row[i])) {
                shown = std::to_string(*n);
            }
            expected += (i ? "\t" : "") + shown;
        }
        expected += "\n";
    }
    const Output printed = Tool("", statement);
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.out, expected);
}

// Inside a program folder the tool reads beside readers only and writes alone.
TEST_F(Qvsql, InsideAProgramFolderItWaitsForNoProgram) {
    if (!std::filesystem::exists(std::string(QV_BIN_DIR) + "/qvsql"))
        GTEST_SKIP() << "qvsql not built";
    Run("CREATE TABLE t (名称 C(10), no I UNIQUE)");
    const struct {
        platform::FolderUse held;
        const char* statement;
        bool runs;
    } cases[] = {
        {platform::FolderUse::kWrite, "select * from t", false},
        {platform::FolderUse::kRead, "select * from t", true},
        {platform::FolderUse::kRead, "INSERT INTO t (名称, no) VALUES ('机油', 1)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        ASSERT_TRUE(platform::LockProgramFolder(folder.Path(), c.held)); // as a program would
        Output output = Tool("", c.statement);
        EXPECT_EQ(output.status == 0, c.runs) << output.out;
        if (!c.runs) {
            EXPECT_NE(output.out.find("正在被另一个程序使用"), std::string::npos) << output.out;
        }
        platform::UnlockProgramFolder();
    }
    EXPECT_EQ(Tool("", "INSERT INTO t (名称, no) VALUES ('机油', 1)").out, "1\n");
}

} // namespace
} // namespace foxdb_test
