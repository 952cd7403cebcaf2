// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WakeAlarm.h"

#include "WakeHelper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr int EndingWaitMs = 1000;

} // namespace

QString WakeAlarm::helperPath()
{
    const QString name = QString::fromLatin1(wakehelper::Name);
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        candidates << programFolder + u'/' + name
                   << QDir::cleanPath(programFolder + QStringLiteral("/" ALARM_CLOCK_HELPERDIR_FROM_BIN "/") + name);
    }
    candidates << QStringLiteral(ALARM_CLOCK_HELPERDIR "/") + name;
    for (const QString &candidate : std::as_const(candidates)) {
        const QFileInfo file(candidate);
        if (file.isFile() && file.isExecutable())
            return candidate;
    }
    return {};
}

WakeAlarm::WakeAlarm(QString helper, QObject *parent)
    : QObject(parent), m_helper(std::move(helper))
{
}

WakeAlarm::~WakeAlarm()
{
    end();
    // A helper still ending on the end of its input is let finish: destroying
    // its QProcess first would kill it, and say so.
    for (QProcess *helper : findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        helper->disconnect(this);
        if (!helper->waitForFinished(EndingWaitMs)) {
            helper->kill();
            helper->waitForFinished();
        }
    }
}

void WakeAlarm::arm(core::UtcSeconds due)
{
    if (m_helper.isEmpty() || m_refused)
        return;
    if (!m_holder)
        start();
    if (m_holder)
        m_holder->write(QByteArray::number(qint64(due.time_since_epoch().count())) + '\n');
}

void WakeAlarm::end()
{
    if (!m_holder)
        return;
    m_holder->closeWriteChannel();
    m_holder = nullptr;
}

void WakeAlarm::start()
{
    auto *helper = new QProcess(this);
    m_holder = helper;
    // It reads the real clock, as its timer does, and has nothing to say.
    helper->setProcessEnvironment(QProcessEnvironment());
    helper->setStandardOutputFile(QProcess::nullDevice());
    helper->setStandardErrorFile(QProcess::nullDevice());
    connect(helper, &QProcess::finished, this, [this, helper](int status, QProcess::ExitStatus how) {
        if (how == QProcess::NormalExit && status == wakehelper::NoCapability)
            m_refused = true;
        ended(helper);
    });
    connect(helper, &QProcess::errorOccurred, this, [this, helper](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(helper);
    });
    helper->start(m_helper, {}, QIODevice::WriteOnly);
}

void WakeAlarm::ended(QProcess *helper)
{
    if (m_holder == helper)
        m_holder = nullptr;
    helper->deleteLater();
}
