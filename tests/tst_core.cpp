// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared alarm logic on its own, as both programs run it.
#include "AlarmLogic.h"
#include "LabelColours.h"
#include "LayoutFit.h"
#include "TickGate.h"
#include "TickPhase.h"
#include "TrayClick.h"
#include "WakeMoment.h"
#include "WindowLogic.h"

#include <QTest>

#include <string>
#include <vector>

using namespace std::chrono;
using core::ClockReading;
using core::UtcSeconds;
using Control = core::AlarmControls::Control;

namespace {

ClockReading at(int y, unsigned mo, unsigned d, int h, int mi, int s = 0)
{
    return core::reading(year(y) / mo / d, hours(h) + minutes(mi) + seconds(s));
}

UtcSeconds utc(int y, unsigned mo, unsigned d, int h, int mi, int s = 0)
{
    return UtcSeconds(at(y, mo, d, h, mi, s).time_since_epoch());
}

// Central Europe's zone of 2026: an hour ahead of universal time, two in
// summer; the spring change at 01:00 UTC on 29 March skips 02:00 to 03:00,
// the autumn one at 01:00 UTC on 25 October repeats 02:00 to 03:00.
struct Zone : core::ZoneClock
{
    UtcSeconds now = utc(2026, 12, 7, 5, 12, 45);
    hours shift{ 0 }; // a zone moved by hand
    UtcSeconds utcNow() const override { return now; }
    seconds utcOffset(UtcSeconds m) const override
    {
        const bool summer = m >= utc(2026, 3, 29, 1, 0) && m < utc(2026, 10, 25, 1, 0);
        return hours(summer ? 2 : 1) + shift;
    }
};

// Every control, the clock, the sound, the box and the hold in one, logging
// what the alarm does to them in the order it does it.
struct World : core::AlarmControls,
               core::WallClock,
               core::AlarmSound,
               core::AlarmBox,
               core::SleepHold,
               core::WakeTimer,
               core::OutputVolume,
               core::WindowShell,
               core::TrayTarget
{
    struct RingHold : core::SleepHold
    {
        std::vector<std::string> &log;
        explicit RingHold(std::vector<std::string> &l) : log(l) { }
        void hold(const std::string &reason) override { log.push_back("ring hold " + reason); }
        void release() override { log.push_back("ring release"); }
    };

    ClockReading clock = at(2026, 12, 7, 6, 12, 45);
    ClockReading picker = clock;
    bool checkOn = false;
    std::vector<std::string> log;
    int rings = 0;
    Zone zone;
    RingHold ringHold{ log };

    core::AlarmLogic alarm { *this,
                             { *this, *this, *this, [this] { log.push_back("yield"); },
                               [](core::TimeOfDay t) { return std::to_string(t.count()) + "s"; }, this, this, &zone,
                               this, &ringHold } };
    core::WindowLogic window { *this, *this, *this, alarm, *this, [this] { log.push_back("yield"); } };

    ClockReading pickerValue() const override { return picker; }
    void setPickerValue(ClockReading value) override { picker = value; }
    void setEnabled(Control control, bool on) override
    {
        log.push_back(name(control) + (on ? " on" : " off"));
        if (control == Control::Check)
            checkOn = on;
    }
    static std::string name(Control control)
    {
        static const char *const names[] = { "picker", "check", "set", "cancel" };
        return names[int(control)];
    }
    void focus(Control control) override { log.push_back("focus " + name(control)); }
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
    void arm(UtcSeconds due) override
    {
        log.push_back("wake " + std::to_string(floor<seconds>(due - floor<days>(due)).count()) + "s");
    }
    void end() override { log.push_back("wake end"); }
    void raiseForRing() override { log.push_back("volume up"); }
    void restoreAfterRing() override { log.push_back("volume back"); }
    void showTimeOfDay(core::TimeOfDay t) override { log.push_back("time " + std::to_string(t.count()) + "s"); }
    void showAndRepaint() override { log.push_back("shown"); }
    void addTrayIcon() override { log.push_back("icon added"); }
    void removeTrayIcon() override { log.push_back("icon removed"); }
    void restoreFromTray() override { log.push_back("restored"); }
    void openTrayMenu() override { log.push_back("menu"); }
    void endProgram() override { log.push_back("ended"); }
    // Moves the local clock and the universal one together.
    void pass(seconds s)
    {
        clock += s;
        zone.now += s;
    }

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
    void wakeFollowsTheAlarm();
    void wakeMoment_data();
    void wakeMoment();
    void volumeForTheRing_data();
    void volumeForTheRing();
    void checkBeforeAtAndAfterTheMoment();
    void oneArmingGivesOneRing();

    void trayDecisions_data();
    void trayDecisions();
    void windowSequences();
    void hidingNeedsTheIcon();
    void layoutFitsTheTexts_data();
    void layoutFitsTheTexts();
    void textWithoutAccessKey_data();
    void textWithoutAccessKey();
    void labelColours_data();
    void labelColours();
    void tickGate_data();
    void tickGate();
    void nextTickComesJustAfterTheSecond_data();
    void nextTickComesJustAfterTheSecond();
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
    // 07:30 local is 06:30 UTC; woken the lead before, at 06:29:46.
    QCOMPARE(w.log,
             Log({ "picker off", "check on", "wake 23386s", "hold Alarm set for 27000s", "set off", "cancel on",
                          "focus cancel" }));
    w.log.clear();
    w.alarm.cancel();
    QCOMPARE(w.log, Log({ "picker on", "check off", "wake end", "release", "set on", "cancel off", "focus set" }));
    QCOMPARE(w.picker, at(2026, 12, 7, 7, 30)); // Cancel keeps the moment
}

void TestCore::ringFollowsItsStepsInOrder()
{
    World w;
    w.armFor(7, 30, 0);
    w.pass(at(2026, 12, 7, 7, 30, 1) - w.clock);
    w.alarm.check();
    QCOMPARE(w.log,
             Log({ "wake end", "volume up", "ring hold The alarm clock is going off", "play alarm.wav 11",
                   "box The alarm clock is going off 4144 Alarm Clock", "check off", "release", "picker on", "set on",
                   "cancel off", "focus set", "play alarm.wav 2", "volume back", "ring release" }));
    QCOMPARE(w.picker, at(2026, 12, 7, 7, 30));
    // Exit after the ring has nothing left to end.
    w.log.clear();
    w.alarm.stopChecking();
    QCOMPARE(w.log, Log({ "check off", "release" }));
}

void TestCore::wakeFollowsTheAlarm()
{
    World w;
    w.armFor(7, 30, 0);
    w.pass(seconds(1));
    w.alarm.check();
    QCOMPARE(w.log, Log({ "yield" })); // the same moment: not armed again
    w.log.clear();
    w.zone.shift = hours(-6); // flown west: 07:30 there is 12:30 UTC
    w.alarm.check();
    QCOMPARE(w.log, Log({ "wake 44986s", "yield" }));
    w.log.clear();
    w.zone.shift = hours(0);
    w.alarm.clockChanged(); // the shell's word that the clock or zone changed
    QCOMPARE(w.log, Log({ "wake 23386s" }));
    w.log.clear();
    w.pass(at(2026, 12, 7, 7, 29, 50) - w.clock); // inside the lead: the ring itself
    w.alarm.check();
    QCOMPARE(w.log, Log({ "wake 23401s", "yield" }));
    w.log.clear();
    w.alarm.stopChecking(); // Exit while armed
    QCOMPARE(w.log, Log({ "check off", "wake end", "release" }));
}

void TestCore::wakeMoment_data()
{
    QTest::addColumn<ClockReading>("alarm");
    QTest::addColumn<UtcSeconds>("now");
    QTest::addColumn<UtcSeconds>("ring");
    QTest::addColumn<UtcSeconds>("wake"); // the epoch: none
    const UtcSeconds none {};
    QTest::newRow("winter") << at(2026, 12, 8, 7, 30) << utc(2026, 12, 7, 21, 0) << utc(2026, 12, 8, 6, 30, 1)
                            << utc(2026, 12, 8, 6, 29, 46);
    QTest::newRow("summer") << at(2026, 7, 8, 7, 30) << utc(2026, 7, 7, 21, 0) << utc(2026, 7, 8, 5, 30, 1)
                            << utc(2026, 7, 8, 5, 29, 46);
    QTest::newRow("over the spring change") << at(2026, 3, 29, 7, 0) << utc(2026, 3, 28, 21, 0)
                                            << utc(2026, 3, 29, 5, 0, 1) << utc(2026, 3, 29, 4, 59, 46);
    QTest::newRow("in the skipped hour: its end")
        << at(2026, 3, 29, 2, 30) << utc(2026, 3, 28, 21, 0) << utc(2026, 3, 29, 1, 0) << utc(2026, 3, 29, 0, 59, 45);
    QTest::newRow("in the repeated hour: first pass") << at(2026, 10, 25, 2, 30) << utc(2026, 10, 24, 21, 0)
                                                      << utc(2026, 10, 25, 0, 30, 1) << utc(2026, 10, 25, 0, 29, 46);
    QTest::newRow("after the repeated hour") << at(2026, 10, 25, 3, 0) << utc(2026, 10, 24, 21, 0)
                                             << utc(2026, 10, 25, 2, 0, 1) << utc(2026, 10, 25, 1, 59, 46);
    QTest::newRow("inside the lead: the ring") << at(2026, 12, 8, 7, 30) << utc(2026, 12, 8, 6, 29, 50)
                                               << utc(2026, 12, 8, 6, 30, 1) << utc(2026, 12, 8, 6, 30, 1);
    QTest::newRow("ring due: none") << at(2026, 12, 8, 7, 30) << utc(2026, 12, 8, 6, 30, 1)
                                    << utc(2026, 12, 8, 6, 30, 1) << none;
    QTest::newRow("long past: none") << at(2026, 12, 8, 7, 30) << utc(2026, 12, 9, 6, 0) << utc(2026, 12, 8, 6, 30, 1)
                                     << none;
}

void TestCore::wakeMoment()
{
    QFETCH(ClockReading, alarm);
    QFETCH(UtcSeconds, now);
    QFETCH(UtcSeconds, wake);
    Zone zone;
    zone.now = now;
    QTEST(core::ringMoment(alarm, zone), "ring");
    QCOMPARE(core::wakeMoment(alarm, zone).value_or(UtcSeconds {}), wake);
}

void TestCore::volumeForTheRing_data()
{
    // "m": muted, else the volume in percent; "-": no output.
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("duringRing"); // what the ring set it to; as found: untouched
    QTest::addColumn<QString>("userSet"); // what the user made of it before the ring ended; "": nothing
    QTest::addColumn<QString>("after"); // what it is set back to; "": left as it is
    QTest::newRow("muted") << "m 5"
                           << "40"
                           << ""
                           << "m 5";
    QTest::newRow("muted, loud") << "m 80"
                                 << "80"
                                 << ""
                                 << "m 80";
    QTest::newRow("low") << "5"
                         << "40"
                         << ""
                         << "5";
    QTest::newRow("just below the floor") << "39"
                                          << "40"
                                          << ""
                                          << "39";
    QTest::newRow("at the floor") << "40"
                                  << "40"
                                  << ""
                                  << "";
    QTest::newRow("loud") << "90"
                          << "90"
                          << ""
                          << "";
    QTest::newRow("no output") << "-"
                               << "-"
                               << ""
                               << "";
    QTest::newRow("user turned it up") << "m 5"
                                       << "40"
                                       << "70"
                                       << "m 70";
    QTest::newRow("user muted it") << "m 5"
                                   << "40"
                                   << "m 40"
                                   << "m 5";
    QTest::newRow("user muted and turned down") << "5"
                                                << "40"
                                                << "m 20"
                                                << "";
    QTest::newRow("output gone mid-ring") << "m 5"
                                          << "40"
                                          << "-"
                                          << "";
}

void TestCore::volumeForTheRing()
{
    const auto level = [](const QString &s) -> std::optional<core::OutputLevel> {
        if (s == "-")
            return std::nullopt;
        return core::OutputLevel{ s.startsWith('m'), s.section(' ', -1).toDouble() / 100 };
    };
    const auto text = [](std::optional<core::OutputLevel> l) {
        return !l ? QString() : (l->muted ? "m " : "") + QString::number(qRound(l->volume * 100));
    };
    QFETCH(QString, found);
    QFETCH(QString, duringRing);
    QFETCH(QString, userSet);
    const std::optional<core::OutputLevel> set = core::ringLevel(level(found));
    QCOMPARE(text(set.value_or(level(found).value_or(core::OutputLevel {}))),
             duringRing == "-" ? QString("0") : duringRing);
    const std::optional<core::OutputLevel> now = userSet.isEmpty() ? set : level(userSet);
    QTEST(set ? text(core::levelAfterRing(*level(found), *set, now)) : QString(), "after");
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

void TestCore::trayDecisions_data()
{
    QTest::addColumn<unsigned>("mouseMessage");
    QTest::addColumn<core::TrayAction>("action");
    using A = core::TrayAction;
    QTest::newRow("pointer moved") << 0x200u << A::None;
    QTest::newRow("left press") << 0x201u << A::None;
    QTest::newRow("left release") << 0x202u << A::Restore;
    QTest::newRow("left double click") << 0x203u << A::Restore;
    QTest::newRow("right press") << 0x204u << A::None;
    QTest::newRow("right release") << 0x205u << A::OpenMenu;
    QTest::newRow("middle release") << 0x208u << A::None;
}

void TestCore::trayDecisions()
{
    QFETCH(unsigned, mouseMessage);
    QFETCH(core::TrayAction, action);
    QCOMPARE(core::trayAction(mouseMessage), action);
    World w;
    w.window.Form_MouseMove(mouseMessage);
    const Log done[] = { {}, { "restored" }, { "menu" } };
    QCOMPARE(w.log, done[int(action)]);
}

void TestCore::windowSequences()
{
    World w;
    w.picker = at(2026, 1, 1, 0, 0);
    w.window.Form_Load();
    QCOMPARE(w.picker, w.clock); // the present moment, to the second
    QCOMPARE(w.log, Log({ "check off", "time 22365s", "cancel off", "shown", "focus picker", "icon added" }));
    w.log.clear();
    w.window.tmrCurrentTimer_Timer(at(2026, 12, 7, 6, 12, 46));
    QCOMPARE(w.log, Log({ "time 22366s", "yield" }));

    w.armFor(7, 30, 0);
    w.window.cmdExit_Click();
    QCOMPARE(w.log, Log({ "check off", "wake end", "release", "icon removed", "ended" }));
    w.armFor(7, 30, 0);
    w.window.Form_Unload();
    QCOMPARE(w.log, Log({ "icon removed", "check off", "wake end", "release" }));
}

void TestCore::hidingNeedsTheIcon()
{
    // Of every state, only a minimized, visible window with its icon there
    // hides; only a hidden, minimized one whose icon is gone comes back.
    for (int state = 0; state < 8; ++state) {
        const bool minimized = state & 1, visible = state & 2, icon = state & 4;
        QCOMPARE(core::hidesOnMinimize(minimized, visible, icon), state == 7);
        QCOMPARE(core::showsMinimizedWithoutIcon(minimized, visible, icon), state == 1);
    }
}

void TestCore::layoutFitsTheTexts_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("setWidth"); // what Set's text needs, in pixels
    QTest::addColumn<int>("labelHeight"); // what the labels' font needs
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    // Set is 975 x 375 twips: 65 x 25 pixels at 96 dpi; a label is 17 pixels high.
    QTest::newRow("as designed") << 96 << 65 << 17 << 1.0 << 281 << 107;
    QTest::newRow("a wider text") << 96 << 70 << 17 << 1.08 << 303 << 116;
    QTest::newRow("a taller font") << 96 << 65 << 20 << 1.18 << 332 << 126;
    QTest::newRow("at 150 %") << 144 << 99 << 26 << 1.02 << 430 << 164;
    QTest::newRow("at 125 %, as designed") << 120 << 81 << 21 << 1.0 << 351 << 134;
}

void TestCore::layoutFitsTheTexts()
{
    QFETCH(int, dpi);
    QFETCH(int, setWidth);
    QFETCH(int, labelHeight);
    QFETCH(double, scale);
    const core::MeasuredControl measured[] = {
        { core::design::Label2, { 10, labelHeight } },
        { core::design::Label1, { 10, labelHeight } },
        { core::design::dtpAlarmTime, { 0, 0 } },
        { core::design::cmdSet, { setWidth, 0 } },
    };
    QCOMPARE(core::fitScale(measured, dpi), scale);
    // A button's frame and margin go on either side of its text; nothing else is padded.
    QCOMPARE(core::neededRoom(core::design::cmdSet, { setWidth, labelHeight }, 4).width, setWidth + 8);
    QCOMPARE(core::neededRoom(core::design::cmdSet, { setWidth, labelHeight }, 4).height, labelHeight);
    QCOMPARE(core::neededRoom(core::design::Label1, { setWidth, labelHeight }, 4).width, setWidth);
    QCOMPARE(core::neededRoom(core::design::dtpAlarmTime, { setWidth, labelHeight }, 4).width, setWidth);
    const core::PixelSize client = core::toPixels(core::design::Client, dpi, scale);
    QTEST(client.width, "clientWidth");
    QTEST(client.height, "clientHeight");
}

void TestCore::textWithoutAccessKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("first letter") << "&Set"
                                  << "Set";
    QTest::newRow("inside") << "E&xit"
                            << "Exit";
    QTest::newRow("none") << "Cancel"
                          << "Cancel";
    QTest::newRow("doubled shows one") << "Salt && Pepper"
                                       << "Salt & Pepper";
    QTest::newRow("doubled, then a key") << "&&&x"
                                         << "&x";
    QTest::newRow("last") << "Tail&"
                          << "Tail&";
}

void TestCore::textWithoutAccessKey()
{
    QFETCH(QString, text);
    QTEST(QString::fromStdString(core::withoutAccessKey(text.toStdString().c_str())), "shown");
}

void TestCore::labelColours_data()
{
    QTest::addColumn<bool>("highContrast");
    QTest::addColumn<int>("text"); // the system's text colour, grey
    QTest::addColumn<bool>("systemBackground");
    QTest::addColumn<bool>("systemText");
    QTest::newRow("black on white") << false << 0 << false << true;
    QTest::newRow("dark grey") << false << 160 << false << true;
    QTest::newRow("a dark theme's light text") << false << 161 << false << false;
    QTest::newRow("high contrast, white text") << true << 255 << true << true;
    QTest::newRow("high contrast, black text") << true << 0 << true << true;
}

void TestCore::labelColours()
{
    QFETCH(bool, highContrast);
    QFETCH(int, text);
    const core::LabelColours colours = core::labelColours(highContrast, text, text, text);
    QTEST(colours.systemBackground, "systemBackground");
    QTEST(colours.systemText, "systemText");
}

void TestCore::tickGate_data()
{
    // "on@N": enabled when the pulse has counted N ticks; "off"; "N": tick N
    // comes and its handler returns; "N(": its handler is still running; ")": it returns.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("handled");
    QTest::newRow("from the tick after enabling") << "on@3 3 4 5" << "4 5";
    QTest::newRow("never re-entered") << "on@0 1( 2 3 ) 4" << "1 4";
    QTest::newRow("disabled inside the handler") << "on@0 1( off ) 2" << "1";
    QTest::newRow("enabled again inside the handler") << "on@0 1( off on@2 ) 2 3" << "1 3";
    QTest::newRow("enabling twice keeps the interval") << "on@0 on@5 1" << "1";
}

void TestCore::tickGate()
{
    QFETCH(QString, script);
    core::TickGate gate;
    QStringList handled;
    for (const QString &step : script.split(' ', Qt::SkipEmptyParts)) {
        if (step.startsWith("on@"))
            gate.setEnabled(true, step.mid(3).toULongLong());
        else if (step == "off")
            gate.setEnabled(false, 0);
        else if (step == ")")
            gate.leave();
        else if (gate.enter(step.chopped(step.endsWith('(')).toULongLong())) {
            handled << step.chopped(step.endsWith('('));
            if (!step.endsWith('('))
                gate.leave();
        }
    }
    QTEST(handled.join(' '), "handled");
}

void TestCore::nextTickComesJustAfterTheSecond_data()
{
    QTest::addColumn<int>("msec");
    QTest::addColumn<int>("delay");
    QTest::newRow("on the second") << 0 << core::TickPhaseMs;
    QTest::newRow("just before the phase") << core::TickPhaseMs - 1 << 1;
    QTest::newRow("at the phase") << core::TickPhaseMs << 1000;
    QTest::newRow("mid-second") << 500 << 500 + core::TickPhaseMs;
    QTest::newRow("end of second") << 999 << 1 + core::TickPhaseMs;
}

void TestCore::nextTickComesJustAfterTheSecond()
{
    QFETCH(int, msec);
    QFETCH(int, delay);
    QCOMPARE(core::msecsToNextTick(msec), delay);
}

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
