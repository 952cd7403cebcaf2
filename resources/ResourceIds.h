// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program's resources, shared by its resource script and its code.
#pragma once

#define IDI_ALARM_CLOCK 1
