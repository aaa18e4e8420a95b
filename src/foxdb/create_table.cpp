#include "foxdb/dbf_file.h"

#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/paths.h"

#include <set>
#include <strings.h>

namespace foxdb {
namespace {

[[noreturn]] void Invalid(const std::string& what) {
    throw Error(ErrorKind::Syntax, "CREATE TABLE: " + what);
}

void CheckFields(const std::vector<FieldDef>& fields) {
    if (fields.empty()) Invalid("a table needs at least one field");
    if (fields.size() > 254) Invalid("a table holds at most 254 fields");
    std::set<std::string> names;
    size_t recordLength = 1;
    for (const FieldDef& f : fields) {
        std::string stored = platform::CutGbkBytes(platform::Utf8ToGbk(f.name), 10);
        for (char& c : stored)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (stored.empty()) Invalid("a field has no name");
        if (!names.insert(stored).second) Invalid("field name " + f.name + " is duplicated");
        switch (f.type) {
        case 'C':
            if (f.length < 1 || f.length > 254)
                Invalid("field " + f.name + " needs a width of 1 to 254");
            break;
        case 'N':
        case 'F':
            if (f.length < 1 || f.length > 20 || f.decimals < 0 ||
                (f.decimals > 0 && f.decimals > f.length - 2))
                Invalid("field " + f.name + " has a wrong width or number of decimals");
            break;
        case 'I':
        case 'D':
        case 'L':
        case 'T':
        case 'Y':
        case 'B':
            break;
        default:
            Invalid("field type " + std::string(1, f.type) + " is not supported");
        }
        recordLength +=
            static_cast<size_t>(f.type == 'C' || f.type == 'N' || f.type == 'F' ? f.length
                                : f.type == 'I'                                 ? 4
                                : f.type == 'L'                                 ? 1
                                                                                : 8);
    }
    if (recordLength > 65500) Invalid("the record is too long");
}

} // namespace

void CreateTable(const std::string& folder, const std::string& name,
                 const std::vector<FieldDef>& fields) {
    CheckFields(fields);
    std::string base = name;
    if (base.size() > 4 && ::strcasecmp(base.c_str() + base.size() - 4, ".dbf") == 0)
        base.resize(base.size() - 4);
    if (base.empty() || base.find(platform::kSep) != std::string::npos)
        Invalid("\"" + name + "\" is not a table name");
    const std::string file = base + ".dbf";
    if (!FindTableFile(folder, base).empty())
        throw Error(ErrorKind::Other, "File '" + file + "' already exists.");

    DbfLayout layout = MakeVfpLayout(fields);
    std::string bytes = BuildDbfHeader(layout);
    bytes += kEndOfFile;
    std::vector<IndexedField> indexed;
    for (size_t i = 0; i < layout.fields.size(); ++i)
        if (layout.fields[i].def.unique) {
            std::string tag = platform::Utf8ToGbk(layout.fields[i].def.name);
            indexed.push_back(IndexedField{tag, tag, static_cast<int>(i), true});
        }
    const std::string dbfPath = platform::JoinPath(folder, file);
    std::string cdx;
    if (!indexed.empty()) cdx = BuildIndexFile(layout, 0, RecordAt(), indexed);

    FolderLock lock(folder);
    if (!platform::FindFileNoCase(folder, file).empty())
        throw Error(ErrorKind::Other, "File '" + file + "' already exists.");
    ReplaceTableFiles(dbfPath, bytes, IndexPathFor(dbfPath), indexed.empty() ? nullptr : &cdx);
}

} // namespace foxdb
