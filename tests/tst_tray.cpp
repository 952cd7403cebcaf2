// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivationOnExpose.h"
#include "TrayClick.h"
#include "TrayController.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

namespace {

// A window and its tray menu, with a notification area the test turns on and off.
struct Rig
{
    QWidget window;
    QMenu menu;
    bool trayShown = true;
    TrayController tray{ window, menu, [this] { return trayShown; } };

    Rig()
    {
        menu.addAction("&Restore");
        menu.addAction("&Exit");
        window.resize(200, 80);
        window.show();
    }

    void minimize()
    {
        window.setWindowState(Qt::WindowMinimized);
        tray.windowStateChanged();
    }

    void activated(QSystemTrayIcon::ActivationReason reason)
    {
        core::dispatchTrayEvent(TrayController::mouseMessage(reason), tray);
    }

    bool restored() const { return window.isVisible() && !window.isMinimized(); }
};

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void minimizingHidesTheWindow();
    void withoutATrayMinimizingOnlyMinimizes();
    void otherStateChangesLeaveTheWindowAlone();
    void clickAndDoubleClickRestore_data();
    void clickAndDoubleClickRestore();
    void doubleClickGivesOneRestoredWindow();
    void rightClickOpensTheMenuAndLeavesAHiddenWindowHidden();
    void rightClickOnAVisibleWindowKeepsItAsItWas();
    void otherReasonsDoNothing();
    void activationWaitsForTheWindowOnTheScreen();
};

void TestTray::minimizingHidesTheWindow()
{
    Rig rig;
    rig.minimize();
    QVERIFY(!rig.window.isVisible());
}

void TestTray::withoutATrayMinimizingOnlyMinimizes()
{
    Rig rig;
    rig.trayShown = false;
    rig.minimize();
    QVERIFY(rig.window.isVisible());
    QVERIFY(rig.window.isMinimized());

    // Once a notification area appears, hiding works again.
    rig.window.setWindowState(Qt::WindowNoState);
    rig.trayShown = true;
    rig.minimize();
    QVERIFY(!rig.window.isVisible());
}

void TestTray::otherStateChangesLeaveTheWindowAlone()
{
    Rig rig;
    rig.window.setWindowState(Qt::WindowMaximized);
    rig.tray.windowStateChanged();
    QVERIFY(rig.window.isVisible());
    rig.window.setWindowState(Qt::WindowNoState);
    rig.tray.windowStateChanged();
    QVERIFY(rig.window.isVisible());
}

void TestTray::clickAndDoubleClickRestore_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::newRow("click") << QSystemTrayIcon::Trigger;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick;
}

void TestTray::clickAndDoubleClickRestore()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    Rig rig;
    rig.minimize();
    rig.activated(reason);
    QVERIFY(rig.restored());
    QVERIFY(!rig.menu.isVisible());
    QTRY_VERIFY(rig.window.isActiveWindow());
}

void TestTray::doubleClickGivesOneRestoredWindow()
{
    Rig rig;
    rig.minimize();
    rig.activated(QSystemTrayIcon::Trigger);
    rig.activated(QSystemTrayIcon::DoubleClick);
    rig.activated(QSystemTrayIcon::Trigger);
    QVERIFY(rig.restored());
    const auto windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }), 1);
}

void TestTray::rightClickOpensTheMenuAndLeavesAHiddenWindowHidden()
{
    Rig rig;
    rig.minimize();
    QCursor::setPos(300, 200);
    rig.activated(QSystemTrayIcon::Context);
    QTRY_VERIFY(rig.menu.isVisible());
    QCOMPARE(rig.menu.pos(), QCursor::pos());
    QVERIFY(!rig.window.isVisible());
    rig.menu.close();
}

void TestTray::rightClickOnAVisibleWindowKeepsItAsItWas()
{
    Rig rig;
    const QRect before = rig.window.geometry();
    rig.activated(QSystemTrayIcon::Context);
    QTRY_VERIFY(rig.menu.isVisible());
    QVERIFY(rig.restored());
    QCOMPARE(rig.window.geometry(), before);
    rig.menu.close();
}

void TestTray::otherReasonsDoNothing()
{
    Rig rig;
    rig.minimize();
    rig.activated(QSystemTrayIcon::MiddleClick);
    rig.activated(QSystemTrayIcon::Unknown);
    QVERIFY(!rig.window.isVisible());
    QVERIFY(!rig.menu.isVisible());
}

void TestTray::activationWaitsForTheWindowOnTheScreen()
{
    QWindow window;
    int activations = 0;
    ActivationOnExpose::request(window, [&] { ++activations; });
    ActivationOnExpose::request(window, [&] { ++activations; });
    QCOMPARE(activations, 0);
    window.show();
    QTRY_VERIFY(window.isExposed());
    QCOMPARE(activations, 1); // a second request while waiting was the same one
    ActivationOnExpose::request(window, [&] { ++activations; });
    QCOMPARE(activations, 2); // on the screen already: at once
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
