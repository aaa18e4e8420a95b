// qvsql's ADTG options: a result saved with --save-adtg prints the same through --adtg.
#include "ado_fixture.h"

#include <cstdio>

using namespace ado_test;

namespace {

// Runs qvsql with `args`; returns its standard output and sets *status.
std::string Qvsql(const std::string& args, int* status) {
    std::string command = std::string(QV_BIN_DIR) + "/qvsql " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buf[4096];
    while (size_t n = std::fread(buf, 1, sizeof buf, pipe))
        out.append(buf, n);
    *status = ::pclose(pipe);
    return out;
}

} // namespace

TEST(Qvsql, SavedResultPrintsTheSame) {
    TempFolder dir;
    std::string path = CreateCatalogTable(dir.Path(), "ljkc");
    AppendRecords(path, {{{"编号", std::string("P1")},
                          {"零件名称", std::string("螺丝")},
                          {"零售价", 12.5},
                          {"no", int64_t{1}}},
                         {{"编号", std::string("P2")}, {"no", int64_t{2}}}});
    const std::string file = dir.File("out.adtg");
    const std::string query = "'select 编号,零件名称,零售价,no from ljkc'";
    int status = 0;
    std::string direct = Qvsql("--save-adtg " + file + " " + dir.Path() + " " + query, &status);
    ASSERT_EQ(status, 0) << direct;
    EXPECT_EQ(direct, "编号\t零件名称\t零售价\tno\nP1\t螺丝\t12.50\t1\nP2\tNULL\tNULL\t2\n");
    EXPECT_EQ(Qvsql("--adtg " + file, &status), direct);
    EXPECT_EQ(status, 0);
    Qvsql("--save-adtg " + file + " " + dir.Path() + " " + query, &status);
    EXPECT_NE(status, 0); // an existing file is not overwritten
    Qvsql("--adtg " + dir.File("none.adtg"), &status);
    EXPECT_NE(status, 0);
}
