// Find, Filter and Sort on the rows in memory, with the criteria the program builds.
#include "ado_fixture.h"

using namespace ado;
using namespace ado_test;

TEST(Filter, CriteriaSelectTheRows) {
    struct Case {
        const char* criteria;
        std::vector<long> numbers;
    } cases[] = {
        {"编号 = 'A001'", {1}},
        {"编号='A001   '", {1}}, // trailing blanks do not count
        {"编号='a001'", {1}},    // nor does ASCII case
        {"名称 like '%螺丝%'", {1, 5}},
        {"名称 LIKE '螺*'", {1, 3, 5}},
        {"名称 like '%片'", {2, 4}},
        {"名称 like '%%'", {1, 2, 3, 4, 5}},
        {"编号 like '%a0%' and 数量 > 6", {5}},
        {"no < 2 or no >= 4", {1, 4, 5}},
        {"(no = 1 and 编号 = 'A001') or (no = 4)", {1, 4}},
        {"数量 > $5.00", {2, 5}},
        {"数量 = NULL", {3}},
        {"数量 <> NULL", {1, 2, 4, 5}},
        {"数量 <> 5", {2, 4, 5}},    // Null passes no comparison
        {"日期>2026-01-31", {2, 5}}, // an unquoted date
        {"日期 >= #2/10/2026#", {2, 5}},
        {"日期 < '2026-01-06' and 日期 > '1900-01-01'", {1, 4}},
        {"[名称] = '垫片'", {2}},
        {"名称 = 'O''Malley'", {}},
        {"编号 = ''", {}},
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        rs->PutFilter(c.criteria);
        EXPECT_EQ(Numbers(*rs), c.numbers) << c.criteria;
        EXPECT_EQ(rs->RecordCount(), static_cast<long>(c.numbers.size())) << c.criteria;
    }
}

// Case is folded on ASCII letters only, never on the second byte of a GBK pair, and
// trailing blanks are ignored, in every comparison and in the sort.
TEST(Filter, TextComparesFoldCaseOnlyOutsideGbkPairs) {
    foxdb::ResultSet r;
    r.columns = {Column("no", foxdb::adInteger, 4, 10), Column("名称", foxdb::adChar, 6)};
    const std::string lowTrail = "\x81\x61", highTrail = "\x81\x41"; // two GBK characters
    const char* const texts[] = {"\x81\x61    ", "\x81\x41    ", "ab    ", "AB    ", "abc   "};
    for (int no = 1; no <= 5; ++no)
        r.rows.push_back({int64_t{no}, std::string(texts[no - 1])});
    struct Case {
        std::string criteria;
        std::vector<long> numbers;
    } cases[] = {
        {"名称 = '" + platform::GbkToUtf8(lowTrail) + "'", {1}},
        {"名称 = '" + platform::GbkToUtf8(highTrail) + "'", {2}},
        {"名称 > '" + platform::GbkToUtf8(highTrail) + "'", {1}},
        {"名称 = 'AB  '", {3, 4}},
        {"名称 <> 'ab'", {1, 2, 5}},
        {"名称 < 'ABC'", {3, 4}},
        {"名称 <= 'abc'", {3, 4, 5}},
        {"名称 > 'ab'", {1, 2, 5}},
        {"名称 >= 'AB'", {1, 2, 3, 4, 5}},
        {"名称 = 'abcdefgh'", {}}, // longer than the field
        {"名称 = 'a'", {}},
        {"名称 = ''", {}},
    };
    for (const Case& c : cases) {
        Recordset rs;
        rs.OpenResult(foxdb::ResultSet(r));
        rs.PutFilter(c.criteria);
        EXPECT_EQ(Numbers(rs), c.numbers) << c.criteria;
    }
    Recordset rs;
    rs.OpenResult(std::move(r));
    rs.PutSort("名称");
    EXPECT_EQ(Numbers(rs), (std::vector<long>{3, 4, 5, 2, 1}));
}

TEST(Filter, BadCriteriaAreRefusedAndKeepThePreviousFilter) {
    struct Case {
        const char* criteria;
        HRESULT error;
    } cases[] = {
        {"no", AdoHr(adErrInvalidArgument)},
        {"no = ", AdoHr(adErrInvalidArgument)},
        {"no != 1", AdoHr(adErrInvalidArgument)},
        {"编号 = 'A001", AdoHr(adErrInvalidArgument)},
        {"(no = 1 or no = 2) and 编号 = 'A001'", AdoHr(adErrInvalidArgument)},
        {"名称 like '螺*钉'", AdoHr(adErrInvalidArgument)},
        {"数量 like '5*'", AdoHr(adErrInvalidArgument)},
        {"数量 > 'many'", AdoHr(adErrInvalidArgument)},
        {"日期 > 'soon'", AdoHr(adErrInvalidArgument)},
        {"no = 1 and", AdoHr(adErrInvalidArgument)},
        {"nosuch = 1", AdoHr(adErrItemNotFound)},
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        rs->PutFilter("no > 3");
        EXPECT_EQ(ErrorOf([&] { rs->PutFilter(c.criteria); }), c.error) << c.criteria;
        EXPECT_EQ(rs->Filter().ToString(), "no > 3") << c.criteria;
        EXPECT_EQ(rs->RecordCount(), 2) << c.criteria;
    }
}

// "term op term op ..." with `count` terms.
std::string Chain(const std::string& term, const std::string& op, int count) {
    std::string text = term;
    for (int i = 1; i < count; ++i)
        text += op + term;
    return text;
}

TEST(Filter, LongCriteriaRunAndDeepOnesAreAClearError) {
    // The program joins the operator's chosen items into one OR list.
    std::string chosen = "no = 2";
    for (int i = 1; i < 500; ++i)
        chosen += " or no = " + std::to_string(1000 + i);
    auto rs = OpenParts();
    rs->PutFilter(chosen);
    EXPECT_EQ(Numbers(*rs), std::vector<long>{2});
    rs->PutFilter(Chain("no > 0", " and ", 10000));
    EXPECT_EQ(rs->RecordCount(), 5);

    const std::string nested = std::string(10000, '(') + "no = 1" + std::string(10000, ')');
    for (const std::string& criteria : {nested, "(no = 1 or " + nested + ")"}) {
        rs->PutFilter("no > 3");
        try {
            rs->PutFilter(criteria);
            ADD_FAILURE() << "accepted";
        } catch (const ComError& e) {
            EXPECT_EQ(e.Error(), AdoHr(adErrInvalidArgument));
            EXPECT_NE(e.Description().find("nested more than 100 levels"), std::string::npos);
        }
        EXPECT_EQ(rs->RecordCount(), 2);
    }
}

TEST(Filter, ClearingReadingBackAndPendingRecords) {
    auto rs = OpenParts();
    EXPECT_EQ(rs->Filter().ToString(), "0");
    rs->PutFilter("no > 3");
    rs->MoveLast();
    rs->PutFilter("");
    EXPECT_EQ(rs->Filter().ToString(), "0"); // the program tests for "0"
    EXPECT_EQ(rs->AbsolutePosition(), 1);    // a filter change goes to the first record
    EXPECT_EQ(rs->RecordCount(), 5);
    rs->PutFilter("no > 3");
    rs->PutFilter("0"); // a "no filter" kept as text and put back
    EXPECT_EQ(rs->RecordCount(), 5);

    rs->PutAbsolutePosition(2);
    rs->Fields().Item("数量").PutValue("1");
    rs->MoveNext();
    rs->Delete();
    rs->AddNew();
    rs->Fields().Item("no").PutValue(-1);
    rs->Update();
    rs->PutFilter(adFilterPendingRecords);
    EXPECT_EQ(rs->RecordCount(), 3);
    std::vector<long> statuses;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        statuses.push_back(rs->Status());
    EXPECT_EQ(statuses, (std::vector<long>{adRecModified, adRecDeleted, adRecNew}));
    // A criteria filter hides the deleted row; edits survive the filter change.
    rs->PutFilter("no <= 3");
    EXPECT_EQ(Numbers(*rs), (std::vector<long>{1, 2, -1}));
    rs->PutAbsolutePosition(2);
    EXPECT_EQ(Text(*rs, "数量"), "1");
    EXPECT_EQ(ErrorOf([&] { rs->PutFilter(Variant(4)); }), AdoHr(adErrInvalidArgument));
}

TEST(Find, ForwardBackwardSkipAndStart) {
    struct Case {
        const char* criteria;
        long startAt; // 1-based position to stand on first
        long skip;
        SearchDirectionEnum direction;
        const char* found; // `no` found, or "EOF" / "BOF"
    } cases[] = {
        {"编号='A003'", 1, 0, adSearchForward, "3"},
        {"名称 like '%螺丝%'", 1, 0, adSearchForward, "1"},
        {"名称 like '%螺丝%'", 1, 1, adSearchForward, "5"},
        {"名称 like '%螺丝%'", 5, 1, adSearchForward, "EOF"},
        {"编号 = 'C004'", 5, 0, adSearchBackward, "4"},
        {"编号 = 'C004'", 4, 1, adSearchBackward, "BOF"},
        {"no=2", 1, 0, adSearchForward, "2"},
        {"no = 9", 1, 0, adSearchForward, "EOF"},
        {"数量 >= 7", 1, 0, adSearchForward, "2"},
        {"hz='x'", 1, 0, adSearchForward, "error"},
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        rs->PutAbsolutePosition(c.startAt);
        std::string found;
        try {
            rs->Find(c.criteria, c.skip, c.direction);
            found = rs->EndOfFile() ? "EOF" : rs->BOF() ? "BOF" : std::to_string(No(*rs));
        } catch (const ComError&) {
            found = "error";
        }
        EXPECT_EQ(found, c.found) << c.criteria << " from " << c.startAt;
    }
    // The "find next" idiom of the program: skip 1 from a bookmark.
    auto rs = OpenParts();
    rs->Find("名称 like '%螺%'");
    std::vector<long> hits;
    while (!rs->EndOfFile()) {
        hits.push_back(No(*rs));
        Variant mark = rs->Bookmark();
        rs->Find("名称 like '%螺%'", 1, adSearchForward, mark);
    }
    EXPECT_EQ(hits, (std::vector<long>{1, 3, 5}));
    EXPECT_EQ(ErrorOf([&] { rs->Find("no = 1 and 编号 = 'A001'"); }), AdoHr(adErrInvalidArgument));
    rs->PutFilter("no > 2");
    rs->MoveFirst();
    rs->Find("no = 1"); // Find sees the filtered view only
    EXPECT_TRUE(rs->EndOfFile());
}

TEST(Sort, OrdersTheViewAndKeepsTheCurrentRecord) {
    struct Case {
        const char* sort;
        std::vector<long> numbers;
    } cases[] = {
        {"编号", {1, 3, 5, 2, 4}}, // ASCII case ignored
        {"编号 DESC", {4, 2, 5, 3, 1}},
        {"数量 ASC", {3, 4, 1, 5, 2}}, // Null first
        {"数量 desc, no", {2, 5, 1, 4, 3}},
        {"日期", {3, 4, 1, 2, 5}},       // the empty date first
        {"[名称] ASC", {2, 3, 1, 5, 4}}, // GBK order: pinyin (dian, luo mu, luo si, sha)
        {"", {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        rs->PutAbsolutePosition(2);
        rs->PutSort(c.sort);
        EXPECT_EQ(No(*rs), 2) << c.sort;
        EXPECT_EQ(Numbers(*rs), c.numbers) << c.sort;
    }
    auto rs = OpenParts();
    EXPECT_EQ(ErrorOf([&] { rs->PutSort("nosuch"); }), AdoHr(adErrItemNotFound));
    rs->PutSort("no desc");
    rs->PutFilter("no < 4");
    EXPECT_EQ(Numbers(*rs), (std::vector<long>{3, 2, 1}));
    // A sort set before Open applies at Open.
    Recordset later;
    later.PutSort("no DESC");
    later.OpenResult(PartsResult());
    EXPECT_EQ(No(later), 5);
}
