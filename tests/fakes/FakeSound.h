// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SoundService.h"

#include <QList>
#include <QPair>

#include <functional>

// Records every play instead of making a sound.
class FakeSound : public SoundService
{
public:
    bool sndPlaySound(const QString &soundName, int flags) override
    {
        plays.append({ soundName, flags });
        if (onPlay)
            onPlay(flags);
        return true;
    }

    QList<QPair<QString, int>> plays;
    std::function<void(int)> onPlay;
};
