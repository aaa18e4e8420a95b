#pragma once
// Little- and big-endian integers inside table and index files.
#include <cstdint>

namespace foxdb {

inline uint32_t Le32(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<uint32_t>(u[3]) << 24);
}
inline uint16_t Le16(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<uint16_t>(u[0] | (u[1] << 8));
}
inline uint32_t Be32(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return (static_cast<uint32_t>(u[0]) << 24) | (u[1] << 16) | (u[2] << 8) | u[3];
}
inline void PutLe32(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(v >> (8 * i));
}
inline void PutLe16(char* p, uint16_t v) {
    p[0] = static_cast<char>(v);
    p[1] = static_cast<char>(v >> 8);
}
inline void PutBe32(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(v >> (8 * (3 - i)));
}

} // namespace foxdb
