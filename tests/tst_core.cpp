// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared alarm logic on its own, as both programs run it.
#include "AlarmLogic.h"
#include "TrayClick.h"

#include <QTest>

#include <string>
#include <vector>

using namespace std::chrono;
using core::ClockReading;

namespace {

ClockReading at(int y, unsigned mo, unsigned d, int h, int mi, int s = 0)
{
    return core::reading(year(y) / mo / d, hours(h) + minutes(mi) + seconds(s));
}

// Every control, the clock, the sound, the box and the hold in one, logging
// what the alarm does to them in the order it does it.
struct World : core::AlarmControls, core::WallClock, core::AlarmSound, core::AlarmBox, core::SleepHold
{
    ClockReading clock = at(2026, 12, 7, 6, 12, 45);
    ClockReading picker = clock;
    bool checkOn = false;
    std::vector<std::string> log;
    int rings = 0;

    core::AlarmLogic alarm{ *this, { *this, *this, *this, [this] { log.push_back("yield"); },
                                     [](core::TimeOfDay t) { return std::to_string(t.count()) + "s"; }, this } };

    ClockReading pickerValue() const override { return picker; }
    void setPickerValue(ClockReading value) override { picker = value; }
    void setPickerEnabled(bool on) override { log.push_back(on ? "picker on" : "picker off"); }
    void setCheckEnabled(bool on) override
    {
        checkOn = on;
        log.push_back(on ? "check on" : "check off");
    }
    void setSetEnabled(bool on) override { log.push_back(on ? "set on" : "set off"); }
    void setCancelEnabled(bool on) override { log.push_back(on ? "cancel on" : "cancel off"); }
    void focusSet() override { log.push_back("focus set"); }
    void focusCancel() override { log.push_back("focus cancel"); }
    ClockReading now() const override { return clock; }
    bool play(const std::string &name, int flags) override
    {
        log.push_back("play " + name + " " + std::to_string(flags));
        return true;
    }
    void show(const std::string &text, int style, const std::string &title) override
    {
        ++rings;
        log.push_back("box " + text + " " + std::to_string(style) + " " + title);
    }
    void hold(const std::string &reason) override { log.push_back("hold " + reason); }
    void release() override { log.push_back("release"); }

    void armFor(int h, int m, int s)
    {
        picker = core::reading(core::dateOf(picker), hours(h) + minutes(m) + seconds(s));
        alarm.set();
        log.clear();
    }
};

using Log = std::vector<std::string>;

} // namespace

class TestCore : public QObject
{
    Q_OBJECT

private slots:
    void nextOccurrence_data();
    void nextOccurrence();
    void setArmsAndCancelDisarms();
    void ringFollowsItsStepsInOrder();
    void checkBeforeAtAndAfterTheMoment();
    void oneArmingGivesOneRing();
    void trayIconEvents_data();
    void trayIconEvents();
};

void TestCore::nextOccurrence_data()
{
    QTest::addColumn<ClockReading>("now");
    QTest::addColumn<int>("picked"); // seconds since midnight
    QTest::addColumn<ClockReading>("moment");
    QTest::newRow("later today") << at(2026, 12, 7, 6, 0) << 7 * 3600 + 30 * 60 << at(2026, 12, 7, 7, 30);
    QTest::newRow("this very second") << at(2026, 12, 7, 7, 0, 5) << 7 * 3600 + 5 << at(2026, 12, 7, 7, 0, 5);
    QTest::newRow("a second ago") << at(2026, 12, 7, 7, 0, 6) << 7 * 3600 + 5 << at(2026, 12, 8, 7, 0, 5);
    QTest::newRow("year end") << at(2026, 12, 31, 22, 0) << 6 * 3600 << at(2027, 1, 1, 6, 0);
    QTest::newRow("leap day") << at(2028, 2, 28, 23, 0) << 60 << at(2028, 2, 29, 0, 1);
    // Readings carry no zone: the hour a spring change skips is still a time to pick.
    QTest::newRow("skipped spring hour") << at(2026, 3, 29, 1, 59, 52) << 2 * 3600 + 30 * 60
                                         << at(2026, 3, 29, 2, 30);
}

void TestCore::nextOccurrence()
{
    QFETCH(ClockReading, now);
    QFETCH(int, picked);
    QFETCH(ClockReading, moment);
    QCOMPARE(core::nextOccurrence(seconds(picked), now), moment);
}

void TestCore::setArmsAndCancelDisarms()
{
    World w;
    w.picker = at(2026, 12, 4, 7, 30); // a stale date must not matter
    w.alarm.set();
    QCOMPARE(w.picker, at(2026, 12, 7, 7, 30));
    QCOMPARE(w.log, Log({ "picker off", "check on", "hold Alarm set for 27000s", "set off", "cancel on",
                          "focus cancel" }));
    w.log.clear();
    w.alarm.cancel();
    QCOMPARE(w.log, Log({ "picker on", "check off", "release", "set on", "cancel off", "focus set" }));
    QCOMPARE(w.picker, at(2026, 12, 7, 7, 30)); // Cancel keeps the moment
}

void TestCore::ringFollowsItsStepsInOrder()
{
    World w;
    w.armFor(7, 30, 0);
    w.clock = at(2026, 12, 7, 7, 30, 1);
    w.alarm.check();
    QCOMPARE(w.log, Log({ "play alarm.wav 11", "box The alarm clock is going off 4144 Alarm Clock", "check off",
                          "release", "picker on", "set on", "cancel off", "focus set", "play alarm.wav 2" }));
    QCOMPARE(w.picker, at(2026, 12, 7, 7, 30));
}

void TestCore::checkBeforeAtAndAfterTheMoment()
{
    World w;
    w.armFor(7, 30, 0);
    w.clock = at(2026, 12, 7, 7, 29, 59);
    w.alarm.check();
    QCOMPARE(w.log, Log({ "yield" })); // still to come: yield, nothing else
    w.log.clear();
    w.clock = at(2026, 12, 7, 7, 30, 0);
    w.alarm.check();
    QCOMPARE(w.log, Log()); // the very second: nothing at all
    w.clock += seconds(1);
    w.alarm.check();
    QCOMPARE(w.rings, 1);
}

void TestCore::oneArmingGivesOneRing()
{
    // Set again after a ring, without touching the picker: the moment that
    // just rang is past, so the alarm waits for the same time tomorrow.
    World w;
    w.armFor(7, 30, 0);
    w.clock = at(2026, 12, 7, 7, 30, 1);
    w.alarm.check();
    QVERIFY(!w.checkOn);
    w.alarm.set();
    QCOMPARE(w.picker, at(2026, 12, 8, 7, 30));
    w.clock += seconds(5);
    w.alarm.check();
    QCOMPARE(w.rings, 1);
    w.clock = at(2026, 12, 8, 7, 30, 1);
    w.alarm.check();
    QCOMPARE(w.rings, 2);
}

// Only the releases and the double click act; a press comes before its release.
void TestCore::trayIconEvents_data()
{
    using enum core::TrayAction;
    QTest::addColumn<unsigned>("event"); // the mouse message, as the Windows shell reports it
    QTest::addColumn<core::TrayAction>("action");
    QTest::newRow("pointer moved") << 0x200u << None;
    QTest::newRow("left press") << 0x201u << None;
    QTest::newRow("left release") << 0x202u << Restore;
    QTest::newRow("left double click") << 0x203u << Restore;
    QTest::newRow("right press") << 0x204u << None;
    QTest::newRow("right release") << 0x205u << OpenMenu;
}

void TestCore::trayIconEvents()
{
    QFETCH(unsigned, event);
    QFETCH(core::TrayAction, action);
    QCOMPARE(core::trayAction(event), action);
}

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
