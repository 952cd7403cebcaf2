// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeClock.h"
#include "FakeMessageBox.h"
#include "FakeSound.h"
#include "TickTimer.h"
#include "Toolkit.h"
#include "frmAlarmClock.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

struct Control
{
    const char *name;
    const char *caption;
    QRect twips;
};

const Control Controls[] = {
    { "Label2", "Current time", { 120, 120, 975, 255 } },
    { "lblCurrentTime", nullptr, { 2520, 120, 1575, 255 } },
    { "Label1", "Time when alarm should go off", { 120, 600, 2295, 255 } },
    { "dtpAlarmTime", nullptr, { 2520, 540, 1575, 375 } },
    { "cmdSet", "&Set", { 960, 1080, 975, 375 } },
    { "cmdCancel", "Cancel", { 2040, 1080, 975, 375 } },
    { "cmdExit", "E&xit", { 3120, 1080, 975, 375 } },
};

// The window as the program starts it, with a clock, sound and box of the test's.
struct Started
{
    FakeClock clock{ QDateTime(QDate(2026, 12, 7), QTime(6, 12, 45)) };
    FakeSound sound;
    FakeMessageBox box;
    int ends = 0;
    frmAlarmClock window{ { clock, sound, box, [this] { ++ends; }, [] {} } };

    Started() { window.Form_Load(); }

    template<typename T = QWidget> T *get(const char *name) { return window.findChild<T *>(name); }
    QString state()
    {
        const bool armed = get<TickTimer>("tmrAlarmTimer")->isEnabled();
        return armed ? "Armed" : "Disarmed";
    }
    QSystemTrayIcon *icon() { return window.findChild<QSystemTrayIcon *>("sysTray"); }
    // How much the layout grew: the designed client area is 281 pixels wide at 96 dpi.
    double scale() const { return std::round(window.width() * 100.0 / 281) / 100; }
};

int px(int twips, double scale)
{
    constexpr int TwipsPerPixel = 15; // at 96 dots per inch
    return int(std::lround(twips * scale / TwipsPerPixel));
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QApplication::setApplicationDisplayName("Alarm Clock"); }

    void controlsAreLaidOutAsDesigned();
    void everyTextFits();
    void windowHasAFixedBorderAndItsTitle();
    void startUpFillsTheTimeAndDisarms();
    void tabOrderAndFocus();
    void labelFollowsTheClock();
    void timeLabelRedrawsOnlyWhatChanged();
    void timeLabelShowsWhatALabelWould_data() { timeLabelFollowsTheLocale_data(); }
    void timeLabelShowsWhatALabelWould();
    void timeLabelFollowsTheLocale_data();
    void timeLabelFollowsTheLocale();
    void pickerKeepsTheDateWhileTheTimeIsEdited();
    void accessKeysWorkButEnterAndEscapeDoNothing();
    void exitEndsAndStopsTheAlarmCheck();
    void closingTheWindowUnloadsIt();
    void controlsAreNamedForAccessibility();
    void trayMenuHasRestoreThenExit();
};

void TestWindow::controlsAreLaidOutAsDesigned()
{
    Started s;
    const double scale = s.scale();
    QVERIFY(scale >= 1.0 && scale < 3.0);
    for (const Control &c : Controls) {
        QWidget *w = s.get(c.name);
        QVERIFY2(w, c.name);
        const QRect expected(px(c.twips.x(), scale), px(c.twips.y(), scale), px(c.twips.width(), scale),
                             px(c.twips.height(), scale));
        QCOMPARE(w->geometry(), expected);
        if (c.caption) {
            const QString text = qobject_cast<QLabel *>(w) ? qobject_cast<QLabel *>(w)->text()
                                                           : qobject_cast<QPushButton *>(w)->text();
            QCOMPARE(text, QString(c.caption));
        }
    }
    QCOMPARE(s.window.size(), QSize(px(4215, scale), px(1605, scale)));
    for (const char *name : { "Label2", "lblCurrentTime", "Label1" }) {
        QLabel *label = s.get<QLabel>(name);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

void TestWindow::everyTextFits()
{
    Started s;
    for (const char *name : { "Label2", "lblCurrentTime", "Label1" }) {
        QLabel *label = s.get<QLabel>(name);
        QVERIFY2(label->sizeHint().width() <= label->width(), name);
        QVERIFY2(label->sizeHint().height() <= label->height(), name);
    }
    for (const char *name : { "cmdSet", "cmdCancel", "cmdExit" }) {
        QPushButton *button = s.get<QPushButton>(name);
        const int textWidth = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
        QVERIFY2(textWidth + 8 <= button->width(), name);
        QVERIFY2(button->fontMetrics().height() + 4 <= button->height(), name);
    }
    QDateTimeEdit *picker = s.get<QDateTimeEdit>("dtpAlarmTime");
    picker->setTime(QTime(22, 58, 58)); // a wide time
    QVERIFY(picker->sizeHint().width() <= picker->width());
    // Grown no more than needed: the longest text nearly fills its room.
    QLabel *longest = s.get<QLabel>("Label1");
    QVERIFY(s.scale() == 1.0 || longest->sizeHint().width() > 0.9 * longest->width());
}

void TestWindow::windowHasAFixedBorderAndItsTitle()
{
    Started s;
    QCOMPARE(s.window.windowTitle(), "Alarm Clock");
    QCOMPARE(s.window.objectName(), "frmAlarmClock");
    QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
    const Qt::WindowFlags flags = s.window.windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(s.window.isVisible());
}

void TestWindow::startUpFillsTheTimeAndDisarms()
{
    Started s;
    QCOMPARE(s.get<QLabel>("lblCurrentTime")->text(), Toolkit::timeOfDayText(QTime(6, 12, 45)));
    QCOMPARE(s.get<QDateTimeEdit>("dtpAlarmTime")->date(), QDate(2026, 12, 7));
    QCOMPARE(s.get<QDateTimeEdit>("dtpAlarmTime")->time(), QTime(6, 12, 45));
    QVERIFY(s.get("dtpAlarmTime")->isEnabled());
    QVERIFY(s.get("cmdSet")->isEnabled());
    QVERIFY(!s.get("cmdCancel")->isEnabled());
    QVERIFY(s.get("cmdExit")->isEnabled());
    QVERIFY(s.get<TickTimer>("tmrCurrentTimer")->isEnabled());
    QCOMPARE(s.state(), "Disarmed");
    QVERIFY(s.icon()->isVisible());
    QCOMPARE(s.icon()->toolTip(), "Alarm Clock");
}

void TestWindow::tabOrderAndFocus()
{
    Started s;
    QCOMPARE(s.window.focusWidget(), s.get("dtpAlarmTime"));
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    s.get("cmdCancel")->setEnabled(true);
    // Tab moves between the picker's fields first, then on to the buttons.
    QStringList order;
    for (QWidget *w = s.get("dtpAlarmTime"); order.size() < 5; w = w->nextInFocusChain()) {
        if (w->parentWidget() == s.window.centralWidget() && (w->focusPolicy() & Qt::TabFocus))
            order << w->objectName();
    }
    QCOMPARE(order, QStringList({ "dtpAlarmTime", "cmdSet", "cmdCancel", "cmdExit", "dtpAlarmTime" }));
}

void TestWindow::labelFollowsTheClock()
{
    Started s;
    QLabel *label = s.get<QLabel>("lblCurrentTime");
    s.clock.set(QDateTime(QDate(2026, 12, 7), QTime(6, 12, 46, 3)));
    QTRY_COMPARE(label->text(), Toolkit::timeOfDayText(QTime(6, 12, 46)));
    s.clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)));
    QTRY_COMPARE(label->text(), Toolkit::timeOfDayText(QTime(0, 0, 0)));
}

// What a widget is asked to repaint, and how often its parent is asked for a new layout.
class PaintWatch : public QObject
{
public:
    QRegion painted;
    int layoutRequests = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        else if (event->type() == QEvent::LayoutRequest)
            ++layoutRequests;
        return false;
    }
};

void TestWindow::timeLabelRedrawsOnlyWhatChanged()
{
    Started s;
    QLabel *label = s.get<QLabel>("lblCurrentTime");
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QCoreApplication::sendPostedEvents(); // the first paint of the window
    PaintWatch watch;
    label->installEventFilter(&watch);
    label->parentWidget()->installEventFilter(&watch);
    s.clock.set(QDateTime(QDate(2026, 12, 7), QTime(6, 12, 46, 3)));
    QTRY_COMPARE(label->text(), Toolkit::timeOfDayText(QTime(6, 12, 46)));
    QTRY_VERIFY(!watch.painted.isEmpty());
    // One digit changed: a sliver of the label is drawn again, and nothing is laid out anew.
    QVERIFY2(watch.painted.boundingRect().width() < label->width() / 3,
             qPrintable(QString::number(watch.painted.boundingRect().width())));
    QCOMPARE(watch.layoutRequests, 0);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(label);
    QCOMPARE(accessible->role(), QAccessible::StaticText);
    QCOMPARE(accessible->text(QAccessible::Name), label->text());
}

// What the window shows of the label, second after second, is what a plain
// label with the same text draws.
void TestWindow::timeLabelShowsWhatALabelWould()
{
    Started s;
    if (s.window.devicePixelRatio() != 1)
        QSKIP("the offscreen platform's copy of a scaled window is not to scale");
    QFETCH(QString, locale);
    const QLocale l(locale);
    QLabel *label = s.get<QLabel>("lblCurrentTime");
    label->setLocale(l);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QCoreApplication::sendPostedEvents();
    QLabel plain(label->text());
    plain.setFont(label->font());
    plain.setPalette(label->palette());
    plain.setAutoFillBackground(true);
    plain.setAlignment(label->alignment());
    plain.setFixedSize(label->size());
    const QRect area(label->mapTo(&s.window, QPoint()), label->size());
    // The second change from :46 to :47 comes twice: the second time from the copy kept.
    for (const QTime time : { QTime(6, 12, 46), QTime(6, 12, 47), QTime(6, 12, 59), QTime(6, 13, 0),
                              QTime(6, 13, 46), QTime(6, 13, 47),
                              QTime(12, 59, 59), QTime(13, 0, 0), QTime(23, 59, 59), QTime(0, 0, 0) }) {
        s.clock.set(QDateTime(QDate(2026, 12, 7), time));
        QTRY_COMPARE(label->text(), Toolkit::timeOfDayText(time, l));
        QCoreApplication::sendPostedEvents();
        plain.setText(label->text());
        // The screen's copy of the window holds what each repaint left there.
        const QImage shown = s.window.screen()->grabWindow(s.window.winId(), area.x(), area.y(),
                                                           area.width(), area.height()).toImage();
        QCOMPARE(shown.size(), label->size());
        QCOMPARE(shown, plain.grab().toImage().convertToFormat(shown.format()));
    }
}

void TestWindow::timeLabelFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("12-hour") << "en_US";
    QTest::newRow("24-hour") << "de_DE";
    QTest::newRow("digits of its own, right to left") << "ar_EG";
}

void TestWindow::timeLabelFollowsTheLocale()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    Started s;
    QLabel *label = s.get<QLabel>("lblCurrentTime");
    label->setLocale(l);
    QCOMPARE(label->text(), Toolkit::timeOfDayText(QTime(6, 12, 45), l));
    s.clock.set(QDateTime(QDate(2026, 12, 7), QTime(18, 12, 46, 3)));
    QTRY_COMPARE(label->text(), Toolkit::timeOfDayText(QTime(18, 12, 46), l));
}

void TestWindow::pickerKeepsTheDateWhileTheTimeIsEdited()
{
    Started s;
    auto *picker = s.get<QDateTimeEdit>("dtpAlarmTime");
    QCOMPARE(picker->displayedSections() & QDateTimeEdit::DateSections_Mask, 0);
    QVERIFY(picker->displayedSections() & QDateTimeEdit::SecondSection);
    const QDateTime tomorrow(QDate(2026, 12, 8), QTime(7, 0, 0), Qt::UTC);
    picker->setDateTime(tomorrow);
    QCOMPARE(picker->dateTime(), tomorrow);
    // Stepping the hours past midnight wraps the time and keeps the date.
    picker->setCurrentSection(QDateTimeEdit::HourSection);
    picker->setWrapping(true);
    picker->setTime(QTime(23, 30, 0));
    picker->stepBy(1);
    QCOMPARE(picker->date(), QDate(2026, 12, 8));
    QCOMPARE(picker->time().minute(), 30);
}

void TestWindow::accessKeysWorkButEnterAndEscapeDoNothing()
{
    Started s;
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));

    for (const char *focus : { "dtpAlarmTime", "cmdSet" }) {
        s.get(focus)->setFocus();
        for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape })
            QTest::keyClick(QApplication::focusWidget(), key);
    }
    QTest::qWait(200); // as long as an access key's press takes
    QCOMPARE(s.state(), "Disarmed");
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.ends, 0);

    // An access key presses its button visibly, which takes a moment.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(s.state(), "Armed");
    QVERIFY(s.get("cmdCancel")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(s.ends, 1);
}

void TestWindow::exitEndsAndStopsTheAlarmCheck()
{
    Started s;
    s.get<QPushButton>("cmdSet")->click();
    QCOMPARE(s.state(), "Armed");
    s.get<QPushButton>("cmdExit")->click();
    QCOMPARE(s.ends, 1);
    QVERIFY(!s.get<TickTimer>("tmrAlarmTimer")->isEnabled());
    QVERIFY(s.box.shown.isEmpty());
}

void TestWindow::closingTheWindowUnloadsIt()
{
    Started s;
    QSignalSpy unloaded(&s.window, &frmAlarmClock::unloaded);
    QVERIFY(s.window.close());
    QCOMPARE(unloaded.size(), 1);
    QVERIFY(!s.icon()->isVisible());
    QCOMPARE(s.ends, 0);
}

void TestWindow::controlsAreNamedForAccessibility()
{
    Started s;
    const auto nameOf = [&](const char *control) {
        return QAccessible::queryAccessibleInterface(s.get(control))->text(QAccessible::Name);
    };
    QCOMPARE(nameOf("dtpAlarmTime"), "Time when alarm should go off");
    QCOMPARE(nameOf("cmdSet"), "Set");
    QCOMPARE(nameOf("cmdExit"), "Exit");
    QCOMPARE(nameOf("Label2"), "Current time");
}

void TestWindow::trayMenuHasRestoreThenExit()
{
    Started s;
    auto *menu = s.get<QMenu>("mPopupSys");
    QVERIFY(menu);
    QCOMPARE(menu->title(), "&Systray");
    QStringList items;
    for (QAction *action : menu->actions())
        items << action->objectName() + "=" + action->text();
    QCOMPARE(items, QStringList({ "mPopRestore=&Restore", "mPopExit=&Exit" }));
    menu->actions().at(1)->trigger();
    QCOMPARE(s.ends, 1);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
