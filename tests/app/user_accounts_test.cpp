#include "app/user_accounts.h"
#include "app/user_rights.h"
#include "common/program_folder.h"

#include "platform/files.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

namespace {

wxString AllTokens() {
    wxString text;
    for (int token = 14; token <= 67; ++token)
        text += wxString::Format("%d,", token);
    return text;
}

TEST(UserRights, StoredTextOfTheBoxes) {
    CUserRights none;
    EXPECT_EQ(none.ToText(), AllTokens());
    CUserRights all;
    all.SetAll(true);
    EXPECT_EQ(all.ToText(), "0");
    all.SetDiscountTenths(85);
    EXPECT_EQ(all.ToText(), U("折扣=8.5,"));
    all.Set(4, false);
    all.Set(43, false);
    EXPECT_EQ(all.ToText(), U("14,53,折扣=8.5,"));
    all.SetDiscountTenths(100);
    EXPECT_EQ(all.ToText(), U("14,53,折扣=10.0,"));
}

TEST(UserRights, ReadingComparesWholeTokens) {
    struct Case {
        const char* qx;
        std::vector<int> lacking;
        int discount;
    } cases[] = {
        {"0", {}, 0},
        {"14,53,折扣=8.5,", {4, 43}, 85},
        {"114,", {}, 0},       // no token inside another number
        {"折扣=5.6,", {}, 56}, // nor in the discount
        {"折扣=2.3,", {}, 23}, // 22.999... tenths in a double
        {"67,  ", {57}, 0},    // trailing blanks of the field
        {"20,21,22,", {10, 11, 12}, 0},
    };
    for (const Case& c : cases) {
        CUserRights rights = CUserRights::Parse(U(c.qx));
        for (int right = 4; right <= 57; ++right) {
            const bool lacks =
                std::find(c.lacking.begin(), c.lacking.end(), right) != c.lacking.end();
            EXPECT_EQ(rights.Has(right), !lacks) << c.qx << " right " << right;
        }
        EXPECT_EQ(rights.DiscountTenths(), c.discount) << c.qx;
        EXPECT_EQ(CUserRights::Parse(rights.ToText()).ToText(), rights.ToText()) << c.qx;
    }
    // An empty item grants nothing.
    EXPECT_EQ(CUserRights::Parse("").ToText(), AllTokens());
}

class UserAccountsTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CUsersFile::CreateWithAdministrator("admin", "secret"));
        ASSERT_TRUE(accounts_.Load());
    }
    CUserRights Clerk() {
        CUserRights rights;
        rights.SetAll(true);
        rights.Set(CUserRights::kUsersRight, false);
        return rights;
    }
    CUserAccounts accounts_;
};

TEST_F(UserAccountsTest, NewUserIsWrittenAndCanLogIn) {
    CUserRights rights = Clerk();
    rights.SetDiscountTenths(85);
    ASSERT_EQ(accounts_.PutUser("wang  ", "abc", "abc", rights), CUserAccounts::Result::Done);
    ASSERT_TRUE(accounts_.Save());
    EXPECT_FALSE(platform::FileExists(Path(CUsersFile::kWorkingCopy)));

    CUsersFile file;
    wxString text;
    ASSERT_TRUE(file.CheckUser("wang", "abc", &text));
    EXPECT_EQ(text, U("wang,53,折扣=8.5,"));
    CUserAccounts again;
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.LoginNames(), (std::vector<wxString>{"admin", "wang"}));
    wxString password;
    CUserRights read;
    ASSERT_TRUE(again.FindUser("wang", &password, &read));
    EXPECT_EQ(password, "abc");
    EXPECT_EQ(read.DiscountTenths(), 85);
    EXPECT_FALSE(read.Has(43));

    // A change keeps one record per name.
    ASSERT_EQ(again.PutUser("wang", "xyz", "xyz", rights), CUserAccounts::Result::Done);
    EXPECT_EQ(again.LoginNames().size(), 2u);
}

TEST_F(UserAccountsTest, RefusedInputChangesNothing) {
    using R = CUserAccounts::Result;
    struct Case {
        const char* name;
        const char* password;
        const char* repeat;
        R result;
    } cases[] = {
        {"", "abc", "abc", R::EmptyName},
        {"   ", "abc", "abc", R::EmptyName},
        {"abcdefghijk", "abc", "abc", R::TooLong}, // 11 characters
        {"wang", "abcdefghijk", "abcdefghijk", R::TooLong},
        {"wang", "abc", "abd", R::BadPassword},
        {"wang", "", "", R::BadPassword},
        {"wa,ng", "abc", "abc", R::BadName},
        {"o'neil", "abc", "abc", R::BadName},
    };
    for (const Case& c : cases)
        EXPECT_EQ(accounts_.PutUser(U(c.name), U(c.password), U(c.repeat), Clerk()), c.result)
            << c.name << " " << c.password;
    EXPECT_EQ(accounts_.LoginNames(), std::vector<wxString>{"admin"});
    EXPECT_EQ(CUserAccounts::Message(R::BadPassword), U("密码或用户名有误,请重新输入!"));

    // Ten characters fit, Chinese ones too: never stored cut.
    ASSERT_EQ(accounts_.PutUser(U("王师傅王师傅王师傅王"), U("密码密码密码密码密码"),
                                U("密码密码密码密码密码"), Clerk()),
              R::Done);
    ASSERT_TRUE(accounts_.Save());
    CUsersFile file;
    EXPECT_TRUE(file.CheckUser(U("王师傅王师傅王师傅王"), U("密码密码密码密码密码"), nullptr));
}

TEST_F(UserAccountsTest, NoOneCanLockEveryoneOut) {
    using R = CUserAccounts::Result;
    // The only administrator may not give up managing the users, nor be deleted.
    EXPECT_EQ(accounts_.PutUser("admin", "secret", "secret", Clerk()), R::LastAdministrator);
    EXPECT_EQ(accounts_.DeleteUser("admin", "someone"), R::LastAdministrator);
    EXPECT_EQ(accounts_.DeleteUser("nobody", "admin"), R::NoSuchUser);

    CUserRights boss;
    boss.SetAll(true);
    ASSERT_EQ(accounts_.PutUser("boss", "pw", "pw", boss), R::Done);
    // Nobody deletes the login in use; with a second manager the first may go.
    EXPECT_EQ(accounts_.DeleteUser("admin", "admin"), R::OwnLogin);
    EXPECT_EQ(accounts_.PutUser("admin", "secret", "secret", Clerk()), R::Done);
    EXPECT_EQ(accounts_.DeleteUser("boss", "admin"), R::LastAdministrator);
    ASSERT_EQ(accounts_.DeleteUser("admin", "boss"), R::Done);
    ASSERT_TRUE(accounts_.Save());

    CUserAccounts again;
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.LoginNames(), std::vector<wxString>{"boss"});
    CUsersFile file;
    EXPECT_FALSE(file.CheckUser("admin", "secret", nullptr));
    EXPECT_TRUE(file.CheckUser("boss", "pw", nullptr));
}

TEST_F(UserAccountsTest, FailedWriteKeepsTheOldFile) {
    ASSERT_EQ(accounts_.PutUser("wang", "abc", "abc", Clerk()), CUserAccounts::Result::Done);
    // The working copy cannot be written: a folder stands in its way.
    const std::string stored = Path(CUsersFile::kStoredFile);
    std::string old;
    ASSERT_TRUE(platform::ReadFileBytes(stored, old));
    ASSERT_TRUE(platform::CreateFolders(Path(CUsersFile::kWorkingCopy) + "/x"));
    EXPECT_FALSE(accounts_.Save());
    std::string now;
    ASSERT_TRUE(platform::ReadFileBytes(stored, now));
    EXPECT_TRUE(now == old);
}

} // namespace
