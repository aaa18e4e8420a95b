#pragma once
// Independent readers of the encrypted format, in python3 (hashlib and a plain
// RC4), so the expected bytes never come from the code under test.
#include "crypt_fixture.h"

namespace crypt_test {

constexpr const char* kRc4Python = R"(
import hashlib, sys
def rc4(key, data):
    s = list(range(256)); j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) % 256; s[i], s[j] = s[j], s[i]
    out = bytearray(); i = j = 0
    for b in data:
        i = (i + 1) % 256; j = (j + s[i]) % 256; s[i], s[j] = s[j], s[i]
        out.append(b ^ s[(s[i] + s[j]) % 256])
    return bytes(out)
)";

// Hex of the keyed encryption of a file: MD5 of the key, five bytes, zero salt.
inline std::string KeyedOracle(const std::string& key, const std::string& plainFile) {
    return Python(std::string(kRc4Python) + R"(
k = hashlib.md5(sys.argv[1].encode()).digest()[:5] + bytes(11)
print(rc4(k, open(sys.argv[2], 'rb').read()).hex())
)",
                  "'" + key + "' '" + plainFile + "'");
}

// Hex of the plain body of a keyless file, opened with the RSA pair of the key
// store: the header and blob are checked field by field on the way.
inline std::string KeylessOracle(const std::string& keyFile, const std::string& encryptedFile) {
    return Python(std::string(kRc4Python) + R"(
entries = dict(line.split('=', 1) for line in open(sys.argv[1]).read().split())
n = int(entries['exchange-n'], 16); d = int(entries['exchange-d'], 16)
data = open(sys.argv[2], 'rb').read()
size = int.from_bytes(data[:4], 'little'); blob = data[4:4 + size]
k = (n.bit_length() + 7) // 8
assert len(blob) == 12 + k and blob[:4] == bytes([1, 2, 0, 0])
assert int.from_bytes(blob[4:8], 'little') == 0x6801
assert int.from_bytes(blob[8:12], 'little') == 0xa400
m = pow(int.from_bytes(blob[12:], 'little'), d, n).to_bytes(k, 'big')
assert m[:2] == b'\x00\x02'
sep = m.index(0, 2)
assert sep >= 10 and 0 not in m[2:sep]
key = m[sep + 1:]
print(rc4(key + bytes(16 - len(key)), data[4 + size:]).hex())
)",
                  "'" + keyFile + "' '" + encryptedFile + "'");
}

inline std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace crypt_test
