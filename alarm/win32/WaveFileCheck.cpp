// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFileCheck.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatFloat = 3;
constexpr std::uint16_t FormatExtensible = 0xFFFE;

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

class File
{
public:
    explicit File(const char *path)
        : m_handle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size{};
        if (m_handle != INVALID_HANDLE_VALUE && GetFileSizeEx(m_handle, &size))
            m_size = size.QuadPart;
    }
    ~File()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    long long size() const { return m_size; }
    bool read(long long offset, void *buffer, DWORD length) const
    {
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD got = 0;
        return m_handle != INVALID_HANDLE_VALUE && SetFilePointerEx(m_handle, at, nullptr, FILE_BEGIN)
            && ReadFile(m_handle, buffer, length, &got, nullptr) && got == length;
    }

private:
    HANDLE m_handle;
    long long m_size = -1;
};

bool saneFormat(const unsigned char *fmt, std::uint32_t size)
{
    if (size < 16 || size > 64)
        return false;
    const std::uint16_t tag = le16(fmt), channels = le16(fmt + 2), blockAlign = le16(fmt + 12),
                        bits = le16(fmt + 14);
    const std::uint32_t rate = le32(fmt + 4), bytesPerSecond = le32(fmt + 8);
    if (tag != FormatPcm && tag != FormatFloat && tag != FormatExtensible)
        return false;
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 768000)
        return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    return blockAlign == channels * bits / 8 && bytesPerSecond == rate * blockAlign;
}

} // namespace

WaveFileCheck::Verdict WaveFileCheck::check(const std::string &soundName)
{
    char path[MAX_PATH];
    const DWORD length = SearchPathA(nullptr, soundName.c_str(), nullptr, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return Verdict::Missing;

    const File file(path);
    unsigned char header[12];
    if (!file.read(0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0
        || std::memcmp(header + 8, "WAVE", 4) != 0)
        return Verdict::Broken;

    bool formatSeen = false;
    for (long long at = 12; at + 8 <= file.size();) {
        unsigned char chunk[8];
        if (!file.read(at, chunk, sizeof chunk))
            return Verdict::Broken;
        const std::uint32_t size = le32(chunk + 4);
        const long long body = at + 8;
        if (size > file.size() - body)
            return Verdict::Broken;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fmt[64];
            if (size > sizeof fmt || !file.read(body, fmt, size) || !saneFormat(fmt, size))
                return Verdict::Broken;
            formatSeen = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            return formatSeen && size > 0 ? Verdict::Playable : Verdict::Broken;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return Verdict::Broken;
}
