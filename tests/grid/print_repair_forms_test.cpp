// The repair-order form templates, the last chosen form and the print texts they fill.
#include "gui_test_app.h"

#include "data/setting_files.h"
#include "grid/print_texts.h"
#include "grid/repair_print_forms.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <filesystem>
#include <fstream>

namespace {

class RepairFormsTest : public testing::Test {
protected:
    void SetUp() override {
        for (int form = 1; form <= 5; ++form)
            std::filesystem::remove(File(repair_forms::TemplatePath(RepairForm(form))));
        std::filesystem::remove(File("Picture/WxQdType"));
    }
    static std::string File(const wxString& relative) {
        return TestHome() + "/" + relative.utf8_string();
    }
    static std::string Bytes(const wxString& relative) {
        std::string bytes;
        platform::ReadFileBytes(File(relative), bytes);
        return bytes;
    }
    static void WriteRaw(const wxString& relative, const std::string& bytes) {
        std::ofstream(File(relative), std::ios::binary) << bytes;
    }
};

TEST_F(RepairFormsTest, TextsSurviveSaveAndLoadWithFullWidthCommasAndTheirLines) {
    RepairFormTemplate saved;
    saved.title = U("维修合约");
    saved.faultOn = true;
    saved.terms = U("第一行\r\r\n第二行\n\n第三行");
    saved.termsOn = true;
    saved.remark = U("周一,周三营业");
    saved.rowOn[1] = false;
    saved.rowOn[3] = false;
    ASSERT_TRUE(repair_forms::WriteTemplate(RepairForm::RepairOrder, saved));

    std::string file = Bytes("Picture/WxQdfile3");
    EXPECT_EQ(platform::GbkToUtf8(file), "维修合约,yes,第一行\r\n第二行\r\n第三行,yes,"
                                         "周一，周三营业,,,,NO,,NO\r\n");

    RepairFormTemplate loaded = repair_forms::ReadTemplate(RepairForm::RepairOrder);
    EXPECT_EQ(loaded.terms, U("第一行\n第二行\n第三行"));
    EXPECT_EQ(loaded.remark, U("周一，周三营业"));
    EXPECT_FALSE(loaded.rowOn[3]) << "the line end after the last item is not part of it";

    // Saving what was loaded changes nothing: no line ends pile up.
    ASSERT_TRUE(repair_forms::WriteTemplate(RepairForm::RepairOrder, loaded));
    EXPECT_EQ(Bytes("Picture/WxQdfile3"), file);
    EXPECT_EQ(repair_forms::ReadTemplate(RepairForm::RepairOrder), loaded);
}

TEST_F(RepairFormsTest, MissingOrShortFilesGiveEmptyTextsAndTheFormDefaults) {
    RepairFormTemplate missing = repair_forms::ReadTemplate(RepairForm::PreRepair);
    EXPECT_EQ(missing, RepairFormTemplate());

    WriteRaw("Picture/WxQdfile5", "X,yes");
    RepairFormTemplate shortFile = repair_forms::ReadTemplate(RepairForm::Dispatch);
    EXPECT_EQ(shortFile.title, "X");
    EXPECT_TRUE(shortFile.faultOn);
    EXPECT_TRUE(shortFile.rowOn[0] && shortFile.rowOn[3]);

    struct Case {
        RepairForm form;
        const char* title;
    } cases[] = {{RepairForm::PreRepair, "维修预算合约(附清单)"},
                 {RepairForm::RepairOrder, "维修合约(附清单)"},
                 {RepairForm::SalesTicket, "售货清单"},
                 {RepairForm::Dispatch, "派工单"}};
    for (const Case& c : cases) {
        RepairFormTemplate t = repair_forms::WithDefaults(c.form, shortFile);
        EXPECT_EQ(t.title, U(c.title));
        EXPECT_TRUE(t.terms.StartsWith(U("同意以上维修方案")));
        EXPECT_TRUE(t.remark.StartsWith(U("备注栏和约定事项栏")));
    }
    shortFile.title = "AB";
    shortFile.remark = U("自定");
    RepairFormTemplate kept = repair_forms::WithDefaults(RepairForm::PreRepair, shortFile);
    EXPECT_EQ(kept.title, "AB");
    EXPECT_EQ(kept.remark, U("自定"));
    EXPECT_EQ(repair_forms::WithDefaults(RepairForm::Brief, shortFile).title, "AB");
    EXPECT_EQ(repair_forms::WithDefaults(RepairForm::Brief, RepairFormTemplate()).terms, "");
}

TEST_F(RepairFormsTest, AFileWrittenWithTheOldLineEndsReadsBack) {
    WriteRaw("Picture/WxQdfile2", platform::Utf8ToGbk("预修,,甲\r\r\n乙,yes,,,yes,NO,,,NO\r\n"));
    RepairFormTemplate t = repair_forms::ReadTemplate(RepairForm::PreRepair);
    EXPECT_EQ(t.terms, U("甲\n乙"));
    EXPECT_TRUE(t.termsOn);
    EXPECT_TRUE(t.hintsOn);
    EXPECT_FALSE(t.rowOn[0]);
    EXPECT_TRUE(t.rowOn[1]);
    EXPECT_FALSE(t.rowOn[3]);
}

TEST_F(RepairFormsTest, TheLastFormDecidesTheNextOpening) {
    EXPECT_EQ(repair_forms::FormOnOpen(0), RepairForm::PreRepair);

    struct Case {
        RepairForm closed;
        RepairForm opened;
    } cases[] = {{RepairForm::Brief, RepairForm::Brief},
                 {RepairForm::RepairOrder, RepairForm::RepairOrder},
                 {RepairForm::SalesTicket, RepairForm::PreRepair},
                 {RepairForm::PreRepair, RepairForm::PreRepair}};
    for (const Case& c : cases) {
        ASSERT_TRUE(repair_forms::StoreLastForm(c.closed));
        EXPECT_EQ(repair_forms::FormOnOpen(3), c.opened);
    }
    // The dispatch list is not stored; a card with one record opens it all the same.
    ASSERT_TRUE(repair_forms::StoreLastForm(RepairForm::Brief));
    ASSERT_TRUE(repair_forms::StoreLastForm(RepairForm::Dispatch));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("WxQdType"), "1");
    EXPECT_EQ(repair_forms::FormOnOpen(1), RepairForm::Dispatch);
}

TEST_F(RepairFormsTest, SwitchesBecomeNoPrintAndRowMarks) {
    namespace pt = print_texts;
    RepairFormTemplate t;
    t.title = U("维修合约(附清单)");
    t.terms = U("条款");
    t.termsOn = true;
    t.remark = U("备注");
    t.hintsOn = true;
    t.rowOn[2] = false;
    std::vector<wxString> texts(5, "x"); // a short array grows to the full count
    repair_forms::ApplyToPrintTexts(RepairForm::SalesTicket, t, texts);
    ASSERT_EQ(texts.size(), pt::kCount);
    EXPECT_EQ(texts[pt::kTitle], t.title);
    EXPECT_EQ(texts[pt::kFault], pt::kNoPrint);
    EXPECT_EQ(texts[pt::kTerms], U("条款"));
    EXPECT_EQ(texts[pt::kRemark], pt::kNoPrint);
    EXPECT_EQ(texts[pt::kDocumentKind], U("零件售货单"));
    EXPECT_EQ(texts[pt::kHints], "print");
    EXPECT_EQ(texts[pt::kRowOff + 0], "");
    EXPECT_EQ(texts[pt::kRowOff + 2], "NO");

    t.faultOn = true;
    texts.assign(pt::kCount, "");
    texts[pt::kFault] = U("异响");
    repair_forms::ApplyToPrintTexts(RepairForm::PreRepair, t, texts);
    EXPECT_EQ(texts[pt::kFault], U("异响"));
    EXPECT_EQ(texts[pt::kDocumentKind], "");
}

} // namespace
