#include "app/company_data.h"
#include "app/company_page.h"
#include "common/program_folder.h"

#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "res/company_page_template.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

using namespace res::company_page;

namespace {

class CompanyPageTest : public ProgramFolderTest {
protected:
    void TearDown() override {
        if (sheet_) sheet_->Destroy();
        Pump();
        ProgramFolderTest::TearDown();
    }
    yfzl* Open() {
        sheet_ = new wxDialog(nullptr, wxID_ANY, "sheet");
        page_ = new yfzl(sheet_);
        sheet_->Show();
        Pump();
        return page_;
    }
    wxString Text(int id) { return res::Control<wxTextCtrl>(page_, id)->GetValue(); }
    void Type(int id, const char* text) { res::Control<wxTextCtrl>(page_, id)->SetValue(U(text)); }
    // The file as UTF-8, line end included; "-" when there is none.
    std::string File(const char* name = CCompanyData::kFile) {
        std::string bytes;
        if (!platform::ReadFileBytes(Path(name), bytes)) return "-";
        return platform::GbkToUtf8(bytes);
    }

    wxDialog* sheet_ = nullptr;
    yfzl* page_ = nullptr;
};

TEST_F(CompanyPageTest, EditsShowTheItemsOfTheFile) {
    // Twelve items: the surplus is ignored.
    WriteGbkFile(CCompanyData::kFile,
                 "宏达修理厂,张三,111,222,北京路1号,X,100000,333,444,一库，二库,extra,more\r\n");
    Open();
    EXPECT_EQ(Text(kNameEdit), U("宏达修理厂"));
    EXPECT_EQ(Text(kManagerEdit), U("张三"));
    EXPECT_EQ(Text(kPhone1Edit), "111");
    EXPECT_EQ(Text(kFaxEdit), "222");
    EXPECT_EQ(Text(kAddressEdit), U("北京路1号"));
    EXPECT_EQ(Text(kPostcodeEdit), "100000");
    EXPECT_EQ(Text(kPhone2Edit), "333");
    EXPECT_EQ(Text(kPhone3Edit), "444");
    EXPECT_EQ(Text(kStoresEdit), U("一库，二库"));
    EXPECT_FALSE(page_->IsModified());

    // OK without an edit leaves the file as it is.
    ASSERT_TRUE(page_->OnOK());
    EXPECT_EQ(File(),
              "宏达修理厂,张三,111,222,北京路1号,X,100000,333,444,一库，二库,extra,more\r\n");
}

TEST_F(CompanyPageTest, TypedValuesAreStoredAsSingleItems) {
    WriteGbkFile(CCompanyData::kFile, "Old,,,,,,,,,\r\n");
    Open();
    Type(kNameEdit, "New, Shop");
    Type(kAddressEdit, "Line1\r\nLine2");
    Type(kStoresEdit, "A,B");
    Type(kPhone3Edit, "9");
    EXPECT_TRUE(page_->IsModified());
    ASSERT_TRUE(page_->OnApply());
    EXPECT_EQ(File(), "New， Shop,,,,Line1Line2,,,,9,A，B\r\n");
    EXPECT_EQ(File(CCompanyData::kNewFile), "-");

    // A single warehouse of one character is kept.
    Type(kStoresEdit, "A");
    ASSERT_TRUE(page_->OnApply());
    CCompanyData data;
    data.Load();
    EXPECT_EQ(data.Get(CCompanyData::kStores), "A");
    EXPECT_EQ(data.Get(CCompanyData::kName), U("New， Shop"));
}

TEST_F(CompanyPageTest, FirstSaveWithoutAFileCreatesIt) {
    Open();
    EXPECT_EQ(Text(kNameEdit), "");
    Type(kNameEdit, "Shop");
    platform::ScriptedMessageBoxes boxes;
    ASSERT_TRUE(page_->OnOK());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(File(), "Shop,,,,,,,,,\r\n");
    EXPECT_EQ(File(CCompanyData::kNewFile), "-");
}

TEST_F(CompanyPageTest, FailedReplaceKeepsTheOldFileAndTheNewText) {
    // Something the new file cannot take the place of.
    ASSERT_TRUE(platform::CreateFolders(Path(CCompanyData::kFile) + "/x"));
    Open();
    Type(kNameEdit, "Shop");
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(page_->OnApply());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"移动文件出错!"});
    EXPECT_EQ(File(CCompanyData::kNewFile), "Shop,,,,,,,,,\r\n");
    EXPECT_TRUE(page_->IsModified());
}

} // namespace
