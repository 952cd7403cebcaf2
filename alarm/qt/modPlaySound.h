// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmSound.h"

#include <QString>

#include <QStringList>

#include <SDL_audio.h>

struct Mix_Chunk;
struct SdlMixerLibrary;

// Plays wave files with SDL2_mixer. The audio device is opened for each play
// and closed after it, so a sound server restarted between two alarms is
// picked up again and an idle program holds no audio stream.
class modPlaySound : public core::AlarmSound
{
public:
    explicit modPlaySound(QStringList searchFolders = defaultSearchFolders());
    ~modPlaySound() override;
    modPlaySound(const modPlaySound &) = delete;
    modPlaySound &operator=(const modPlaySound &) = delete;

    // Where a bare name is looked for, in order: the working folder, the
    // executable's folder, the installed data folder.
    static QStringList defaultSearchFolders();

    bool play(const std::string &soundName, int flags) override;

private:
    QString findSound(const QString &soundName) const;
    bool load(const QString &path);
    bool start(bool loop);
    Uint64 lengthMs() const;
    void waitUntilPlayed(Uint64 startedMs) const;
    void stop();

    QStringList m_searchFolders;
    const SdlMixerLibrary *m_sdl = nullptr; // loaded at the first play
    SDL_AudioSpec m_format{};
    Uint8 *m_samples = nullptr;
    Uint32 m_sampleBytes = 0;
    Mix_Chunk *m_chunk = nullptr;
    bool m_deviceOpen = false;
};
