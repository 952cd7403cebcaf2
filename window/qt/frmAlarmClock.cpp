// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAlarmClock.h"

#include "LabelColours.h"
#include "LayoutFit.h"
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

#include <utility>
#include <vector>

namespace {

// Qt lays out in pixels of a 96 dots-per-inch screen and scales them itself.
constexpr int LogicalDpi = 96;

QString text(const core::ControlDesign &design)
{
    return QString::fromUtf8(design.text);
}

// What a control's text needs in its font and style, as the layout rule takes it.
core::PixelSize neededSize(QWidget *control, const core::ControlDesign &design)
{
    if (design.kind != core::ControlKind::Button) {
        const QSize hint = control->sizeHint();
        return core::neededRoom(design, { hint.width(), hint.height() }, 0);
    }
    const QStyle *style = control->style();
    const int edge = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control)
        + style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    const QString plain = QString::fromUtf8(core::withoutAccessKey(design.text));
    return core::neededRoom(design, { control->fontMetrics().horizontalAdvance(plain), control->sizeHint().height() },
                            edge);
}

QRect toPixels(const core::Twips &twips, double scale)
{
    const auto px = [scale](int t) { return core::toPixels(t, LogicalDpi, scale); };
    return { px(twips.left), px(twips.top), px(twips.width), px(twips.height) };
}

template<typename Label = QLabel>
Label *whiteLabel(const core::ControlDesign &design, QWidget *parent)
{
    auto *label = new Label(parent);
    label->setText(text(design));
    label->setObjectName(QString::fromLatin1(design.name));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    const QColor text = palette.color(QPalette::WindowText);
    const core::LabelColours colours = core::labelColours(false, text.red(), text.green(), text.blue());
    if (!colours.systemBackground)
        palette.setColor(QPalette::Window, Qt::white);
    if (!colours.systemText)
        palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

QPushButton *button(const core::ControlDesign &design, QWidget *parent)
{
    auto *b = new QPushButton(text(design), parent);
    b->setObjectName(QString::fromLatin1(design.name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmAlarmClock::frmAlarmClock(AlarmClockServices services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services)),
      m_sysTray(this)
{
    setObjectName(QStringLiteral("frmAlarmClock"));
    setWindowTitle(QString::fromUtf8(core::design::Title));
    setWindowIcon(programIcon());
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    createControls(client);
    placeControls();

    m_alarmControls = std::make_unique<WidgetAlarmControls>(*dtpAlarmTime, *cmdSet, *cmdCancel, *tmrAlarmTimer);
    m_alarm = std::make_unique<core::AlarmLogic>(
        *m_alarmControls,
        core::AlarmServices { m_services.clock, m_services.sound, m_services.messageBox, m_services.yield,
                              Toolkit::timeText, m_services.sleep, m_services.wake, m_services.zone, m_services.volume,
                              m_services.ringHold });
    m_tray = std::make_unique<TrayController>(*this, *mPopupSys, [this] { return m_sysTray.isShown(); });
    m_form = std::make_unique<core::WindowLogic>(static_cast<core::WindowShell &>(*this), *m_tray, *m_alarmControls,
                                                 *m_alarm, m_services.clock, m_services.yield);

    connect(tmrCurrentTimer, &TickTimer::timeout, this, [this] {
        // The time the tick was timed by: one reading of the clock a tick.
        m_form->tmrCurrentTimer_Timer(QtClockReading::fromQt(tmrCurrentTimer->reading()));
    });
    connect(tmrAlarmTimer, &TickTimer::timeout, this, [this] { m_form->tmrAlarmTimer_Timer(); });
    connect(cmdSet, &QPushButton::clicked, this, [this] { m_form->cmdSet_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { m_form->cmdCancel_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { m_form->cmdExit_Click(); });
    connect(mPopRestore, &QAction::triggered, this, [this] { m_form->mPopRestore_Click(); });
    connect(mPopExit, &QAction::triggered, this, [this] { m_form->mPopExit_Click(); });
    connect(&m_sysTray, &modSysTray::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        m_form->Form_MouseMove(TrayController::mouseMessage(reason));
    });

    tmrCurrentTimer->setEnabled(true);
}

frmAlarmClock::~frmAlarmClock() = default;

void frmAlarmClock::createControls(QWidget *client)
{
    Label2 = whiteLabel(core::design::Label2, client);
    lblCurrentTime = whiteLabel<TimeLabel>(core::design::lblCurrentTime, client);
    Label1 = whiteLabel(core::design::Label1, client);

    dtpAlarmTime = new QDateTimeEdit(client);
    dtpAlarmTime->setObjectName(QString::fromLatin1(core::design::dtpAlarmTime.name));
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

    cmdSet = button(core::design::cmdSet, client);
    cmdCancel = button(core::design::cmdCancel, client);
    cmdExit = button(core::design::cmdExit, client);
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

    mPopupSys = new QMenu(QString::fromUtf8(core::design::mPopupSys), this);
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    mPopRestore = mPopupSys->addAction(QString::fromUtf8(core::design::mPopRestore));
    mPopRestore->setObjectName(QStringLiteral("mPopRestore"));
    mPopExit = mPopupSys->addAction(QString::fromUtf8(core::design::mPopExit));
    mPopExit->setObjectName(QStringLiteral("mPopExit"));
}

void frmAlarmClock::placeControls()
{
    showTimeOfDay(core::timeOfDay(m_services.clock.now())); // measure the time label with a real time in it
    const auto control
        = [this](const core::ControlDesign *design) { return findChild<QWidget *>(QString::fromLatin1(design->name)); };
    std::vector<core::MeasuredControl> measured;
    for (const core::ControlDesign *design : core::design::Controls)
        measured.push_back({ *design, neededSize(control(design), *design) });
    const double scale = core::fitScale(measured, LogicalDpi);

    for (const core::ControlDesign *design : core::design::Controls)
        control(design)->setGeometry(toPixels(design->twips, scale));
    lblCurrentTime->fixSize(); // its new text each second then needs no new layout
    setFixedSize(toPixels(core::design::Client, scale).size());
}

void frmAlarmClock::showTimeOfDay(core::TimeOfDay time)
{
    lblCurrentTime->showTime(QtClockReading::toQtTime(time));
}

void frmAlarmClock::showAndRepaint()
{
    show();
    repaint();
}

void frmAlarmClock::addTrayIcon()
{
    m_sysTray.add(windowIcon(), QString::fromUtf8(core::design::TrayTip), mPopupSys);
}

void frmAlarmClock::removeTrayIcon()
{
    m_sysTray.remove();
}

void frmAlarmClock::endProgram()
{
    m_services.end();
}

void frmAlarmClock::Form_Load()
{
    m_form->Form_Load();
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
    m_form->Form_Unload();
}
