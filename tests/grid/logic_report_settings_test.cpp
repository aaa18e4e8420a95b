// The 988-byte report settings record and its file "Report/<name>".
#include "common/temp_folder.h"
#include "grid/report_settings.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Rs = ReportSettingsRecord;
class ReportSettingsTest : public testing::Test {
protected:
    void SetUp() override { setenv("QV_HOME", home.Path().c_str(), 1); }
    std::string ReportFile(const char* name) { return home.File(std::string("Report/") + name); }
    std::string Stored(const char* name) {
        std::string bytes;
        platform::ReadFileBytes(ReportFile(name), bytes);
        return bytes;
    }
    static Rs Named(const char* name) {
        Rs record;
        record.Set(Rs::Text::Name, U(name));
        return record;
    }
    static void ExpectDefaultDistances(const Rs& r) {
        EXPECT_EQ(r.Get(Rs::Int::HeaderGap), 3);
        EXPECT_EQ(r.Get(Rs::Int::FooterHeight), 2);
        EXPECT_EQ(r.Get(Rs::Int::LeftMargin), 4);
        EXPECT_EQ(r.Get(Rs::Int::RightMargin), 4);
        EXPECT_EQ(r.Get(Rs::Int::TopMargin), 1);
        EXPECT_EQ(r.Get(Rs::Int::BottomMargin), 2);
        EXPECT_EQ(r.Get(Rs::Int::TitleHeight), 2);
    }

    qv_test::TempFolder home{"report"};
    platform::ScriptedMessageBoxes boxes;
};

TEST_F(ReportSettingsTest, NeverSavedReportGivesTheDefaults) {
    Rs r = LoadReportSettings(U("进货报表"));
    EXPECT_EQ(r.Get(Rs::Text::Name), "");
    EXPECT_EQ(r.Get(Rs::Int::PaperCode), 9);
    ExpectDefaultDistances(r);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ReportSettingsTest, FieldsLandAtTheirOffsetsInGbk) {
    Rs r = Named("维修清单");
    r.Set(Rs::Text::Title, U("标题@#20"));
    r.Set(Rs::Int::PaperCode, 0);
    r.Set(Rs::Text::CustomPaperSize, "2972,2108");
    r.Set(Rs::Int::HeaderGap, 26); // 0x1A, the DOS end-of-file byte
    r.Set(Rs::Int::TitleHeight, -1);
    r.Set(Rs::Text::Footer, U("第一行\r\n第二行@#11&%3"));
    ASSERT_EQ(SaveReportSettings(r), 1);
    const std::string bytes = Stored("维修清单");
    ASSERT_EQ(bytes.size(), 988u);
    EXPECT_EQ(bytes.substr(0, 9), qv_test::Gbk("维修清单") + '\0');
    EXPECT_EQ(bytes.substr(0x0D, 9), qv_test::Gbk("标题@#20") + '\0');
    EXPECT_EQ(bytes.substr(0x34C, 4), std::string("\0\0\0\0", 4));
    EXPECT_EQ(bytes.substr(0x3A0, 10), std::string("2972,2108\0", 10));
    EXPECT_EQ(bytes[0x3BD], '\n');
    EXPECT_EQ(bytes.substr(0x3C0, 4), std::string("\x1A\0\0\0", 4));
    EXPECT_EQ(bytes.substr(0x3D8, 4), "\xFF\xFF\xFF\xFF");

    Rs back = LoadReportSettings(U("维修清单"));
    EXPECT_EQ(back.Bytes(), r.Bytes());
    EXPECT_EQ(back.Get(Rs::Text::Footer), U("第一行\r\n第二行@#11&%3"));
    EXPECT_EQ(back.Get(Rs::Int::HeaderGap), 26);
}

TEST_F(ReportSettingsTest, SaveChecksTheFirstFiveDistancesOnly) {
    Rs r = Named("售货报表");
    r.Set(Rs::Int::LeftMargin, 200);
    r.Set(Rs::Int::BottomMargin, 500);
    ASSERT_EQ(SaveReportSettings(r), 1);
    const std::string before = Stored("售货报表");

    for (Rs::Int f : {Rs::Int::HeaderGap, Rs::Int::FooterHeight, Rs::Int::LeftMargin,
                      Rs::Int::RightMargin, Rs::Int::TopMargin}) {
        Rs bad = r;
        bad.Set(f, 201);
        bad.Set(Rs::Text::Title, "changed");
        boxes.Clear();
        EXPECT_EQ(SaveReportSettings(bad), 0);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{"选择或输入内容不对或不完整！无法完成操作。"});
        EXPECT_EQ(Stored("售货报表"), before);
    }
    EXPECT_EQ(LoadReportSettings(U("售货报表")).Get(Rs::Int::BottomMargin), 500);
}

TEST_F(ReportSettingsTest, StoredOutOfRangeDistancesLoadAsDefaultsWithTexts) {
    Rs r = Named("维修报表");
    r.Set(Rs::Text::Header, U("页眉@#11"));
    r.Set(Rs::Int::LeftMargin, 9);
    r.Set(Rs::Int::HeaderGap, 250);
    platform::CreateFolders(home.File("Report"));
    platform::WriteFileAtomic(ReportFile("维修报表"),
                              std::string(r.Bytes().begin(), r.Bytes().end()));
    Rs back = LoadReportSettings(U("维修报表"));
    ExpectDefaultDistances(back);
    EXPECT_EQ(back.Get(Rs::Text::Header), U("页眉@#11"));
    EXPECT_EQ(back.Get(Rs::Text::Name), U("维修报表"));
}

TEST_F(ReportSettingsTest, DamagedShortOrForeignFilesGiveTheDefaultRecord) {
    platform::CreateFolders(home.File("Report"));
    Rs foreign = Named("进货报表");
    foreign.Set(Rs::Int::LeftMargin, 7);
    const std::string full(foreign.Bytes().begin(), foreign.Bytes().end());
    const std::pair<const char*, std::string> cases[] = {
        {"零件库存", full},                // another report's record
        {"进货报表", full.substr(0, 500)}, // cut short
        {"售货报表", std::string()},       // empty
    };
    for (const auto& [name, bytes] : cases) {
        platform::WriteFileAtomic(ReportFile(name), bytes);
        Rs r = LoadReportSettings(U(name));
        EXPECT_EQ(r.Get(Rs::Text::Name), "") << name;
        EXPECT_EQ(r.Get(Rs::Int::LeftMargin), 4) << name;
    }
}

TEST_F(ReportSettingsTest, FactoryDefaultsAreReadFromTheOFile) {
    platform::CreateFolders(home.File("Report"));
    Rs factory = Named("维修清单");
    factory.Set(Rs::Int::RightMargin, 12);
    // The file may hold several records; the one with the plain report name counts.
    Rs other = Named("零件目录");
    std::string bytes(other.Bytes().begin(), other.Bytes().end());
    bytes.append(factory.Bytes().begin(), factory.Bytes().end());
    platform::WriteFileAtomic(ReportFile("维修清单O"), bytes);

    Rs r = LoadReportSettings(U("维修清单O"));
    EXPECT_EQ(r.Get(Rs::Text::Name), U("维修清单"));
    EXPECT_EQ(r.Get(Rs::Int::RightMargin), 12);
    EXPECT_EQ(LoadReportSettings(U("维修清单")).Get(Rs::Int::RightMargin), 4);

    // A name of the full twelve bytes has defaults of its own, apart from its settings.
    Rs own = Named("维修客户预警");
    own.Set(Rs::Int::RightMargin, 30);
    ASSERT_EQ(SaveReportSettings(own), 1);
    EXPECT_EQ(LoadReportSettings(U("维修客户预警O")).Get(Rs::Int::RightMargin), 4);
    factory = Named("维修客户预警");
    factory.Set(Rs::Int::RightMargin, 7);
    platform::WriteFileAtomic(ReportFile("维修客户预警O"),
                              std::string(factory.Bytes().begin(), factory.Bytes().end()));
    EXPECT_EQ(LoadReportSettings(U("维修客户预警O")).Get(Rs::Int::RightMargin), 7);
    EXPECT_EQ(LoadReportSettings(U("维修客户预警")).Get(Rs::Int::RightMargin), 30);
}

TEST_F(ReportSettingsTest, TextsNeverSpillIntoTheNextField) {
    Rs r;
    const std::string layout(199, '9');
    r.Set(Rs::Text::Layout, wxString(layout));
    r.Set(Rs::Text::Header, "H");
    EXPECT_EQ(r.Bytes()[0x0F3 + 199], 0);
    EXPECT_EQ(r.Bytes()[0x1BB], 'H');

    r.Set(Rs::Text::Layout, "24,20,");
    EXPECT_EQ(r.Bytes()[0x0F3 + 6], 0);
    EXPECT_EQ(r.Bytes()[0x0F3 + 7], '\n');

    // 20 Chinese characters are 40 GBK bytes: the title keeps 14 of them.
    r.Set(Rs::Text::Title, wxString(U("标")) + wxString(wxUniChar(0x9898), 19));
    EXPECT_EQ(r.Get(Rs::Text::Title).length(), 14u);
    EXPECT_EQ(r.Bytes()[0x2B], 0);              // hiddenColumns untouched
    r.Set(Rs::Text::Name, U("维修客户预警表")); // 14 bytes: cut to 12
    EXPECT_EQ(r.Get(Rs::Text::Name), U("维修客户预警"));
    r.Set(Rs::Text::CustomPaperSize, wxString('1', 40));
    EXPECT_EQ(r.Get(Rs::Text::CustomPaperSize).length(), 28u);
    EXPECT_EQ(r.Bytes()[0x3BD], '\n');
}

TEST_F(ReportSettingsTest, NamesThatLeaveTheReportFolderAreRefused) {
    for (const char* name : {"", "..", "a/b", "a\\b"}) {
        boxes.Clear();
        EXPECT_EQ(SaveReportSettings(Named(name)), 0) << name;
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unable to open file"});
    }
    EXPECT_FALSE(platform::FileExists(home.File("b")));
}

TEST(ReportSettingsSplit, SplitsAtTheFirstMark) {
    auto [text, rest] = Rs::SplitAt(U("页脚@#11&%3"), "&%");
    EXPECT_EQ(text, U("页脚@#11"));
    EXPECT_EQ(rest, "3");
    EXPECT_EQ(Rs::SplitAt("plain", "@#").second, "");
    EXPECT_EQ(Rs::SplitAt("a@#b@#c", "@#").second, "b@#c");
}

} // namespace

#include "grid/report_queries.h"

namespace {

TEST(ReportQueries, ColumnNamesOfQueryItems) {
    const std::pair<const char*, const char*> cases[] = {
        {"sum(数量*进价) AS 金额", "金额"},
        {"ljkc.编号", "编号"},
        {" 车型 ", "车型"},
        {"(单价*折扣*0.01) as 单价", "单价"},
        {"no", ""},
        {"*", ""},
    };
    for (const auto& [item, name] : cases)
        EXPECT_EQ(ItemColumnName(wxString::FromUTF8(item)), wxString::FromUTF8(name)) << item;

    std::vector<wxString> names;
    for (const wxString& item : QueryItems(FixedReportSql(wxString::FromUTF8("进货报表"))))
        if (!ItemColumnName(item).empty()) names.push_back(ItemColumnName(item));
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names[7], wxString::FromUTF8("金额"));
}

TEST(ReportQueries, SixtyNamesAndTheirQueries) {
    EXPECT_EQ(ReportNames().size(), 60u);
    EXPECT_EQ(FixedReportSql(wxString::FromUTF8("保养车辆")),
              FixedReportSql(wxString::FromUTF8("保养到期表")));
    EXPECT_EQ(FixedReportSql("nothing"), "");
    EXPECT_EQ(ReportFieldTable(wxString::FromUTF8("工时费")), "wxxm");
}

} // namespace
