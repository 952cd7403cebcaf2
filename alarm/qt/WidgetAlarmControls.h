// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmControls.h"

class QAbstractButton;
class QDateTimeEdit;
class QWidget;
class TickTimer;

// The alarm's state on the window's widgets: the picker, Set, Cancel and the
// check timer. The picker holds the alarm as a clock reading (see
// Toolkit::clockReading).
class WidgetAlarmControls : public core::AlarmControls
{
public:
    WidgetAlarmControls(QDateTimeEdit &picker, QAbstractButton &set, QAbstractButton &cancel, TickTimer &check)
        : m_picker(picker), m_set(set), m_cancel(cancel), m_check(check)
    {
    }

    core::ClockReading pickerValue() const override;
    void setPickerValue(core::ClockReading value) override;
    void setEnabled(Control control, bool enabled) override;
    void focus(Control button) override;

private:
    QWidget &widget(Control control) const;

    QDateTimeEdit &m_picker;
    QAbstractButton &m_set;
    QAbstractButton &m_cancel;
    TickTimer &m_check;
};
