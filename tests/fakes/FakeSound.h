// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmSound.h"

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

// Records every play instead of making a sound.
class FakeSound : public core::AlarmSound
{
public:
    bool play(const std::string &soundName, int flags) override
    {
        plays.append({ QString::fromStdString(soundName), flags });
        if (onPlay)
            onPlay(flags);
        return true;
    }

    QList<QPair<QString, int>> plays;
    std::function<void(int)> onPlay;
};
