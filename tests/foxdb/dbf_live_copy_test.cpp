// Copying the live records of a table into an empty one, renumbered: the copy to a
// new file and the compaction of a scratch copy in place give the same files.
#include "foxdb/dbf_fixture.h"
#include "foxdb/table_files.h"

#include <functional>
#include <set>

namespace foxdb_test {
namespace {

const char* const kFields = "(名称 C(40),amt N(10,2),no I UNIQUE)";

class LiveCopy : public ::testing::Test {
protected:
    std::string Dir(const std::string& name) {
        const std::string dir = folder.Path() + "/" + name;
        std::filesystem::create_directories(dir);
        return dir;
    }
    // An empty table with `fields` in its own folder.
    std::string EmptyTable(const std::string& dir, const char* fields = kFields) {
        foxdb::CreateTable(Dir(dir), "t", foxdb::ParseFieldList(fields));
        return foxdb::FindTableFile(folder.Path() + "/" + dir, "t");
    }

    TempFolder folder;
};

TEST_F(LiveCopy, CompactingInPlaceGivesTheFilesOfTheCopy) {
    struct Case {
        const char* what;
        int records;
        std::function<int64_t(int)> number; // of record i (from 0)
        std::set<int> deleted;              // record numbers from 1
    } cases[] = {
        // Larger than one chunk of reads and of writes.
        {"numbered 1..n, nothing deleted", 20000, [](int i) { return int64_t(i + 1); }, {}},
        {"the first record deleted", 20000, [](int i) { return int64_t(i + 1); }, {1}},
        // Records that move keep their numbers: they are written for the move alone.
        {"a deleted record already out of the numbering",
         20000,
         [](int i) { return int64_t(i); },
         {1}},
        {"deleted in the middle and at the end",
         9000,
         [](int i) { return int64_t(i + 1); },
         {4000, 4001, 8999, 9000}},
        {"numbers out of order", 500, [](int i) { return int64_t(1000 - i); }, {}},
        {"every record deleted", 3, [](int i) { return int64_t(i + 1); }, {1, 2, 3}},
        {"no records", 0, [](int i) { return int64_t(i + 1); }, {}},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string tag = std::to_string(round++);
        const std::string source = EmptyTable("source" + tag);
        {
            foxdb::TableEdit edit(source);
            for (int i = 0; i < c.records; ++i)
                edit.Append({Gbk("零件" + std::to_string(i)), double(i % 97) / 4, c.number(i)});
            for (int recno : c.deleted)
                edit.Delete(static_cast<uint32_t>(recno));
            edit.Commit();
        }
        const std::string scratch = Dir("scratch" + tag) + "/t.dbf";
        std::filesystem::copy_file(source, scratch);
        const std::string copied = EmptyTable("copied" + tag);
        const std::string compacted = EmptyTable("compacted" + tag);

        const uint32_t live = static_cast<uint32_t>(c.records - c.deleted.size());
        EXPECT_EQ(foxdb::CopyLiveRecords(source, copied, "no"), live);
        EXPECT_EQ(foxdb::CompactLiveRecords(scratch, compacted, "no"), live);
        EXPECT_FALSE(std::filesystem::exists(scratch));
        EXPECT_TRUE(ReadBytes(copied) == ReadBytes(compacted));
        EXPECT_TRUE(ReadBytes(foxdb::IndexPathFor(copied)) ==
                    ReadBytes(foxdb::IndexPathFor(compacted)));

        auto table = foxdb::DbfTable::Open(compacted);
        ASSERT_EQ(table->RecordCount(), live);
        uint32_t recno = 0;
        for (int i = 0; i < c.records; ++i) {
            if (c.deleted.count(i + 1)) continue;
            ++recno;
            ASSERT_FALSE(table->IsDeleted(recno));
            ASSERT_EQ(std::get<int64_t>(table->Get(recno, 2)), int64_t(recno));
            std::string name = Text(table->Get(recno, 0));
            name.erase(name.find_last_not_of(' ') + 1);
            ASSERT_EQ(name, Gbk("零件" + std::to_string(i)));
        }
    }
}

TEST_F(LiveCopy, OtherFieldsAreRefusedAndTheScratchCopyStays) {
    const std::string scratch = EmptyTable("scratch");
    {
        foxdb::TableEdit edit(scratch);
        edit.Append({Gbk("机油"), 1.5, int64_t(1)});
        edit.Commit();
    }
    const std::string before = ReadBytes(scratch);
    int round = 0;
    for (const char* fields :
         {"(名称 C(30),amt N(10,2),no I UNIQUE)", "(名称 C(40),no I UNIQUE)"}) {
        SCOPED_TRACE(fields);
        const std::string other = EmptyTable("other" + std::to_string(round++), fields);
        EXPECT_THROW(foxdb::CompactLiveRecords(scratch, other, "no"), foxdb::Error);
        EXPECT_EQ(ReadBytes(scratch), before);
        EXPECT_EQ(foxdb::ReadRecordCount(other), 0u);
    }
}

} // namespace
} // namespace foxdb_test
