// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Win32MessageBox.h"

void Win32MessageBox::show(const std::string &text, int style, const std::string &title)
{
    MessageBoxA(m_owner, text.c_str(), title.c_str(), UINT(style));
}
