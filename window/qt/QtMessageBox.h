// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmBox.h"

#include <QMessageBox>

// The message box as Qt shows it: application-modal and above every other
// window, with no parent, so that it appears also while the main window is hidden.
class QtMessageBox : public core::AlarmBox
{
public:
    void show(const std::string &text, int style, const std::string &title) override;

    static QMessageBox::Icon iconForStyle(int style);
};
