// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace core {

// An opened file's bytes, as the platform reads them.
class WaveSource
{
public:
    virtual ~WaveSource() = default;
    // In bytes; negative when it cannot be told.
    virtual long long size() const = 0;
    // Whether all `length` bytes from `offset` could be read.
    virtual bool read(long long offset, unsigned char *buffer, std::size_t length) const = 0;
};

} // namespace core
