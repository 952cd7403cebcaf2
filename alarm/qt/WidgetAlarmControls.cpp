// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetAlarmControls.h"

#include "QtClockReading.h"
#include "TickTimer.h"

#include <QAbstractButton>
#include <QDateTimeEdit>

core::ClockReading WidgetAlarmControls::pickerValue() const
{
    return QtClockReading::fromQt(m_picker.dateTime());
}

void WidgetAlarmControls::setPickerValue(core::ClockReading value)
{
    m_picker.setDateTime(QtClockReading::toQt(value));
}

void WidgetAlarmControls::setPickerEnabled(bool enabled)
{
    m_picker.setEnabled(enabled);
}

void WidgetAlarmControls::setCheckEnabled(bool enabled)
{
    m_check.setEnabled(enabled);
}

void WidgetAlarmControls::setSetEnabled(bool enabled)
{
    m_set.setEnabled(enabled);
}

void WidgetAlarmControls::setCancelEnabled(bool enabled)
{
    m_cancel.setEnabled(enabled);
}

void WidgetAlarmControls::focusSet()
{
    m_set.setFocus();
}

void WidgetAlarmControls::focusCancel()
{
    m_cancel.setFocus();
}
