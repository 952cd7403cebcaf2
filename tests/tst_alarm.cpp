// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmLogic.h"
#include "FakeClock.h"
#include "FakeInhibitService.h"
#include "FakeMessageBox.h"
#include "FakeSound.h"
#include "QtMessageBox.h"
#include "TickTimer.h"
#include "Toolkit.h"
#include "WidgetAlarmControls.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QDate Today(2026, 12, 7);

// A moment, as the clock gives it.
QDateTime at(const QDate &day, int h, int m, int s = 0)
{
    return QDateTime(day, QTime(h, m, s));
}

// What the clock shows, as the picker holds it.
QDateTime reading(const QDate &day, int h, int m, int s = 0)
{
    return QDateTime(day, QTime(h, m, s), Qt::UTC);
}

// The alarm's controls as the window holds them, with the fakes around them.
struct Rig
{
    FakeClock clock{ at(Today, 6, 12, 45) };
    FakeSound sound;
    FakeMessageBox box;
    int yields = 0;
    QWidget window;
    QDateTimeEdit picker{ &window };
    QPushButton set{ &window };
    QPushButton cancel{ &window };
    TickPulse pulse{ clock };
    TickTimer check{ pulse };
    FakeSleepInhibitor sleep;
    WidgetAlarmControls controls{ picker, set, cancel, check };
    core::AlarmLogic alarm{ controls, { clock, sound, box, [this] { ++yields; }, Toolkit::timeText, &sleep } };

    Rig()
    {
        picker.setTimeSpec(Qt::UTC);
        picker.setDateTimeRange(reading(QDate(1900, 1, 1), 0, 0), reading(QDate(9999, 12, 31), 23, 59, 59));
        picker.setDisplayFormat("HH:mm:ss");
        picker.setDateTime(Toolkit::clockReading(clock.preciseNow()));
        cancel.setEnabled(false);
    }

    QString state() const
    {
        const bool disarmed = !check.isEnabled() && picker.isEnabled() && set.isEnabled() && !cancel.isEnabled();
        const bool armed = check.isEnabled() && !picker.isEnabled() && !set.isEnabled() && cancel.isEnabled();
        return disarmed ? "Disarmed" : armed ? "Armed" : "mixed";
    }

    void armFor(int h, int m, int s)
    {
        picker.setTime(QTime(h, m, s));
        alarm.set();
        check.setEnabled(false); // the tests run the checks themselves
        check.setEnabled(true);
    }

    int rings() const { return int(box.shown.size()); }
};

} // namespace

class TestAlarm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName("Alarm Clock"); }

    void setAndCancelFollowTheStateTable();
    void setPicksTheNextOccurrence_data();
    void setPicksTheNextOccurrence();
    void timeSkippedBySpringChangeGoesOffWhenTheGapEnds();
    void timeRepeatedByAutumnChangeGoesOffAtItsFirstPass();

    void checkRingsOnlyOnceTheMomentHasPassed();
    void checkDoesNothingWhenTheSecondTurnsBetweenReads();
    void ringsAtTheFirstCheckAWholeSecondPast();
    void ringsAcrossMidnight();
    void ringFollowsItsStepsInOrder();
    void oneArmingGivesOneRingWhileTheBoxStaysOpen();
    void setAfterARingArmsForTheNextDay();
    void cancelWhileArmedNeverRings();
    void keepsTheComputerAwakeExactlyWhileArmedOrRinging();

    void ringingBoxIsAWarningAboveEveryWindow();
};

void TestAlarm::setAndCancelFollowTheStateTable()
{
    Rig rig;
    QCOMPARE(rig.state(), "Disarmed");
    const QTime picked(7, 30, 45);
    rig.picker.setTime(picked);
    rig.alarm.set();
    QCOMPARE(rig.state(), "Armed");
    rig.alarm.cancel();
    QCOMPARE(rig.state(), "Disarmed");
    QCOMPARE(rig.picker.time(), picked); // Cancel keeps the alarm moment
    QVERIFY(rig.sound.plays.isEmpty());
    QCOMPARE(rig.rings(), 0);
}

void TestAlarm::setPicksTheNextOccurrence_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QTime>("picked");
    QTest::addColumn<QDateTime>("moment");
    const QDate tomorrow = Today.addDays(1);
    QTest::newRow("later today") << at(Today, 6, 0) << QTime(7, 30) << at(Today, 7, 30);
    QTest::newRow("wake-up set the evening before") << at(Today, 23, 0) << QTime(7, 0) << at(tomorrow, 7, 0);
    QTest::newRow("this very second") << at(Today, 7, 0, 5) << QTime(7, 0, 5) << at(Today, 7, 0, 5);
    QTest::newRow("a second ago") << at(Today, 7, 0, 6) << QTime(7, 0, 5) << at(tomorrow, 7, 0, 5);
    QTest::newRow("just after midnight") << at(Today, 23, 59, 30) << QTime(0, 0, 10) << at(tomorrow, 0, 0, 10);
    QTest::newRow("year end") << at(QDate(2026, 12, 31), 22, 0) << QTime(6, 0) << at(QDate(2027, 1, 1), 6, 0);
}

void TestAlarm::setPicksTheNextOccurrence()
{
    QFETCH(QDateTime, now);
    QFETCH(QTime, picked);
    QFETCH(QDateTime, moment);
    Rig rig;
    rig.picker.setDateTime(reading(now.date().addDays(-3), 0, 0)); // a stale date must not matter
    rig.picker.setTime(picked);
    rig.clock.set(now);
    rig.alarm.set();
    QCOMPARE(rig.picker.dateTime(), Toolkit::clockReading(moment));
}

void TestAlarm::timeSkippedBySpringChangeGoesOffWhenTheGapEnds()
{
    // This test runs in Europe/Berlin: on 29 March 2026 the clock goes from 02:00 to 03:00.
    const QDate spring(2026, 3, 29);
    Rig rig;
    rig.clock.set(at(spring, 1, 59, 52));
    rig.armFor(2, 30, 0); // a time that day never shows, typed all the same
    QCOMPARE(rig.picker.dateTime(), reading(spring, 2, 30));
    rig.clock.set(at(spring, 1, 59, 59));
    rig.alarm.check();
    QCOMPARE(rig.rings(), 0);
    rig.clock.advance(1); // 03:00:00, the first check after the gap
    QCOMPARE(rig.clock.preciseNow().time(), QTime(3, 0));
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
}

void TestAlarm::timeRepeatedByAutumnChangeGoesOffAtItsFirstPass()
{
    // On 25 October 2026 Berlin's clock shows 02:00 to 02:59 twice.
    const QDateTime firstPass = QDateTime::fromSecsSinceEpoch(
        QDateTime(QDate(2026, 10, 25), QTime(0, 29, 52), Qt::UTC).toSecsSinceEpoch());
    QCOMPARE(firstPass.time(), QTime(2, 29, 52));
    Rig rig;
    rig.clock.set(firstPass);
    rig.armFor(2, 30, 0);
    QCOMPARE(rig.picker.dateTime(), reading(QDate(2026, 10, 25), 2, 30));
    rig.clock.advance(8); // 02:30:00, still summer time
    rig.alarm.check();
    QCOMPARE(rig.rings(), 0);
    rig.clock.advance(1);
    QCOMPARE(rig.clock.preciseNow().offsetFromUtc(), 7200);
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
}

void TestAlarm::checkRingsOnlyOnceTheMomentHasPassed()
{
    Rig rig;
    rig.armFor(7, 30, 0);

    rig.clock.set(at(Today, 7, 29, 59)); // still to come: yield, nothing else
    rig.alarm.check();
    QCOMPARE(rig.yields, 1);
    QCOMPARE(rig.rings(), 0);

    rig.clock.set(at(Today, 7, 30, 0)); // the very second: nothing at all
    rig.alarm.check();
    QCOMPARE(rig.yields, 1);
    QCOMPARE(rig.rings(), 0);
    QCOMPARE(rig.state(), "Armed");

    rig.clock.set(at(Today, 7, 30, 1)); // passed: ring
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
    QCOMPARE(rig.yields, 1);
}

void TestAlarm::checkDoesNothingWhenTheSecondTurnsBetweenReads()
{
    Rig rig;
    rig.armFor(7, 30, 0);
    rig.clock.onRead([&, first = true](int) mutable {
        if (!first)
            return;
        first = false;
        rig.clock.set(at(Today, 7, 30, 1));
    });
    rig.clock.set(at(Today, 7, 30, 0));
    // The hook moves the clock after its first read returned 07:30:00: the
    // second read then finds the moment passed, and the next check rings.
    rig.alarm.check();
    QCOMPARE(rig.rings(), 0);
    QCOMPARE(rig.yields, 0);
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
}

void TestAlarm::ringsAtTheFirstCheckAWholeSecondPast()
{
    // Started at 06:12:45: picking 07:30 without touching the seconds keeps :45.
    Rig rig;
    rig.picker.setTime(QTime(7, 30, rig.picker.time().second()));
    rig.alarm.set();
    rig.clock.set(at(Today, 7, 30, 0));
    QDateTime rangAt;
    rig.box.whileOpen = [&] { rangAt = rig.clock.preciseNow(); };
    for (int i = 0; i < 60 && rig.rings() == 0; ++i) {
        rig.alarm.check();
        rig.clock.advance(1);
    }
    QCOMPARE(rangAt, at(Today, 7, 30, 46));
}

void TestAlarm::ringsAcrossMidnight()
{
    Rig rig;
    rig.clock.set(at(Today, 23, 59, 30));
    rig.armFor(0, 0, 10);
    for (int i = 0; i < 40; ++i) { // 23:59:30 .. 00:00:09 of the next day
        rig.alarm.check();
        rig.clock.advance(1);
    }
    QCOMPARE(rig.rings(), 0);
    rig.clock.advance(1); // 00:00:11
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
}

void TestAlarm::ringFollowsItsStepsInOrder()
{
    Rig rig;
    rig.armFor(7, 30, 0);
    rig.clock.set(at(Today, 7, 31, 0));
    QStringList seen;
    rig.sound.onPlay = [&](int flags) { seen << QString("play %1 while %2").arg(flags).arg(rig.state()); };
    rig.box.whileOpen = [&] { seen << QString("box while %1").arg(rig.state()); };
    rig.alarm.check();
    QCOMPARE(seen, QStringList({ "play 11 while Armed", "box while Armed", "play 2 while Disarmed" }));
    QCOMPARE(rig.sound.plays.at(0).first, "alarm.wav");
    QCOMPARE(rig.sound.plays.at(1).first, "alarm.wav");
    QCOMPARE(rig.box.shown.at(0).text, "The alarm clock is going off");
    QCOMPARE(rig.box.shown.at(0).title, "Alarm Clock");
    QCOMPARE(rig.box.shown.at(0).style, 0x1030);
    QCOMPARE(rig.picker.dateTime(), reading(Today, 7, 30)); // the moment is kept
}

void TestAlarm::oneArmingGivesOneRingWhileTheBoxStaysOpen()
{
    // The real timer, due every few ms on the fake clock, keeps ticking while
    // the box is open: not one of those ticks may ring again.
    Rig rig;
    QObject::connect(&rig.check, &TickTimer::timeout, [&] { rig.alarm.check(); });
    rig.picker.setTime(QTime(7, 30));
    rig.alarm.set();
    rig.clock.set(at(Today, 7, 30, 5));
    int ticksWhileOpen = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticksWhileOpen; });
    rig.box.whileOpen = [&] {
        ticker.start(5);
        QTest::qWait(300);
        ticker.stop();
    };
    QTRY_COMPARE(rig.rings(), 1);
    QTest::qWait(50);
    QCOMPARE(rig.rings(), 1);
    QVERIFY(ticksWhileOpen > 10); // the event loop did run while the box was open
    QCOMPARE(rig.sound.plays.size(), 2);
    QCOMPARE(rig.state(), "Disarmed");
}

void TestAlarm::setAfterARingArmsForTheNextDay()
{
    Rig rig;
    rig.armFor(7, 30, 0);
    rig.clock.set(at(Today, 7, 30, 1));
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
    rig.armFor(7, 30, 0); // Set again without touching the picker
    QCOMPARE(rig.picker.dateTime(), reading(Today.addDays(1), 7, 30));
    rig.clock.advance(5);
    rig.alarm.check();
    QCOMPARE(rig.rings(), 1);
    rig.clock.set(at(Today.addDays(1), 7, 30, 1));
    rig.alarm.check();
    QCOMPARE(rig.rings(), 2);
}

void TestAlarm::cancelWhileArmedNeverRings()
{
    Rig rig;
    QObject::connect(&rig.check, &TickTimer::timeout, [&] { rig.alarm.check(); });
    rig.picker.setTime(QTime(7, 30));
    rig.alarm.set();
    rig.alarm.cancel();
    rig.clock.set(at(Today, 8, 0)); // long past, and the timer would be due every few ms
    QTest::qWait(100);
    QCOMPARE(rig.rings(), 0);
    QVERIFY(rig.sound.plays.isEmpty());
}

void TestAlarm::ringingBoxIsAWarningAboveEveryWindow()
{
    QtMessageBox box;
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(shown);
        QCOMPARE(shown->text(), "The alarm clock is going off");
        QCOMPARE(shown->windowTitle(), "Alarm Clock");
        QCOMPARE(shown->icon(), QMessageBox::Warning);
        QCOMPARE(shown->buttons().size(), 1);
        QCOMPARE(shown->standardButton(shown->buttons().first()), QMessageBox::Ok);
        QCOMPARE(shown->windowModality(), Qt::ApplicationModal);
        QVERIFY(shown->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!shown->parentWidget()); // shown even while the main window is hidden
        inspected = true;
        shown->button(QMessageBox::Ok)->click();
    });
    box.show("The alarm clock is going off", 0x1030, "Alarm Clock");
    QVERIFY(inspected);
}

void TestAlarm::keepsTheComputerAwakeExactlyWhileArmedOrRinging()
{
    Rig r;
    QVERIFY(r.sleep.calls.isEmpty());
    r.picker.setTime(QTime(7, 30, 0));
    r.alarm.set();
    QCOMPARE(r.sleep.calls, QStringList({ "hold Alarm set for 07:30:00" }));
    r.alarm.cancel();
    QCOMPARE(r.sleep.calls.constLast(), "release");

    r.sleep.calls.clear();
    r.picker.setTime(QTime(6, 13, 0));
    r.alarm.set();
    QStringList whileRinging;
    r.box.whileOpen = [&] { whileRinging = r.sleep.calls; };
    r.clock.set(at(Today, 6, 13, 1));
    r.alarm.check();
    QCOMPARE(whileRinging, QStringList({ "hold Alarm set for 06:13:00" }));
    QCOMPARE(r.sleep.calls, QStringList({ "hold Alarm set for 06:13:00", "release" }));
}

QTEST_MAIN(TestAlarm)
#include "tst_alarm.moc"
