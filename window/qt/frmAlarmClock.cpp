// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAlarmClock.h"

#include "ProgramIcon.h"
#include "TickTimer.h"
#include "TimeLabel.h"
#include "Toolkit.h"

#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

const QString frmAlarmClock::Title = QString::fromLatin1(core::AlarmLogic::Title);

namespace {

// Where each control sits, in twips (1/1440 inch), as the window was designed.
struct Placement
{
    QWidget *control;
    QRect twips;
};

// The room a control needs so that none of its text is cut off.
QSize neededSize(QWidget *control)
{
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        const QStyle *style = button->style();
        const int padding = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                                 + style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
        const QString text = QString(button->text()).remove(u'&');
        return { button->fontMetrics().horizontalAdvance(text) + padding, button->sizeHint().height() };
    }
    return control->sizeHint();
}

QRect toPixels(const QRect &twips, double scale)
{
    const auto px = [scale](int t) { return int(std::lround(t * scale / frmAlarmClock::TwipsPerPixel)); };
    return { px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()) };
}

template<typename Label = QLabel>
Label *whiteLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new Label(parent);
    label->setText(text);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    // Keep the text readable on white when the desktop's theme is dark.
    if (palette.color(QPalette::WindowText).lightness() > 160)
        palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmAlarmClock::frmAlarmClock(AlarmClockServices services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmAlarmClock"));
    setWindowTitle(Title);
    setWindowIcon(programIcon());
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    createControls(client);
    placeControls();

    m_alarm = std::make_unique<AlarmController>(AlarmControls{ *dtpAlarmTime, *cmdSet, *cmdCancel, *tmrAlarmTimer },
                                                m_services.clock, m_services.sound, m_services.messageBox,
                                                m_services.yield, m_services.sleep);
    m_tray = std::make_unique<TrayController>(*this, *mPopupSys, [this] { return m_sysTray.isShown(); });

    connect(tmrCurrentTimer, &TickTimer::timeout, this, &frmAlarmClock::tmrCurrentTimer_Timer);
    connect(tmrAlarmTimer, &TickTimer::timeout, this, &frmAlarmClock::tmrAlarmTimer_Timer);
    connect(cmdSet, &QPushButton::clicked, this, &frmAlarmClock::cmdSet_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAlarmClock::cmdCancel_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmAlarmClock::cmdExit_Click);
    connect(mPopRestore, &QAction::triggered, this, &frmAlarmClock::mPopRestore_Click);
    connect(mPopExit, &QAction::triggered, this, &frmAlarmClock::mPopExit_Click);
    connect(&m_sysTray, &modSysTray::activated, this, &frmAlarmClock::sysTray_Activated);

    tmrCurrentTimer->setEnabled(true);
}

frmAlarmClock::~frmAlarmClock() = default;

void frmAlarmClock::createControls(QWidget *client)
{
    Label2 = whiteLabel(QStringLiteral("Label2"), QStringLiteral("Current time"), client);
    lblCurrentTime = whiteLabel<TimeLabel>(QStringLiteral("lblCurrentTime"), QString(), client);
    Label1 = whiteLabel(QStringLiteral("Label1"), QStringLiteral("Time when alarm should go off"), client);

    dtpAlarmTime = new QDateTimeEdit(client);
    dtpAlarmTime->setObjectName(QStringLiteral("dtpAlarmTime"));
    // Only the time of day is shown and edited; the date is held whole, so the
    // range must allow any date (a time-only format would pin it to one day).
    // It holds a clock reading, free of time zones: every time can be typed,
    // also on the day a daylight-saving change skips an hour.
    dtpAlarmTime->setTimeSpec(Qt::UTC);
    dtpAlarmTime->setDisplayFormat(Toolkit::longTimeFormat());
    dtpAlarmTime->setDateTimeRange(QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC),
                                   QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    dtpAlarmTime->setAccessibleName(Label1->text());
    Label1->setBuddy(dtpAlarmTime);

    cmdSet = button(QStringLiteral("cmdSet"), QStringLiteral("&Set"), client);
    cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), client);
    cmdExit = button(QStringLiteral("cmdExit"), QStringLiteral("E&xit"), client);
    setTabOrder(dtpAlarmTime, cmdSet);
    setTabOrder(cmdSet, cmdCancel);
    setTabOrder(cmdCancel, cmdExit);

    // Both timers tick at the same moment: one wake-up serves them, the time
    // of day first, then the alarm's check.
    auto *ticks = new TickPulse(m_services.clock, this);
    tmrCurrentTimer = new TickTimer(*ticks, this);
    tmrCurrentTimer->setObjectName(QStringLiteral("tmrCurrentTimer"));
    tmrAlarmTimer = new TickTimer(*ticks, this);
    tmrAlarmTimer->setObjectName(QStringLiteral("tmrAlarmTimer"));

    mPopupSys = new QMenu(QStringLiteral("&Systray"), this);
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    mPopRestore = mPopupSys->addAction(QStringLiteral("&Restore"));
    mPopRestore->setObjectName(QStringLiteral("mPopRestore"));
    mPopExit = mPopupSys->addAction(QStringLiteral("&Exit"));
    mPopExit->setObjectName(QStringLiteral("mPopExit"));
}

void frmAlarmClock::placeControls()
{
    showTimeOfDay(Toolkit::presentTimeOfDay(m_services.clock)); // measure the time label with a real time in it
    const Placement placements[] = {
        { Label2, { 120, 120, 975, 255 } },       { lblCurrentTime, { 2520, 120, 1575, 255 } },
        { Label1, { 120, 600, 2295, 255 } },      { dtpAlarmTime, { 2520, 540, 1575, 375 } },
        { cmdSet, { 960, 1080, 975, 375 } },      { cmdCancel, { 2040, 1080, 975, 375 } },
        { cmdExit, { 3120, 1080, 975, 375 } },
    };

    // The design was made for a small font: where the default font needs more
    // room, the whole layout grows by the least factor that lets every text fit.
    m_scale = 1.0;
    for (const Placement &p : placements) {
        const QSize design = toPixels(p.twips, 1.0).size();
        const QSize needed = neededSize(p.control);
        m_scale = std::max({ m_scale, double(needed.width()) / design.width(),
                             double(needed.height()) / design.height() });
    }
    m_scale = std::ceil(m_scale * 100) / 100;

    for (const Placement &p : placements)
        p.control->setGeometry(toPixels(p.twips, m_scale));
    lblCurrentTime->fixSize(); // its new text each second then needs no new layout
    setFixedSize(toPixels({ 0, 0, 4215, 1605 }, m_scale).size());
}

void frmAlarmClock::showTimeOfDay(QTime time)
{
    lblCurrentTime->showTime(time);
}

void frmAlarmClock::Form_Load()
{
    tmrAlarmTimer->setEnabled(false);
    const QDateTime now = Toolkit::presentMoment(m_services.clock);
    dtpAlarmTime->setDateTime(Toolkit::clockReading(now));
    showTimeOfDay(now.time());
    cmdCancel->setEnabled(false);
    dtpAlarmTime->setFocus();
    show();
    repaint();
    m_sysTray.add(windowIcon(), Title, mPopupSys);
}

void frmAlarmClock::tmrCurrentTimer_Timer()
{
    // The time the tick was timed by: one reading of the clock a tick.
    showTimeOfDay(Toolkit::toWholeSecond(tmrCurrentTimer->reading()).time());
    m_services.yield();
}

void frmAlarmClock::tmrAlarmTimer_Timer()
{
    m_alarm->check();
}

void frmAlarmClock::cmdSet_Click()
{
    m_alarm->set();
}

void frmAlarmClock::cmdCancel_Click()
{
    m_alarm->cancel();
}

void frmAlarmClock::cmdExit_Click()
{
    m_alarm->stopChecking();
    m_services.end();
}

void frmAlarmClock::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmAlarmClock::Form_Resize()
{
    m_tray->windowStateChanged();
}

void frmAlarmClock::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    emit unloaded();
}

void frmAlarmClock::Form_Unload()
{
    m_sysTray.remove();
}

void frmAlarmClock::sysTray_Activated(QSystemTrayIcon::ActivationReason reason)
{
    m_tray->iconActivated(reason);
}

void frmAlarmClock::mPopRestore_Click()
{
    m_tray->restore();
}

void frmAlarmClock::mPopExit_Click()
{
    cmdExit_Click();
}
