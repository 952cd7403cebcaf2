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

QWidget &WidgetAlarmControls::widget(Control control) const
{
    return control == Control::Picker ? static_cast<QWidget &>(m_picker)
                                      : control == Control::Set ? m_set : m_cancel;
}

void WidgetAlarmControls::setEnabled(Control control, bool enabled)
{
    if (control == Control::Check)
        m_check.setEnabled(enabled);
    else
        widget(control).setEnabled(enabled);
}

void WidgetAlarmControls::focus(Control button)
{
    widget(button).setFocus();
}
