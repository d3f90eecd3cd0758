#pragma once
#include <cstdint>
#include <cstring>

// A content package is the stub executable, a gzip-compressed tar archive, and
// this trailer: the archive's offset in the file, 8 bytes little-endian, then
// the magic. The archive ends where the trailer begins.
namespace package_trailer {

inline constexpr char kMagic[8] = {'V', 'R', 'N', 'G', 'I', 'Z', '0', '1'};
inline constexpr std::uint64_t kSize = 16;

inline void Write(std::uint64_t payloadOffset, unsigned char out[kSize])
{
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(payloadOffset >> (8 * i));
    std::memcpy(out + 8, kMagic, 8);
}

// False when the bytes are no trailer.
inline bool Read(const unsigned char in[kSize], std::uint64_t* payloadOffset)
{
    if (std::memcmp(in + 8, kMagic, 8) != 0)
        return false;
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | in[i];
    *payloadOffset = v;
    return true;
}

} // namespace package_trailer
