#include "foxdb/dbf_table.h"

#include "foxdb/sql_parser.h"

#include "platform/gbk.h"

#include <cctype>

namespace foxdb {
namespace {

[[noreturn]] void Syntax(const std::string& what, const std::string& text) {
    throw Error(ErrorKind::Syntax, "CREATE TABLE: " + what + " in \"" + text + "\"");
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// One "name type[(width[,decimals])] [NULL|NOT NULL] [UNIQUE]" item.
FieldDef ParseField(const std::string& text) {
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    auto number = [&]() {
        skipBlanks();
        size_t start = pos;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
            ++pos;
        if (start == pos || pos - start > 4) Syntax("a size is missing or wrong", text);
        int value = std::stoi(text.substr(start, pos - start));
        skipBlanks();
        return value;
    };
    skipBlanks();
    size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '(')
        ++pos;
    FieldDef def;
    def.name = platform::GbkToUtf8(
        platform::CutGbkBytes(platform::Utf8ToGbk(text.substr(start, pos - start)), 10));
    if (def.name.empty()) Syntax("a field name is missing", text);
    if (!IsValidFieldName(def.name)) Syntax("\"" + def.name + "\" is not a field name", text);
    skipBlanks();
    if (pos >= text.size() || !std::isalpha(static_cast<unsigned char>(text[pos])))
        Syntax("the type of field " + def.name + " is missing", text);
    def.type = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos++])));
    skipBlanks();
    bool sized = false;
    if (pos < text.size() && text[pos] == '(') {
        ++pos;
        def.length = number();
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            def.decimals = number();
        }
        if (pos >= text.size() || text[pos] != ')') Syntax("a ')' is missing", text);
        ++pos;
        sized = true;
    }
    def.nullable = true;
    bool notNull = false;
    for (;;) {
        skipBlanks();
        if (pos >= text.size()) break;
        size_t wordStart = pos;
        while (pos < text.size() && !IsBlank(text[pos]))
            ++pos;
        std::string word = Upper(text.substr(wordStart, pos - wordStart));
        if (word == "UNIQUE") {
            def.unique = true;
        } else if (word == "NULL") {
            def.nullable = true;
        } else if (word == "NOT") {
            skipBlanks();
            size_t nullStart = pos;
            while (pos < text.size() && !IsBlank(text[pos]))
                ++pos;
            if (Upper(text.substr(nullStart, pos - nullStart)) != "NULL")
                Syntax("NOT must be followed by NULL", text);
            notNull = true;
        } else {
            Syntax("\"" + word + "\" is not understood", text);
        }
    }
    // UNIQUE makes a candidate key, which holds no NULL.
    if (notNull || def.unique) def.nullable = false;
    switch (def.type) {
    case 'C':
        if (!sized) Syntax("field " + def.name + " needs a width", text);
        def.decimals = 0;
        break;
    case 'N':
    case 'F':
        if (!sized) Syntax("field " + def.name + " needs a width", text);
        break;
    case 'B':
        def.length = 8;
        break;
    case 'I':
        def.length = 4, def.decimals = 0;
        break;
    case 'D':
    case 'T':
    case 'Y':
        def.length = 8, def.decimals = 0;
        break;
    case 'L':
        def.length = 1, def.decimals = 0;
        break;
    default:
        Syntax("field type " + std::string(1, def.type) + " is not supported", text);
    }
    return def;
}

} // namespace

bool IsValidFieldName(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) ||
        sql::IsReservedWord(name))
        return false;
    for (char c : name)
        if (!(static_cast<unsigned char>(c) >= 0x80 ||
              std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}

std::string ValidFieldName(const std::string& text) {
    std::string name;
    for (char c : text)
        name += static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c))
                    ? c
                    : '_';
    if (!name.empty() &&
        (std::isdigit(static_cast<unsigned char>(name[0])) || sql::IsReservedWord(name)))
        name = "_" + name;
    if (name.find_first_not_of('_') == std::string::npos) return std::string();
    return platform::GbkToUtf8(platform::CutGbkBytes(platform::Utf8ToGbk(name), 10));
}

std::vector<FieldDef> ParseFieldList(const std::string& definition) {
    size_t open = definition.find('(');
    if (open == std::string::npos) Syntax("the field list is missing", definition);
    std::vector<FieldDef> fields;
    int depth = 0;
    size_t start = open + 1, pos = open + 1;
    for (; pos < definition.size(); ++pos) {
        char c = definition[pos];
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if ((c == ',' && depth == 0) || c == ')') {
            fields.push_back(ParseField(definition.substr(start, pos - start)));
            start = pos + 1;
            if (c == ')') break;
        }
    }
    if (pos >= definition.size()) Syntax("the closing ')' is missing", definition);
    if (definition.find_first_not_of(" \t\r\n;", pos + 1) != std::string::npos)
        Syntax("text follows the field list", definition);
    return fields;
}

} // namespace foxdb
