// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Whether a wave file may be handed to the wave-playback service, by the
// rule both programs share: some builds of the service read a broken file's
// sizes as they stand and fault inside the program's process.
class WaveFileCheck
{
public:
    enum class Verdict { Missing, Playable, Broken };
    struct Found
    {
        Verdict verdict;
        std::wstring path;
    };

    // Looks the bare name up as Windows does, then reads the file's chunk headers.
    static Found check(const std::string &soundName);
    // Whether the service can open the file by its bare name: it opens what it
    // finds through the ANSI code page, which not every folder's name fits.
    static bool reachableByName(const std::wstring &path);
    // The whole file, or nothing when it cannot be read.
    static std::vector<char> contents(const std::wstring &path);
};
