#include "data/sql_text.h"

namespace {

const wxString kPlaceholder = "ReplaceStr";
const wxString kPlaceholder1 = "ReplaceStr1";

bool IsNameChar(wxUniChar c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c.GetValue() > 0x7F;
}

bool IsSpace(wxUniChar c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct Token {
    enum Kind { Name, Comma, Other } kind;
    wxString text;
};

// Names, commas and everything else; literals and blanks are skipped.
std::vector<Token> Tokenize(const wxString& text) {
    std::vector<Token> tokens;
    size_t i = 0, n = text.length();
    while (i < n) {
        wxUniChar c = text[i];
        if (IsSpace(c)) {
            ++i;
        } else if (c == '\'' || c == '"' || c == '[') {
            wxUniChar close = c == '[' ? wxUniChar(']') : c;
            size_t end = text.find(close, i + 1);
            i = end == wxString::npos ? n : end + 1;
            tokens.push_back({Token::Other, wxString()});
        } else if (IsNameChar(c)) {
            size_t start = i;
            while (i < n && IsNameChar(text[i]))
                ++i;
            tokens.push_back({Token::Name, text.Mid(start, i - start)});
        } else {
            tokens.push_back({c == ',' ? Token::Comma : Token::Other, wxString(c)});
            ++i;
        }
    }
    return tokens;
}

bool EndsTableList(const wxString& word) {
    static const char* const keywords[] = {"where", "group", "order",  "having", "union",
                                           "into",  "on",    "select", "set",    "values"};
    for (const char* keyword : keywords)
        if (word.IsSameAs(keyword, false)) return true;
    return false;
}

} // namespace

wxString CSqlText::Quote(const wxString& value) {
    if (value.find('\'') == wxString::npos) return "'" + value + "'";
    if (value.find('"') == wxString::npos) return "\"" + value + "\"";
    // Both kinds of quote: pieces without a single quote, joined with quoted quotes.
    wxString result, piece;
    auto flush = [&result, &piece] {
        if (piece.empty()) return;
        result += (result.empty() ? "'" : "+'") + piece + "'";
        piece.clear();
    };
    for (wxUniChar c : value) {
        if (c == '\'') {
            flush();
            result += result.empty() ? "\"'\"" : "+\"'\"";
        } else {
            piece += c;
        }
    }
    flush();
    return result;
}

wxString CSqlText::Equals(const wxString& field, const wxString& value) {
    return field + "=" + Quote(value);
}

wxString CSqlText::Contains(const wxString& field, const wxString& value) {
    return Quote(value) + " $ " + field;
}

wxString CSqlText::QuoteCriterion(const wxString& value) {
    wxString doubled = value;
    doubled.Replace("'", "''");
    return "'" + doubled + "'";
}

wxString CSqlText::Criterion(const wxString& field, const wxString& value) {
    return field + " = " + QuoteCriterion(value);
}

wxString CSqlText::ReplaceParams(const wxString& templ, const wxString& value,
                                 const wxString& value1) {
    size_t at = templ.find(kPlaceholder);
    if (at == wxString::npos) return templ;
    wxString result = templ.Left(at) + value + templ.Mid(at + kPlaceholder.length());
    size_t at1 = result.find(kPlaceholder1);
    if (at1 != wxString::npos)
        result = result.Left(at1) + value1 + result.Mid(at1 + kPlaceholder1.length());
    return result;
}

wxString CSqlText::ReplaceParam(const wxString& templ, const wxString& value) {
    size_t at = templ.find(kPlaceholder);
    if (at == wxString::npos) return wxString();
    return templ.Left(at) + value + templ.Mid(at + kPlaceholder.length());
}

std::vector<wxString> CSqlText::StatementTables(const wxString& statement) {
    std::vector<wxString> names;
    std::vector<Token> tokens = Tokenize(statement);
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Name || !tokens[i].text.IsSameAs("from", false)) continue;
        for (++i; i < tokens.size(); ++i) {
            const Token& token = tokens[i];
            if (token.kind == Token::Comma) continue;
            if (token.kind == Token::Other) break;
            if (EndsTableList(token.text)) break;
            names.push_back(token.text);
        }
        --i; // the token that ended the list may start the next one
    }
    return names;
}

wxString CSqlText::GetTableName(const wxString& text) {
    std::vector<Token> tokens = Tokenize(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Name && tokens[i].text.IsSameAs("from", false)) {
            if (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Name &&
                !EndsTableList(tokens[i + 1].text))
                return tokens[i + 1].text;
            return wxString();
        }
    }
    wxString name = text;
    size_t slash = name.find_last_of("/\\");
    if (slash != wxString::npos) name = name.Mid(slash + 1);
    size_t dot = name.find('.');
    return dot == wxString::npos ? name : name.Left(dot);
}
