// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmLogic.h"
#include "Clock.h"
#include "TrayController.h"
#include "WidgetAlarmControls.h"
#include "WindowLogic.h"
#include "modSysTray.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QDateTimeEdit;
class QLabel;
class QMenu;
class QPushButton;
class TickTimer;
class TimeLabel;

// What the window needs from the world outside it; tests hand in their own.
struct AlarmClockServices
{
    const Clock &clock;
    core::AlarmSound &sound;
    core::AlarmBox &messageBox;
    std::function<void()> end;   // ends the program at once
    std::function<void()> yield; // runs the events already queued
    core::SleepHold *sleep = nullptr; // keeps automatic suspend off while armed
    core::WakeTimer *wake = nullptr; // wakes a sleeping computer for the ring
    const core::ZoneClock *zone = nullptr; // places the wake on the universal time line
    core::OutputVolume *volume = nullptr; // makes a muted or quiet output heard while ringing
    core::SleepHold *ringHold = nullptr; // keeps a woken computer up while ringing
};

// The program's only window: the present time, the alarm picker and its buttons.
// A main window without menu or status bar, so that the desktop and its screen
// readers see it as the application's frame.
class frmAlarmClock : public QMainWindow, private core::WindowShell
{
    Q_OBJECT

public:
    explicit frmAlarmClock(AlarmClockServices services, QWidget *parent = nullptr);
    ~frmAlarmClock() override;

    void Form_Load();

signals:
    void unloaded();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls(QWidget *client);
    void placeControls();

    void showTimeOfDay(core::TimeOfDay time) override;
    void showAndRepaint() override;
    void addTrayIcon() override;
    void removeTrayIcon() override;
    void endProgram() override;

    void Form_Resize();
    void Form_Unload();

    AlarmClockServices m_services;

    QLabel *Label2 = nullptr;
    TimeLabel *lblCurrentTime = nullptr;
    QLabel *Label1 = nullptr;
    QDateTimeEdit *dtpAlarmTime = nullptr;
    QPushButton *cmdSet = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdExit = nullptr;
    TickTimer *tmrCurrentTimer = nullptr;
    TickTimer *tmrAlarmTimer = nullptr;
    QMenu *mPopupSys = nullptr;
    QAction *mPopRestore = nullptr;
    QAction *mPopExit = nullptr;

    modSysTray m_sysTray;
    std::unique_ptr<WidgetAlarmControls> m_alarmControls;
    std::unique_ptr<core::AlarmLogic> m_alarm;
    std::unique_ptr<TrayController> m_tray;
    std::unique_ptr<core::WindowLogic> m_form;
};
