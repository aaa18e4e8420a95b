#include "common/program_folder.h"
#include "data/setting_files.h"
#include "data/system_options.h"

#include <gtest/gtest.h>

namespace {

const char kFullLine[] =
    "零件售货单=1,入库单=1,jgk=1,提示1=1,提示2=1,提示3=1,提示4=1,提示5=1,零件库存=1,三级模式=1,"
    "检查=1,项目名称=10,零售价=5,批发价=5,一级价=130,二级价=120,三级价=110,折扣=90,";

TEST(SystemOptionsTest, WholeNumberAndTenthsOptions) {
    struct Case {
        const char* settings;
        const char* key;
        int whole;
        int tenths;
    } cases[] = {
        {kFullLine, "jgk", 1, 10},
        {kFullLine, "一级价", 130, 1300},
        {kFullLine, "折扣", 90, 900},
        {kFullLine, "提示5", 1, 10},
        {kFullLine, "价", 0, 0}, // the tail of a key is no key
        {"", "折扣", 0, 0},
        {"折扣=,", "折扣", 0, 0},
        {"abc,14,20,折扣=8.5", "折扣", 8, 85}, // a rights string; 8.5 rounds half to even
        {"折扣=9.5,", "折扣", 10, 95},
        {"一级价=1.6,", "一级价", 2, 16},
        {"折扣=8.25 x", "折扣", 8, 82},
        {"折扣=abc,", "折扣", 0, 0},    // not a number: as if absent
        {"jgk=3,jgk=2,", "jgk", 3, 30}, // the first item counts
    };
    for (const Case& c : cases) {
        CSystemOptions options;
        options.m_strSettings = U(c.settings);
        EXPECT_EQ(options.GetIntOption(U(c.key)), c.whole) << c.settings << " " << c.key;
        EXPECT_EQ(options.GetTenthsOption(U(c.key)), c.tenths) << c.settings << " " << c.key;
    }
}

using SystemOptionsFileTest = ProgramFolderTest;

TEST_F(SystemOptionsFileTest, EveryReaderReadsTheFileAgain) {
    CSystemOptions missing;
    missing.LoadSettings();
    EXPECT_EQ(missing.m_strSettings, "");
    EXPECT_EQ(missing.GetIntOption(U("三级模式")), 0);

    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U(kFullLine)), 1);
    CSystemOptions first;
    first.LoadSettings();
    EXPECT_EQ(first.GetIntOption(U("三级模式")), 1);

    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U("折扣=80,")), 1);
    CSystemOptions second;
    second.LoadSettings();
    EXPECT_EQ(second.GetIntOption(U("三级模式")), 0);
    EXPECT_EQ(second.GetIntOption(U("折扣")), 80);
}

} // namespace
