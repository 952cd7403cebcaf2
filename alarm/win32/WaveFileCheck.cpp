// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFileCheck.h"

#include "WaveFileRule.h"
#include "WideText.h"

#include <windows.h>

#include <algorithm>

namespace {

class File : public core::WaveSource
{
public:
    explicit File(const wchar_t *path)
        : m_handle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size{};
        if (m_handle != INVALID_HANDLE_VALUE && GetFileType(m_handle) == FILE_TYPE_DISK
            && GetFileSizeEx(m_handle, &size))
            m_size = size.QuadPart;
    }
    ~File() override
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    long long size() const override { return m_size; }
    bool read(long long offset, unsigned char *buffer, std::size_t length) const override
    {
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD got = 0;
        return m_size >= 0 && SetFilePointerEx(m_handle, at, nullptr, FILE_BEGIN)
            && ReadFile(m_handle, buffer, DWORD(length), &got, nullptr) && got == length;
    }

private:
    HANDLE m_handle;
    long long m_size = -1;
};

} // namespace

WaveFileCheck::Found WaveFileCheck::check(const std::string &soundName)
{
    wchar_t path[MAX_PATH];
    const DWORD length = SearchPathW(nullptr, WideText::fromUtf8(soundName).c_str(), nullptr, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return { Verdict::Missing, {} };
    return { core::WaveFileRule::playable(File(path)) ? Verdict::Playable : Verdict::Broken, path };
}

bool WaveFileCheck::reachableByName(const std::wstring &path)
{
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lost);
    return !lost;
}

std::vector<char> WaveFileCheck::contents(const std::wstring &path)
{
    const File file(path.c_str());
    std::vector<char> bytes(std::size_t(std::max(file.size(), 0LL)));
    if (bytes.empty() || !file.read(0, reinterpret_cast<unsigned char *>(bytes.data()), bytes.size()))
        return {};
    return bytes;
}
