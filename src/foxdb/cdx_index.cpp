#include "foxdb/cdx_index.h"
#include "foxdb/byte_order.h"

#include "foxdb/error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace foxdb {
namespace {

constexpr size_t kPage = 512;
constexpr size_t kHeaderSize = 1024; // header page + expression pool
constexpr uint32_t kNone = 0xFFFFFFFFu;
constexpr int kLeafArea = 488;
constexpr int kInteriorArea = 500;
constexpr int kDirectoryKeyLength = 10;

int BitsFor(uint64_t value) {
    int bits = 0;
    while (value >> bits)
        ++bits;
    return bits;
}

[[noreturn]] void Bad(const std::string& file, const std::string& what) {
    throw Error(ErrorKind::BadFile, file + ": " + what);
}

// One compact B-tree (the tag directory or a tag) laid out as pages from `base`.
std::string BuildTree(const std::vector<CdxKey>& keys, int keyLength, bool characterKeys,
                      size_t base, uint32_t& root) {
    uint32_t maxRecno = 1;
    for (const CdxKey& k : keys)
        maxRecno = std::max(maxRecno, k.recno);
    const int dupBits = BitsFor(static_cast<uint64_t>(keyLength));
    const int trailBits = dupBits;
    const int entryBytes = (BitsFor(maxRecno) + dupBits + trailBits + 7) / 8;
    const int recBits = entryBytes * 8 - dupBits - trailBits;

    struct Leaf {
        std::vector<size_t> members; // indexes into keys
    };
    std::vector<Leaf> leaves(1);
    int free = kLeafArea;
    const std::string* previous = nullptr;
    auto trailOf = [&](const std::string& key) {
        if (!characterKeys) return 0;
        int trail = 0;
        while (trail < keyLength && key[static_cast<size_t>(keyLength - 1 - trail)] == ' ')
            ++trail;
        return trail;
    };
    auto dupOf = [&](const std::string& key, const std::string* prev, int trail) {
        if (!prev) return 0;
        int dup = 0;
        while (dup < keyLength - trail && key[static_cast<size_t>(dup)] == (*prev)[dup])
            ++dup;
        return dup;
    };
    for (size_t i = 0; i < keys.size(); ++i) {
        int trail = trailOf(keys[i].key);
        int need = entryBytes + keyLength - trail - dupOf(keys[i].key, previous, trail);
        if (need > free) {
            leaves.emplace_back();
            free = kLeafArea;
            previous = nullptr;
            need = entryBytes + keyLength - trail;
        }
        leaves.back().members.push_back(i);
        free -= need;
        previous = &keys[i].key;
    }

    // Levels from the leaves up; each level is a list of pages with (last key, recno).
    struct Node {
        std::string page;
        const CdxKey* last = nullptr;
    };
    std::vector<std::vector<Node>> levels;
    std::vector<Node> level;
    for (const Leaf& leaf : leaves) {
        Node node;
        node.page.assign(kPage, '\0');
        char* p = &node.page[0];
        PutLe16(p, 2);
        PutLe16(p + 2, static_cast<uint16_t>(leaf.members.size()));
        PutLe32(p + 14, static_cast<uint32_t>((uint64_t(1) << recBits) - 1));
        p[18] = static_cast<char>((1 << dupBits) - 1);
        p[19] = static_cast<char>((1 << trailBits) - 1);
        p[20] = static_cast<char>(recBits);
        p[21] = static_cast<char>(dupBits);
        p[22] = static_cast<char>(trailBits);
        p[23] = static_cast<char>(entryBytes);
        size_t end = kPage;
        size_t entry = 24;
        const std::string* prev = nullptr;
        for (size_t i : leaf.members) {
            const CdxKey& k = keys[i];
            int trail = trailOf(k.key);
            int dup = dupOf(k.key, prev, trail);
            uint64_t packed = k.recno | (static_cast<uint64_t>(dup) << recBits) |
                              (static_cast<uint64_t>(trail) << (recBits + dupBits));
            for (int b = 0; b < entryBytes; ++b)
                p[entry + static_cast<size_t>(b)] = static_cast<char>(packed >> (8 * b));
            entry += static_cast<size_t>(entryBytes);
            size_t stored = static_cast<size_t>(keyLength - dup - trail);
            end -= stored;
            std::memcpy(p + end, k.key.data() + dup, stored);
            prev = &k.key;
            node.last = &k;
        }
        PutLe16(p + 12, static_cast<uint16_t>(end - entry));
        level.push_back(std::move(node));
    }
    levels.push_back(std::move(level));
    const size_t perInterior = static_cast<size_t>(kInteriorArea / (keyLength + 8));
    while (levels.back().size() > 1) {
        std::vector<Node>& below = levels.back();
        std::vector<Node> up;
        for (size_t first = 0; first < below.size(); first += perInterior) {
            size_t count = std::min(perInterior, below.size() - first);
            Node node;
            node.page.assign(kPage, '\0');
            PutLe16(&node.page[0], 0);
            PutLe16(&node.page[2], static_cast<uint16_t>(count));
            for (size_t c = 0; c < count; ++c)
                node.last = below[first + c].last;
            up.push_back(std::move(node));
        }
        levels.push_back(std::move(up));
    }

    // Offsets: the root first, then each level downwards.
    std::vector<std::vector<uint32_t>> offsets(levels.size());
    size_t next = base;
    for (size_t l = levels.size(); l-- > 0;)
        for (size_t i = 0; i < levels[l].size(); ++i, next += kPage)
            offsets[l].push_back(static_cast<uint32_t>(next));
    std::string out;
    out.reserve(next - base);
    for (size_t l = levels.size(); l-- > 0;) {
        for (size_t i = 0; i < levels[l].size(); ++i) {
            char* p = &levels[l][i].page[0];
            if (l + 1 == levels.size()) PutLe16(p, static_cast<uint16_t>(Le16(p) | 1));
            PutLe32(p + 4, i == 0 ? kNone : offsets[l][i - 1]);
            PutLe32(p + 8, i + 1 == levels[l].size() ? kNone : offsets[l][i + 1]);
            if (l > 0) {
                size_t first = i * perInterior;
                size_t count = Le16(p + 2);
                for (size_t c = 0; c < count; ++c) {
                    const Node& child = levels[l - 1][first + c];
                    char* e = p + 12 + c * static_cast<size_t>(keyLength + 8);
                    if (child.last) std::memcpy(e, child.last->key.data(), child.last->key.size());
                    PutBe32(e + keyLength, child.last ? child.last->recno : 0);
                    PutBe32(e + keyLength + 4, offsets[l - 1][first + c]);
                }
            }
            out += levels[l][i].page;
        }
    }
    root = offsets.back()[0];
    return out;
}

std::string Header(uint32_t root, int keyLength, unsigned char options,
                   const std::string& expression) {
    std::string h(kHeaderSize, '\0');
    PutLe32(&h[0], root);
    PutLe32(&h[4], kNone);
    PutLe16(&h[12], static_cast<uint16_t>(keyLength));
    h[14] = static_cast<char>(options);
    h[15] = 1;
    const uint16_t keyPool = static_cast<uint16_t>(expression.size() + 1);
    PutLe16(&h[504], static_cast<uint16_t>(keyPool + 1));
    PutLe16(&h[506], 1);
    PutLe16(&h[510], keyPool);
    std::memcpy(&h[512], expression.data(), std::min<size_t>(expression.size(), 510));
    return h;
}

// The keys of one leaf page in order; `key` carries the previous key (the shared
// leading bytes are left out of each entry).
template <typename Visit>
void DecodeLeaf(const char* p, int keyLength, char pad, const std::string& file, std::string& key,
                Visit visit) {
    if (!(Le16(p) & 2)) Bad(file, "an index leaf page is damaged");
    const size_t count = Le16(p + 2);
    const uint32_t recMask = Le32(p + 14);
    const int recBits = static_cast<unsigned char>(p[20]);
    const int dupBits = static_cast<unsigned char>(p[21]);
    const unsigned dupMask = static_cast<unsigned char>(p[18]);
    const unsigned trailMask = static_cast<unsigned char>(p[19]);
    const size_t entryBytes = static_cast<unsigned char>(p[23]);
    if (entryBytes == 0 || entryBytes > 8 || recBits + dupBits >= 64 ||
        24 + count * entryBytes > kPage)
        Bad(file, "an index leaf page is damaged");
    size_t end = kPage;
    for (size_t i = 0; i < count; ++i) {
        uint64_t packed = 0;
        for (size_t b = 0; b < entryBytes; ++b)
            packed |= static_cast<uint64_t>(static_cast<unsigned char>(p[24 + i * entryBytes + b]))
                      << (8 * b);
        uint32_t recno = static_cast<uint32_t>(packed & recMask);
        size_t dup = (packed >> recBits) & dupMask;
        size_t trail = (packed >> (recBits + dupBits)) & trailMask;
        if (dup + trail > static_cast<size_t>(keyLength)) Bad(file, "an index key is damaged");
        size_t stored = static_cast<size_t>(keyLength) - dup - trail;
        if (end < 24 + count * entryBytes + stored) Bad(file, "an index key is damaged");
        end -= stored;
        std::memcpy(&key[dup], p + end, stored);
        std::fill(key.begin() + static_cast<long>(dup + stored), key.end(), pad);
        visit(key, recno);
    }
}

// The page at an offset of an index file, kept until the next call. Throws Error.
using PageAt = std::function<const char*(uint32_t offset)>;

// Pages of an index file held whole in memory.
PageAt PagesOf(const std::string& bytes, const std::string& file) {
    return [&bytes, &file](uint32_t offset) -> const char* {
        if (offset % kPage != 0 || offset < kHeaderSize ||
            static_cast<size_t>(offset) + kPage > bytes.size())
            Bad(file, "an index page offset " + std::to_string(offset) + " is outside the file");
        return bytes.data() + offset;
    };
}

// Walks a tree from its root to the leftmost leaf, then along the leaves.
template <typename Visit>
void WalkLeaves(const PageAt& page, uint32_t root, int keyLength, char pad, const std::string& file,
                Visit visit) {
    if (keyLength <= 0 || keyLength > 240) Bad(file, "a tag has a bad key length");
    uint32_t offset = root;
    for (int depth = 0;; ++depth) {
        const char* p = page(offset);
        if (Le16(p) & 2) break;
        if (depth > 32 || Le16(p + 2) == 0) Bad(file, "an index page is damaged");
        offset = Be32(p + 12 + keyLength + 4);
    }
    std::set<uint32_t> seen;
    std::string key(static_cast<size_t>(keyLength), pad);
    while (offset != kNone) {
        if (!seen.insert(offset).second) Bad(file, "the index pages form a loop");
        const char* p = page(offset);
        DecodeLeaf(p, keyLength, pad, file, key, visit);
        offset = Le32(p + 8);
    }
}

} // namespace

std::string BuildCdx(std::vector<CdxTagContent> tags) {
    std::sort(tags.begin(), tags.end(),
              [](const CdxTagContent& a, const CdxTagContent& b) { return a.name < b.name; });
    // The directory's pages come right after the file header and point at the tag
    // headers behind them: size it with the widest offsets first, then fill it in
    // (an unused page left over stays zero).
    std::vector<CdxKey> directory;
    for (const CdxTagContent& tag : tags) {
        CdxKey k;
        k.key = tag.name.substr(0, kDirectoryKeyLength);
        k.key.resize(kDirectoryKeyLength, ' ');
        k.recno = kNone;
        directory.push_back(k);
    }
    uint32_t directoryRoot = 0;
    const size_t directorySize =
        BuildTree(directory, kDirectoryKeyLength, true, kHeaderSize, directoryRoot).size();
    std::string body;
    size_t next = kHeaderSize + directorySize;
    for (size_t t = 0; t < tags.size(); ++t) {
        CdxTagContent& tag = tags[t];
        // Keys numbered as the records were added come in order already.
        if (!std::is_sorted(tag.keys.begin(), tag.keys.end(), IndexOrder))
            std::sort(tag.keys.begin(), tag.keys.end(), IndexOrder);
        directory[t].recno = static_cast<uint32_t>(next);
        uint32_t root = 0;
        std::string pages =
            BuildTree(tag.keys, tag.keyLength, tag.characterKeys, next + kHeaderSize, root);
        body += Header(root, tag.keyLength, static_cast<unsigned char>(0x60 | (tag.unique ? 1 : 0)),
                       tag.expression);
        body += pages;
        next += kHeaderSize + pages.size();
    }
    std::string directoryPages =
        BuildTree(directory, kDirectoryKeyLength, true, kHeaderSize, directoryRoot);
    directoryPages.resize(directorySize, '\0');
    return Header(directoryRoot, kDirectoryKeyLength, 0xE0, std::string()) + directoryPages + body;
}

std::vector<CdxTag> ReadCdxTags(const std::string& bytes, const std::string& fileName) {
    return ReadCdxTags(
        [&](uint32_t offset, char* page) {
            if (static_cast<size_t>(offset) + kPage > bytes.size())
                Bad(fileName,
                    "an index page offset " + std::to_string(offset) + " is outside the file");
            std::memcpy(page, bytes.data() + offset, kPage);
        },
        bytes.size(), fileName);
}

std::vector<CdxTag> ReadCdxTags(const CdxPageReader& read, uint64_t fileSize,
                                const std::string& fileName) {
    if (fileSize < kHeaderSize + kPage || fileSize % kPage != 0)
        Bad(fileName, "the index file has a wrong size (" + std::to_string(fileSize) + " bytes)");
    char p[kPage];
    read(0, p);
    const uint32_t root = Le32(p);
    const int keyLength = Le16(p + 12);
    std::vector<CdxTag> tags;
    const PageAt page = [&](uint32_t offset) -> const char* {
        if (offset % kPage != 0 || offset < kHeaderSize || uint64_t{offset} + kPage > fileSize)
            Bad(fileName,
                "an index page offset " + std::to_string(offset) + " is outside the file");
        read(offset, p);
        return p;
    };
    WalkLeaves(page, root, keyLength, ' ', fileName, [&](const std::string& key, uint32_t offset) {
        if (tags.size() > 1000) Bad(fileName, "the tag directory is damaged");
        CdxTag tag;
        tag.name = key.substr(0, key.find_last_not_of(" \0", std::string::npos, 2) + 1);
        tag.headerOffset = offset;
        tags.push_back(tag);
    });
    for (CdxTag& tag : tags) {
        if (tag.headerOffset % kPage != 0 || tag.headerOffset < kHeaderSize ||
            uint64_t{tag.headerOffset} + kHeaderSize > fileSize)
            Bad(fileName, "the header of tag " + tag.name + " is outside the file");
        read(tag.headerOffset, p);
        tag.keyLength = Le16(p + 12);
        tag.options = static_cast<unsigned char>(p[14]);
        // The expression pool is the page after the header.
        read(tag.headerOffset + kPage, p);
        size_t keyEnd = strnlen(p, 512);
        tag.expression.assign(p, keyEnd);
        if (keyEnd + 1 < 512)
            tag.filter.assign(p + keyEnd + 1, strnlen(p + keyEnd + 1, 511 - keyEnd));
        if (tag.keyLength <= 0 || tag.keyLength > 240)
            Bad(fileName, "tag " + tag.name + " has a bad key length");
    }
    return tags;
}

void VisitCdxKeys(const std::string& bytes, const CdxTag& tag, bool characterKeys,
                  const std::string& fileName,
                  const std::function<void(const std::string& key, uint32_t recno)>& visit) {
    const size_t limit = bytes.size(); // a key takes at least one byte of the file
    size_t count = 0;
    WalkLeaves(PagesOf(bytes, fileName), Le32(bytes.data() + tag.headerOffset), tag.keyLength,
               characterKeys ? ' ' : '\0', fileName, [&](const std::string& key, uint32_t recno) {
                   if (++count > limit) Bad(fileName, "the index pages are damaged");
                   visit(key, recno);
               });
}

std::vector<CdxKey> ReadCdxKeys(const std::string& bytes, const CdxTag& tag, bool characterKeys,
                                const std::string& fileName) {
    std::vector<CdxKey> keys;
    VisitCdxKeys(bytes, tag, characterKeys, fileName,
                 [&keys](const std::string& key, uint32_t recno) {
                     keys.push_back(CdxKey{key, recno});
                 });
    return keys;
}

std::vector<uint32_t> SeekCdxKey(const CdxPageReader& read, const CdxTag& tag, bool characterKeys,
                                 const std::string& key, const std::string& fileName,
                                 bool orGreater) {
    const size_t keyLength = static_cast<size_t>(tag.keyLength);
    std::vector<uint32_t> found;
    if (key.size() != keyLength) return found;
    char p[kPage];
    auto page = [&](uint32_t offset) {
        if (offset % kPage != 0 || offset < kHeaderSize)
            Bad(fileName,
                "an index page offset " + std::to_string(offset) + " is outside the file");
        read(offset, p);
    };
    page(tag.headerOffset);
    uint32_t offset = Le32(p);
    // Down the tree: an interior entry holds the greatest key of its child.
    for (int depth = 0;; ++depth) {
        page(offset);
        if (Le16(p) & 2) break;
        const size_t count = Le16(p + 2), entry = keyLength + 8;
        if (depth > 32 || count == 0 || 12 + count * entry > kPage)
            Bad(fileName, "an index page is damaged");
        size_t i = 0;
        while (i < count && std::memcmp(p + 12 + i * entry, key.data(), keyLength) < 0)
            ++i;
        if (i == count) return found; // greater than every key
        offset = Be32(p + 12 + i * entry + keyLength + 4);
    }
    // Along the leaves from there until the keys pass it.
    std::set<uint32_t> seen;
    std::string current(keyLength, characterKeys ? ' ' : '\0');
    bool past = false;
    while (!past) {
        if (!seen.insert(offset).second) Bad(fileName, "the index pages form a loop");
        DecodeLeaf(p, tag.keyLength, characterKeys ? ' ' : '\0', fileName, current,
                   [&](const std::string& k, uint32_t recno) {
                       if (past) return;
                       const int order = std::memcmp(k.data(), key.data(), keyLength);
                       if (order == 0 || (order > 0 && orGreater)) found.push_back(recno);
                       past = order > 0 && !orGreater;
                   });
        offset = Le32(p + 8);
        if (offset == kNone) break;
        if (!past) page(offset);
    }
    return found;
}

int IndexKeyLength(const FieldSlot& slot) {
    int length;
    switch (slot.def.type) {
    case 'C':
        length = slot.def.length;
        break;
    case 'I':
        length = 4;
        break;
    case 'L':
        length = 1;
        break;
    default:
        length = 8;
    }
    return length + (slot.def.nullable ? 1 : 0);
}

bool IsCharacterKey(const FieldSlot& slot) {
    return slot.def.type == 'C' || slot.def.type == 'L';
}

std::string IndexKey(const DbfLayout& layout, const char* record, const FieldSlot& slot) {
    const int length = IndexKeyLength(slot);
    if (layout.IsNull(record, slot)) return std::string(static_cast<size_t>(length), '\0');
    std::string key;
    if (slot.def.nullable) key += '\x80';
    const char* p = record + slot.offset;
    switch (slot.def.type) {
    case 'C':
        key.append(p, static_cast<size_t>(slot.def.length));
        break;
    case 'L':
        key += (*p == 'T' || *p == 't' || *p == 'Y' || *p == 'y') ? 'T' : 'F';
        break;
    case 'I': {
        char be[4];
        PutBe32(be, Le32(p) ^ 0x80000000u);
        key.append(be, 4);
        break;
    }
    default: {
        Value v = DecodeField(layout, record, slot);
        double d = 0;
        if (auto n = std::get_if<double>(&v)) d = *n;
        if (auto i = std::get_if<int64_t>(&v)) d = static_cast<double>(*i);
        if (auto date = std::get_if<Date>(&v)) d = date->julianDay;
        if (d == 0) d = 0; // -0 keys as 0
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        bits = (bits >> 63) ? ~bits : (bits | (uint64_t(1) << 63));
        for (int b = 7; b >= 0; --b)
            key += static_cast<char>(bits >> (8 * b));
    }
    }
    return key;
}

} // namespace foxdb
