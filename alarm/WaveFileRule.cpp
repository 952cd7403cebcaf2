// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFileRule.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace core {

namespace {

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatFloat = 3;
constexpr std::uint16_t FormatExtensible = 0xFFFE;
// Rates outside this range are broken headers, not sounds; at 1 Hz players'
// conversions overflow and a device takes half a minute to close.
constexpr std::uint32_t MinRate = 1000;
constexpr std::uint32_t MaxRate = 768000;
constexpr std::uint32_t MinFormatBytes = 16; // the fields of PCMWAVEFORMAT
constexpr std::uint32_t ExtendedFormatBytes = 18; // WAVEFORMATEX, up to its cbSize

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

// Players divide by the block size and the byte rate and size their buffers
// by them; samples of a plain encoding fill their blocks exactly, and no
// encoding takes more than a block a frame.
bool consistentFormat(const unsigned char *fmt, std::uint32_t size)
{
    const std::uint16_t tag = le16(fmt), channels = le16(fmt + 2), blockAlign = le16(fmt + 12), bits = le16(fmt + 14);
    const std::uint32_t rate = le32(fmt + 4), bytesPerSecond = le32(fmt + 8);
    if (channels == 0 || blockAlign == 0 || rate < MinRate || rate > MaxRate || bytesPerSecond == 0
        || bytesPerSecond > std::uint64_t(rate) * blockAlign)
        return false;
    if (size >= ExtendedFormatBytes && ExtendedFormatBytes + le16(fmt + 16) > size)
        return false;
    if (tag == FormatPcm || tag == FormatFloat || tag == FormatExtensible)
        return bits > 0 && blockAlign == channels * ((bits + 7) / 8);
    return true;
}

} // namespace

bool WaveFileRule::playable(const WaveSource &file)
{
    const long long fileSize = file.size();
    unsigned char header[12];
    if (fileSize > MaxFileBytes || !file.read(0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0
        || std::memcmp(header + 8, "WAVE", 4) != 0)
        return false;

    std::uint16_t blockAlign = 0;
    for (long long at = 12; at + 8 <= fileSize;) {
        unsigned char chunk[8];
        if (!file.read(at, chunk, sizeof chunk))
            return false;
        const long long size = le32(chunk + 4), body = at + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fmt[ExtendedFormatBytes] = {};
            if (size < MinFormatBytes || size > fileSize - body
                || !file.read(body, fmt, std::min<std::size_t>(size, sizeof fmt)) || !consistentFormat(fmt, size))
                return false;
            blockAlign = le16(fmt + 12);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            // Cut short is fine: the player plays what is there.
            return blockAlign > 0 && size <= MaxFileBytes && std::min(size, fileSize - body) >= blockAlign;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return false;
}

} // namespace core
