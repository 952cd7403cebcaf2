// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaretBlinkLimit.h"
#include "FakeClock.h"
#include "PlatformChoice.h"
#include "SystemClock.h"
#include "TickTimer.h"
#include "TimeOfDayFormat.h"
#include "Toolkit.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

class TestToolkit : public QObject
{
    Q_OBJECT

private slots:
    void presentMomentDropsFractions();
    void systemClockKeepsTheZonesOffset();

    void timeTextHasNoZone_data();
    void timeTextHasNoZone();
    void timeFormatKeptForTheMinuteWritesWhatTheLocaleWould_data();
    void timeFormatKeptForTheMinuteWritesWhatTheLocaleWould();

    void ticksArePhasedToTheWallClock();
    void handlerIsNeverReentered();
    void ticksDueDuringTheHandlerAreDropped();
    void disablingInsideTheHandlerStopsTicks();
    void reenablingInsideTheHandlerResumesAfterIt();
    void timersOnOnePulseTickTogetherInOrder();
    void yieldRunsQueuedEventsButNoTimers();
    void caretStopsBlinkingWhenIdleAndBlinksAgainOnInput();

    void waylandSessionsRunThroughXWayland_data();
    void waylandSessionsRunThroughXWayland();
};

void TestToolkit::presentMomentDropsFractions()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 999)));
    QCOMPARE(Toolkit::presentMoment(clock), QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    QCOMPARE(Toolkit::presentTimeOfDay(clock), QTime(23, 59, 59));
}

void TestToolkit::systemClockKeepsTheZonesOffset()
{
    // A zone far from UTC, in summer or winter: the offset kept must be the zone's.
    qputenv("TZ", "America/New_York");
    SystemClock clock;
    clock.preciseNow(); // the first reading finds the offset, the next one reuses it
    const QDateTime kept = clock.preciseNow();
    qunsetenv("TZ");
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    QCOMPARE(kept.offsetFromUtc(), QTimeZone("America/New_York").offsetFromUtc(utc));
    QVERIFY(qAbs(kept.msecsTo(utc)) < 1000);
}

void TestToolkit::timeTextHasNoZone_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en_US, 12-hour") << "en_US" << "1:05:09 PM";
    QTest::newRow("de_DE, 24-hour") << "de_DE" << "13:05:09";
    QTest::newRow("zh_CN, zone first") << "zh_CN" << "13:05:09";
    QTest::newRow("fa_IR, zone in brackets") << "fa_IR" << QLocale("fa_IR").toString(QTime(13, 5, 9), "H:mm:ss");
    QTest::newRow("C") << "C" << "13:05:09";
}

void TestToolkit::timeFormatKeptForTheMinuteWritesWhatTheLocaleWould_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("en_US") << "en_US" << Toolkit::longTimeFormat(QLocale("en_US"));
    QTest::newRow("ar_EG, digits of its own") << "ar_EG" << Toolkit::longTimeFormat(QLocale("ar_EG"));
    QTest::newRow("fa_IR") << "fa_IR" << Toolkit::longTimeFormat(QLocale("fa_IR"));
    QTest::newRow("quoted text beside the seconds") << "de_DE" << "HH:mm:ss' Uhr'";
    QTest::newRow("unpadded seconds, quoted s") << "C" << "h 'h' m 'min' s 's'";
    QTest::newRow("seconds twice") << "C" << "ss HH:mm:ss";
    QTest::newRow("milliseconds") << "C" << "HH:mm:ss.zzz";
    QTest::newRow("no seconds") << "C" << "HH:mm";
}

void TestToolkit::timeFormatKeptForTheMinuteWritesWhatTheLocaleWould()
{
    QFETCH(QString, locale);
    QFETCH(QString, format);
    const QLocale l(locale);
    TimeOfDayFormat kept(l, format);
    // Second after second over minute, noon and midnight turns, and a jump back.
    QList<QTime> times;
    for (const QTime start : { QTime(11, 58, 57), QTime(23, 59, 58), QTime(0, 59, 59) })
        for (int second = 0; second < 70; ++second)
            times.append(start.addSecs(second));
    times.append(QTime(11, 58, 57, 250));
    for (const QTime time : std::as_const(times))
        QCOMPARE(kept.text(time), l.toString(time, format));
}

void TestToolkit::timeTextHasNoZone()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    const QLocale l(locale);
    QVERIFY(!Toolkit::longTimeFormat(l).contains(u't'));
    QVERIFY(Toolkit::longTimeFormat(l).contains(u's')); // seconds are shown
    QCOMPARE(Toolkit::timeOfDayText(QTime(13, 5, 9), l), expected);
}

void TestToolkit::ticksArePhasedToTheWallClock()
{
    // Enabled mid-second, a plain 1000 ms timer would tick mid-second too.
    SystemClock clock;
    while (QTime::currentTime().msec() < 450 || QTime::currentTime().msec() > 550)
        QTest::qWait(5);
    TickPulse pulse(clock);
    TickTimer timer(pulse);
    QList<int> phases;
    connect(&timer, &TickTimer::timeout, [&] { phases.append(QTime::currentTime().msec()); });
    timer.setEnabled(true);
    QTRY_COMPARE_WITH_TIMEOUT(phases.size(), 3, 5000);
    for (int phase : phases) {
        QVERIFY2(phase >= core::TickPhaseMs && phase < 150, qPrintable(QString::number(phase)));
    }
}

void TestToolkit::handlerIsNeverReentered()
{
    // The fake clock stands at a whole second, so the timer is due every few ms.
    FakeClock clock;
    TickPulse pulse(clock);
    TickTimer timer(pulse);
    int depth = 0, deepest = 0, calls = 0;
    connect(&timer, &TickTimer::timeout, [&] {
        ++calls;
        deepest = std::max(deepest, ++depth);
        if (calls == 1) {
            QEventLoop nested; // as a modal box would run
            QTimer::singleShot(200, &nested, &QEventLoop::quit);
            nested.exec();
        }
        --depth;
    });
    timer.setEnabled(true);
    QTRY_VERIFY(calls >= 3);
    QCOMPARE(deepest, 1);
}

void TestToolkit::ticksDueDuringTheHandlerAreDropped()
{
    FakeClock clock;
    TickPulse pulse(clock);
    TickTimer timer(pulse);
    QList<qint64> starts;
    QElapsedTimer elapsed;
    elapsed.start();
    connect(&timer, &TickTimer::timeout, [&] {
        starts.append(elapsed.elapsed());
        if (starts.size() == 1)
            QTest::qWait(200); // about forty ticks are due meanwhile
    });
    timer.setEnabled(true);
    QTRY_VERIFY(starts.size() >= 4);
    timer.setEnabled(false);
    // No burst of queued ticks: after the long call, ticks come at their usual pace.
    QVERIFY(starts.at(1) - starts.at(0) >= 200);
    for (qsizetype i = 2; i < starts.size(); ++i)
        QVERIFY2(starts.at(i) - starts.at(i - 1) >= core::TickPhaseMs - 1, qPrintable(QString::number(i)));
}

void TestToolkit::disablingInsideTheHandlerStopsTicks()
{
    FakeClock clock;
    TickPulse pulse(clock);
    TickTimer timer(pulse);
    int calls = 0;
    connect(&timer, &TickTimer::timeout, [&] {
        ++calls;
        timer.setEnabled(false);
    });
    timer.setEnabled(true);
    QTRY_COMPARE(calls, 1);
    QTest::qWait(50);
    QCOMPARE(calls, 1);
    QVERIFY(!timer.isEnabled());
}

void TestToolkit::reenablingInsideTheHandlerResumesAfterIt()
{
    FakeClock clock;
    TickPulse pulse(clock);
    TickTimer timer(pulse);
    int calls = 0;
    connect(&timer, &TickTimer::timeout, [&] {
        ++calls;
        timer.setEnabled(false);
        timer.setEnabled(true);
    });
    timer.setEnabled(true);
    QTRY_VERIFY(calls >= 3);
}

void TestToolkit::yieldRunsQueuedEventsButNoTimers()
{
    bool queuedRan = false, timerRan = false;
    QMetaObject::invokeMethod(this, [&] { queuedRan = true; }, Qt::QueuedConnection);
    QTimer::singleShot(1, this, [&] { timerRan = true; }); // a 0 ms one would be a posted event
    QTest::qSleep(5);
    Toolkit::yieldToEvents();
    QVERIFY(queuedRan);
    QVERIFY(!timerRan);
    QTRY_VERIFY(timerRan);
}

void TestToolkit::caretStopsBlinkingWhenIdleAndBlinksAgainOnInput()
{
    QStyleHints *hints = QGuiApplication::styleHints();
    hints->setCursorFlashTime(1000);
    QLineEdit edit;
    edit.show();
    {
        CaretBlinkLimit limit(100);
        QCOMPARE(hints->cursorFlashTime(), 1000);
        QTRY_COMPARE(hints->cursorFlashTime(), 0);
        QTest::keyClick(&edit, Qt::Key_A);
        QCOMPARE(hints->cursorFlashTime(), 1000);
        QTRY_COMPARE(hints->cursorFlashTime(), 0);
    }
    QCOMPARE(hints->cursorFlashTime(), 1000); // the desktop's own setting comes back
}

void TestToolkit::timersOnOnePulseTickTogetherInOrder()
{
    // The fake clock stands at a whole second: a tick is due every few ms.
    FakeClock clock;
    TickPulse pulse(clock);
    TickTimer first(pulse), second(pulse);
    QList<QPair<QString, quint64>> ticks;
    int firstWhileSecondWaits = 0;
    bool secondWaits = false;
    connect(&first, &TickTimer::timeout, [&] {
        ticks.append({ "first", pulse.ticks() });
        firstWhileSecondWaits += secondWaits;
    });
    connect(&second, &TickTimer::timeout, [&] {
        ticks.append({ "second", pulse.ticks() });
        if (ticks.size() == 2) { // a modal box in the second's handler
            secondWaits = true;
            QEventLoop nested;
            QTimer::singleShot(100, &nested, &QEventLoop::quit);
            nested.exec();
            secondWaits = false;
        }
    });
    second.setEnabled(true);
    first.setEnabled(true);
    QTRY_VERIFY(ticks.size() >= 8 && ticks.constLast().first == "second");
    first.setEnabled(false);
    second.setEnabled(false);
    // Both get the same tick, in the order they were made.
    QCOMPARE(ticks.at(0).first, "first");
    QCOMPARE(ticks.at(1), qMakePair(QString("second"), ticks.at(0).second));
    QVERIFY2(firstWhileSecondWaits >= 3, "the first keeps ticking while the second's handler waits");
    for (const auto &[who, tick] : ticks) {
        if (who == "second")
            QVERIFY(tick == ticks.at(1).second || tick > ticks.at(1).second + 3); // nothing left over
    }
}

QTEST_MAIN(TestToolkit)
void TestToolkit::waylandSessionsRunThroughXWayland_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("x11Display");
    QTest::addColumn<bool>("platformArgument");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("wayland with xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland")
                                           << QByteArray(":0") << false << QByteArray("xcb;wayland");
    QTest::newRow("session type only") << QByteArray() << QByteArray() << QByteArray("wayland") << QByteArray(":1")
                                       << false << QByteArray("xcb;wayland");
    QTest::newRow("no xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray()
                                 << false << QByteArray();
    QTest::newRow("user's variable") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
                                     << QByteArray(":0") << false << QByteArray();
    QTest::newRow("user's argument") << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland")
                                     << QByteArray(":0") << true << QByteArray();
    QTest::newRow("x11 session") << QByteArray() << QByteArray() << QByteArray("x11") << QByteArray(":0") << false
                                 << QByteArray();
}

void TestToolkit::waylandSessionsRunThroughXWayland()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, x11Display);
    QFETCH(bool, platformArgument);
    QFETCH(QByteArray, expected);
    QCOMPARE(PlatformChoice::platformFor({ chosen, waylandDisplay, sessionType, x11Display, platformArgument }),
             expected);
}

#include "tst_toolkit.moc"
