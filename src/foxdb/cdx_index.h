#pragma once
// The structural .cdx of a table in FoxPro's compact compound-index layout: a tag
// directory whose keys are the tag names, and one compact B-tree per tag. We write
// it whole from the table's records and read back its tags and keys.
#include "foxdb/dbf_format.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace foxdb {

struct CdxKey {
    std::string key; // key bytes, keyLength long
    uint32_t recno = 0;
};

// Index order: by key, then by record number.
inline bool IndexOrder(const CdxKey& a, const CdxKey& b) {
    const int c = a.key.compare(b.key);
    return c != 0 ? c < 0 : a.recno < b.recno;
}

struct CdxTag {
    std::string name;       // upper case, as the directory holds it
    std::string expression; // the key expression, e.g. "NO"
    std::string filter;     // the FOR expression, usually empty
    unsigned char options = 0;
    int keyLength = 0;
    uint32_t headerOffset = 0;
    bool Unique() const { return (options & 0x01) != 0; }
};

// A tag to write: its keys in any order (sorted here), one per record.
struct CdxTagContent {
    std::string name;
    std::string expression;
    bool unique = false;
    int keyLength = 0;
    bool characterKeys = false; // trailing blanks are compressed
    std::vector<CdxKey> keys;
};

// The bytes of a .cdx holding `tags`.
std::string BuildCdx(std::vector<CdxTagContent> tags);

// Reads the 512-byte page at `offset` of an index file into `page`; throws Error.
using CdxPageReader = std::function<void(uint32_t offset, char* page)>;

// The tags of a .cdx. Throws Error(BadFile, "<file>: ...").
std::vector<CdxTag> ReadCdxTags(const std::string& bytes, const std::string& fileName);
// The same reading only the directory's pages and the tag headers.
std::vector<CdxTag> ReadCdxTags(const CdxPageReader& read, uint64_t fileSize,
                                const std::string& fileName);
// The keys of one tag in index order.
std::vector<CdxKey> ReadCdxKeys(const std::string& bytes, const CdxTag& tag, bool characterKeys,
                                const std::string& fileName);
// The same handed to `visit` one by one, without holding them all.
void VisitCdxKeys(const std::string& bytes, const CdxTag& tag, bool characterKeys,
                  const std::string& fileName,
                  const std::function<void(const std::string& key, uint32_t recno)>& visit);

// The records whose key in `tag` is `key` (keyLength bytes), or any greater one with
// `orGreater`, found by descending the tree and reading only the pages on the way.
std::vector<uint32_t> SeekCdxKey(const CdxPageReader& read, const CdxTag& tag, bool characterKeys,
                                 const std::string& key, const std::string& fileName,
                                 bool orGreater = false);

// The index key of a field: C as its bytes, I big-endian with the sign bit flipped,
// numbers and dates as an order-preserving big-endian double, L as T/F; a nullable
// field gets a leading byte (0x80 value, 0x00 NULL).
int IndexKeyLength(const FieldSlot& slot);
bool IsCharacterKey(const FieldSlot& slot);
std::string IndexKey(const DbfLayout& layout, const char* record, const FieldSlot& slot);

} // namespace foxdb
