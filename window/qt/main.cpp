// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaretBlinkLimit.h"
#include "DBusInhibitService.h"
#include "InhibitChain.h"
#include "PlatformChoice.h"
#include "PulseVolume.h"
#include "ProgramIcon.h"
#include "QtMessageBox.h"
#include "SystemClock.h"
#include "Toolkit.h"
#include "WakeAlarm.h"
#include "X11Tuning.h"
#include "frmAlarmClock.h"
#include "modPlaySound.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PlatformChoice::apply(argc, argv);
    X11Tuning::preferPlainImages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(core::design::ProgramName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(core::design::Title));
    QApplication::setDesktopFileName(QStringLiteral("io.github.alarm_clock.alarm_clock"));
    QApplication::setWindowIcon(programIcon());
    // The window hides in the notification area: closing the ringing box or the
    // icon's menu while it is hidden must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    CaretBlinkLimit caretBlinkLimit;

    SystemClock clock;
    modPlaySound sound;
    QtMessageBox messageBox;
    InhibitChain sleep(DBusInhibitService::desktopServices());
    PulseVolume volume;
    WakeAlarm wake;
    InhibitChain lidSwitch(DBusInhibitService::lidSwitchServices());
    // Exit ends the program at once: the volume a ring changed is put back first.
    const auto end = [&volume] {
        volume.finish(std::chrono::milliseconds(500));
        Toolkit::endProgram();
    };
    AlarmClockServices services{ clock, sound, messageBox, end, Toolkit::yieldToEvents, &sleep };
    services.wake = &wake;
    services.zone = &clock;
    services.volume = &volume;
    services.ringHold = &lidSwitch;
    frmAlarmClock window(services);
    QObject::connect(&window, &frmAlarmClock::unloaded, &app, &QCoreApplication::quit);
    window.Form_Load();
    return app.exec();
}
