#include "ado/criteria.h"

#include "ado/com_error.h"
#include "platform/gbk.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <strings.h>

namespace ado {
namespace {

[[noreturn]] void BadCriteria() {
    throw ComError::Ado(adErrInvalidArgument, "ADODB.Recordset");
}

// Padded fields end in tens of blanks: they are skipped a word at a time.
size_t TrimmedSize(std::string_view s) {
    constexpr uint64_t kBlanks = 0x2020202020202020ULL;
    size_t n = s.size();
    uint64_t word;
    while (n >= sizeof word) {
        std::memcpy(&word, s.data() + n - sizeof word, sizeof word);
        if (word != kBlanks) break;
        n -= sizeof word;
    }
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return n;
}

std::string TrimRight(const std::string& s) {
    return s.substr(0, TrimmedSize(s));
}

// Upper-cases ASCII letters that stand alone (never the trail byte of a GBK pair).
std::string Fold(const std::string& s, bool gbk) {
    std::string out = s;
    for (size_t i = 0; i < out.size();) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
            ++i;
        } else {
            i += gbk ? platform::GbkCharLength(c) : 1;
        }
    }
    return out;
}

// The first n bytes of a and b as Fold would compare them, without building either:
// filters and sorts run this once per row and key.
int CompareFoldedSpan(const char* a, const char* b, size_t n, bool gbk) {
    bool trail = false; // equal so far, so both are at the same place of a GBK pair
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        }
        if (x != y) return x < y ? -1 : 1;
        trail = !trail && gbk && platform::GbkCharLength(x) == 2;
    }
    return 0;
}

// Fold(TrimRight(a)) against Fold(TrimRight(b)).
int CompareFolded(std::string_view a, std::string_view b, bool gbk) {
    const size_t na = TrimmedSize(a), nb = TrimmedSize(b);
    if (int r = CompareFoldedSpan(a.data(), b.data(), std::min(na, nb), gbk)) return r;
    return na == nb ? 0 : na < nb ? -1 : 1;
}

// Whether folded text holds a letter that stands alone: without one, text equal to it
// but for case is equal to it byte for byte.
bool HasLetter(const std::string& folded, bool gbk) {
    for (size_t i = 0; i < folded.size();) {
        const unsigned char c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') return true;
        i += gbk && c >= 0x80 ? platform::GbkCharLength(c) : 1;
    }
    return false;
}

// Whether the stored text is `folded` (trimmed and folded already) but for case and
// trailing blanks; most rows differ early, so the blanks are looked at last.
bool EqualsFolded(std::string_view stored, const std::string& folded, bool letters, bool gbk) {
    const size_t n = folded.size();
    if (stored.size() < n) return false;
    // Keys of a kind tend to differ in their last characters (numbered names), so the
    // last byte is looked at before the call.
    const bool same = letters ? CompareFoldedSpan(stored.data(), folded.data(), n, gbk) == 0
                              : n == 0 || (stored[n - 1] == folded[n - 1] &&
                                           std::memcmp(stored.data(), folded.data(), n) == 0);
    return same && TrimmedSize(stored.substr(n)) == 0;
}

double OleOf(const foxdb::Value& v) {
    if (auto d = std::get_if<foxdb::Date>(&v))
        return d->IsEmpty() ? 0.0 : d->julianDay - foxdb::kJulianDayOfOleZero;
    if (auto r = std::get_if<double>(&v)) return *r;
    if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    return 0;
}

enum class Kind { Text, Number, Date };

Kind KindOf(const ColumnInfo& c) {
    if (c.IsText()) return Kind::Text;
    if (c.type == adDate || c.type == adDBDate || c.type == adDBTime || c.type == adDBTimeStamp)
        return Kind::Date;
    return Kind::Number;
}

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, Like };

struct Clause {
    int column = 0;
    Kind kind = Kind::Text;
    bool gbk = true;
    Op op = Op::Eq;
    bool nullLiteral = false;
    std::string text;    // folded, trailing blanks cut; a LIKE pattern without its wildcards
    bool letters = true; // text holds a letter case could match
    double number = 0;
    bool anyStart = false, anyEnd = false; // LIKE wildcards
};

bool AtBoundary(const std::string& s, size_t pos, bool gbk) {
    if (!gbk) return true;
    size_t i = 0;
    while (i < pos)
        i += platform::GbkCharLength(static_cast<unsigned char>(s[i]));
    return i == pos;
}

bool LikeMatch(const Clause& c, const std::string& v) {
    const std::string& p = c.text;
    if (!c.anyStart && !c.anyEnd) return v == p;
    if (!c.anyStart) return v.compare(0, p.size(), p) == 0;
    if (!c.anyEnd)
        return v.size() >= p.size() && v.compare(v.size() - p.size(), p.size(), p) == 0 &&
               AtBoundary(v, v.size() - p.size(), c.gbk);
    if (p.empty()) return true;
    for (size_t i = 0; i + p.size() <= v.size();) {
        if (v.compare(i, p.size(), p) == 0) return true;
        i += c.gbk ? platform::GbkCharLength(static_cast<unsigned char>(v[i])) : 1;
    }
    return false;
}

template <typename T> bool Compare(Op op, const T& a, const T& b) {
    switch (op) {
    case Op::Eq:
        return a == b;
    case Op::Ne:
        return !(a == b);
    case Op::Lt:
        return a < b;
    case Op::Gt:
        return b < a;
    case Op::Le:
        return !(b < a);
    case Op::Ge:
        return !(a < b);
    default:
        return false;
    }
}

class Node : public Criteria {
public:
    enum Type { Leaf, And, Or } type = Leaf;
    Clause clause;
    std::vector<std::unique_ptr<Node>> children;
    bool parenthesised = false;

    std::optional<TextEquality> SingleTextEquality() const override {
        if (type != Leaf || clause.kind != Kind::Text || clause.op != Op::Eq || clause.nullLiteral)
            return std::nullopt;
        return TextEquality{clause.column, clause.text};
    }

    bool Matches(const std::vector<foxdb::Value>& values) const override {
        if (type == And) {
            for (auto& c : children)
                if (!c->Matches(values)) return false;
            return true;
        }
        if (type == Or) {
            for (auto& c : children)
                if (c->Matches(values)) return true;
            return false;
        }
        const foxdb::Value& v = values[static_cast<size_t>(clause.column)];
        bool isNull = foxdb::IsNull(v);
        if (clause.nullLiteral) return (clause.op == Op::Eq) == isNull;
        if (isNull) return false;
        switch (clause.kind) {
        case Kind::Text: {
            auto s = std::get_if<std::string>(&v);
            const std::string_view stored = s ? std::string_view(*s) : std::string_view();
            if (clause.op == Op::Like)
                return LikeMatch(clause, Fold(TrimRight(std::string(stored)), clause.gbk));
            if (clause.op == Op::Eq || clause.op == Op::Ne) {
                const bool equal = EqualsFolded(stored, clause.text, clause.letters, clause.gbk);
                return equal == (clause.op == Op::Eq);
            }
            return Compare(clause.op, CompareFolded(stored, clause.text, clause.gbk), 0);
        }
        case Kind::Number:
        case Kind::Date:
            return Compare(clause.op, OleOf(v), clause.number);
        }
        return false;
    }
};

class Parser {
public:
    Parser(const std::string& text, const std::vector<ColumnInfo>& columns)
        : t_(text), columns_(columns) {}

    std::unique_ptr<Node> Expression() {
        auto first = Term();
        if (!Keyword("OR")) return first;
        auto node = std::make_unique<Node>();
        node->type = Node::Or;
        node->children.push_back(std::move(first));
        do
            node->children.push_back(Term());
        while (Keyword("OR"));
        return node;
    }

    void End() {
        Skip();
        if (i_ != t_.size()) BadCriteria();
    }

private:
    // ADO refuses a parenthesised OR group joined to another clause with AND.
    std::unique_ptr<Node> Term() {
        auto first = Factor();
        if (!Keyword("AND")) return first;
        auto node = std::make_unique<Node>();
        node->type = Node::And;
        node->children.push_back(std::move(first));
        do
            node->children.push_back(Factor());
        while (Keyword("AND"));
        for (auto& c : node->children)
            if (c->type == Node::Or) BadCriteria();
        return node;
    }

    std::unique_ptr<Node> Factor() {
        Skip();
        if (Peek() == '(') {
            // Each level costs the parser and the matcher stack: nesting has a limit.
            if (++depth_ > kMaxDepth)
                throw ComError(AdoHr(adErrInvalidArgument),
                               "The criteria are nested more than " + std::to_string(kMaxDepth) +
                                   " levels deep.",
                               "ADODB.Recordset");
            ++i_;
            auto inner = Expression();
            --depth_;
            Skip();
            if (Peek() != ')') BadCriteria();
            ++i_;
            inner->parenthesised = true;
            return inner;
        }
        auto node = std::make_unique<Node>();
        node->clause = ReadClause();
        return node;
    }

    char Peek() const { return i_ < t_.size() ? t_[i_] : '\0'; }
    void Skip() {
        while (i_ < t_.size() &&
               (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\r' || t_[i_] == '\n'))
            ++i_;
    }

    static bool IsWordEnd(char c) {
        return c == '\0' || c == ' ' || c == '\t' || c == '(' || c == ')' || c == '\'' ||
               c == '#' || c == '=' || c == '<' || c == '>' || c == '!' || c == '\r' || c == '\n';
    }

    bool Keyword(const char* word) {
        Skip();
        size_t n = std::char_traits<char>::length(word);
        if (t_.size() - i_ < n || strncasecmp(t_.c_str() + i_, word, n) != 0) return false;
        char after = i_ + n < t_.size() ? t_[i_ + n] : '\0';
        if (!IsWordEnd(after)) return false;
        i_ += n;
        return true;
    }

    std::string Word() {
        size_t start = i_;
        while (!IsWordEnd(Peek()))
            ++i_;
        return t_.substr(start, i_ - start);
    }

    int FieldIndex(const std::string& name) {
        for (size_t c = 0; c < columns_.size(); ++c)
            if (strcasecmp(columns_[c].name.c_str(), name.c_str()) == 0) return static_cast<int>(c);
        throw ComError::Ado(adErrItemNotFound, "ADODB.Recordset");
    }

    Clause ReadClause() {
        Skip();
        std::string name;
        if (Peek() == '[') {
            size_t close = t_.find(']', i_);
            if (close == std::string::npos) BadCriteria();
            name = t_.substr(i_ + 1, close - i_ - 1);
            i_ = close + 1;
        } else {
            name = Word();
        }
        if (name.empty()) BadCriteria();
        Clause c;
        c.column = FieldIndex(name);
        const ColumnInfo& column = columns_[static_cast<size_t>(c.column)];
        c.kind = KindOf(column);
        c.gbk = !column.IsUnicodeText();
        Skip();
        if (Keyword("LIKE")) {
            c.op = Op::Like;
        } else {
            char a = Peek(), b = i_ + 1 < t_.size() ? t_[i_ + 1] : '\0';
            if (a == '<' && b == '>')
                c.op = Op::Ne, i_ += 2;
            else if (a == '<' && b == '=')
                c.op = Op::Le, i_ += 2;
            else if (a == '>' && b == '=')
                c.op = Op::Ge, i_ += 2;
            else if (a == '<')
                c.op = Op::Lt, ++i_;
            else if (a == '>')
                c.op = Op::Gt, ++i_;
            else if (a == '=')
                c.op = Op::Eq, ++i_;
            else
                BadCriteria();
        }
        Skip();
        std::string value;
        bool quoted = true, dateQuoted = false;
        if (Peek() == '\'') {
            ++i_;
            for (;;) {
                if (i_ >= t_.size()) BadCriteria();
                if (t_[i_] == '\'') {
                    if (i_ + 1 < t_.size() && t_[i_ + 1] == '\'') {
                        value += '\'';
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                value += t_[i_++];
            }
        } else if (Peek() == '#') {
            size_t close = t_.find('#', i_ + 1);
            if (close == std::string::npos) BadCriteria();
            value = t_.substr(i_ + 1, close - i_ - 1);
            i_ = close + 1;
            dateQuoted = true;
        } else {
            quoted = false;
            value = Word();
            if (value.empty()) BadCriteria();
        }
        if (!quoted && strcasecmp(value.c_str(), "NULL") == 0) {
            if (c.op != Op::Eq && c.op != Op::Ne) BadCriteria();
            c.nullLiteral = true;
            return c;
        }
        if (c.op == Op::Like) {
            if (c.kind != Kind::Text) BadCriteria();
            auto wild = [](char ch) { return ch == '*' || ch == '%'; };
            if (!value.empty() && wild(value.front())) c.anyStart = true, value.erase(0, 1);
            if (!value.empty() && wild(value.back())) c.anyEnd = true, value.pop_back();
            if (value.find_first_of("*%") != std::string::npos) BadCriteria();
        }
        switch (c.kind) {
        case Kind::Text: {
            std::string stored = c.gbk ? platform::Utf8ToGbk(value) : value;
            c.text = c.op == Op::Like ? Fold(stored, c.gbk) : EqualityKey(column, stored);
            c.letters = HasLetter(c.text, c.gbk);
            break;
        }
        case Kind::Number: {
            if (!value.empty() && value[0] == '$') value.erase(0, 1);
            try {
                c.number = Variant(value).ToDouble();
            } catch (const ComError&) {
                if (column.type != adBoolean) BadCriteria();
                try {
                    c.number = Variant(value).ToBool() ? -1 : 0;
                } catch (const ComError&) {
                    BadCriteria();
                }
            }
            break;
        }
        case Kind::Date:
            c.number = ParseDateLiteral(value, dateQuoted);
            break;
        }
        return c;
    }

    // #m/d/yyyy# as ADO wrote dates, else the platform's date forms.
    static double ParseDateLiteral(const std::string& value, bool hashed) {
        int m, d, y;
        char tail;
        if (hashed && std::sscanf(value.c_str(), "%d/%d/%d%c", &m, &d, &y, &tail) == 3 &&
            y >= 100 && foxdb::IsValidCivil(y, m, d))
            return foxdb::JulianDayFromCivil(y, m, d) - foxdb::kJulianDayOfOleZero;
        try {
            return Variant(value).ToDate();
        } catch (const ComError&) {
            BadCriteria();
        }
    }

    const std::string& t_;
    static constexpr int kMaxDepth = 100;
    const std::vector<ColumnInfo>& columns_;
    size_t i_ = 0;
    int depth_ = 0;
};

} // namespace

std::shared_ptr<const Criteria> Criteria::Parse(const std::string& text,
                                                const std::vector<ColumnInfo>& columns,
                                                bool singleClause) {
    Parser parser(text, columns);
    std::unique_ptr<Node> root = parser.Expression();
    parser.End();
    if (singleClause && root->type != Node::Leaf) BadCriteria();
    return std::shared_ptr<const Criteria>(std::move(root));
}

std::string EqualityKey(const ColumnInfo& column, const foxdb::Value& value) {
    auto s = std::get_if<std::string>(&value);
    return s ? Fold(TrimRight(*s), !column.IsUnicodeText()) : std::string();
}

int CompareStored(const ColumnInfo& column, const foxdb::Value& a, const foxdb::Value& b) {
    bool na = foxdb::IsNull(a), nb = foxdb::IsNull(b);
    if (na || nb) return na == nb ? 0 : na ? -1 : 1;
    auto sa = std::get_if<std::string>(&a);
    auto sb = std::get_if<std::string>(&b);
    if (sa && sb) return CompareFolded(*sa, *sb, !column.IsUnicodeText());
    double x = OleOf(a), y = OleOf(b);
    return x < y ? -1 : x > y;
}

} // namespace ado
