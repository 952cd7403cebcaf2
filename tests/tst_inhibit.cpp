// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeInhibitService.h"
#include "InhibitChain.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

namespace {

// A chain over three fake services, "a" tried first, then "b", then "c".
struct Chain
{
    QStringList log;
    FakeInhibitService *a, *b, *c;
    std::unique_ptr<InhibitChain> chain;

    Chain()
    {
        std::vector<std::unique_ptr<InhibitService>> services;
        for (const char *name : { "a", "b", "c" })
            services.push_back(std::make_unique<FakeInhibitService>(name, &log));
        a = static_cast<FakeInhibitService *>(services[0].get());
        b = static_cast<FakeInhibitService *>(services[1].get());
        c = static_cast<FakeInhibitService *>(services[2].get());
        chain = std::make_unique<InhibitChain>(std::move(services));
    }

    // Which service holds the computer up, as the services see it.
    QString holder() const
    {
        for (FakeInhibitService *s : { a, b, c })
            if (!s->held.isEmpty())
                return s->name();
        return "none";
    }
    bool waiting() const { return !a->pending.isEmpty() || !b->pending.isEmpty() || !c->pending.isEmpty(); }
};

} // namespace

class TestInhibit : public QObject
{
    Q_OBJECT

private slots:
    void holdsThroughTheFirstServiceThatAnswers_data();
    void holdsThroughTheFirstServiceThatAnswers();
    void cancelWhileTheAnswerIsOnItsWayLeavesNoHold();
    void setAgainBeforeTheAnswerKeepsOneHold();
    void setForAnotherTimeBeforeTheAnswerAsksAgain();
    void holdIsGivenBackWhenTheProgramEnds();
    void lateAnswerAfterTheEndIsIgnored();
};

void TestInhibit::holdsThroughTheFirstServiceThatAnswers_data()
{
    QTest::addColumn<int>("absent"); // how many services, from the first, are absent
    QTest::addColumn<QString>("holder");
    QTest::newRow("first answers") << 0 << "a";
    QTest::newRow("first absent") << 1 << "b";
    QTest::newRow("first two absent") << 2 << "c";
    QTest::newRow("none at all") << 3 << "none";
}

void TestInhibit::holdsThroughTheFirstServiceThatAnswers()
{
    QFETCH(int, absent);
    QFETCH(QString, holder);
    Chain t;
    t.chain->hold("Alarm set for 07:30:00");
    FakeInhibitService *services[] = { t.a, t.b, t.c };
    for (int i = 0; i < 3 && i <= absent; ++i) {
        QCOMPARE(t.log.size(), i + 1); // one request at a time, in order
        QVERIFY(t.waiting());
        services[i]->answer(i < absent ? std::nullopt : std::optional<QVariant>(7));
    }
    QCOMPARE(t.holder(), holder);
    QVERIFY(!t.waiting());
    t.chain->release();
    QCOMPARE(t.holder(), "none");
    const QString last = t.log.constLast();
    QCOMPARE(last, absent < 3 ? holder + " uninhibit 7" : "c inhibit Alarm set for 07:30:00");
    t.chain->release(); // nothing more to give back
    QCOMPARE(t.log.constLast(), last);
}

void TestInhibit::cancelWhileTheAnswerIsOnItsWayLeavesNoHold()
{
    Chain t;
    t.chain->hold("Alarm set for 07:30:00");
    t.chain->release();
    t.a->answer(QVariant(3));
    QCOMPARE(t.holder(), "none");
    QCOMPARE(t.log, QStringList({ "a inhibit Alarm set for 07:30:00", "a uninhibit 3" }));

    // Cancelled while the first service is found absent: the next is not asked.
    t.log.clear();
    t.chain->hold("Alarm set for 07:30:00");
    t.chain->release();
    t.a->answer(std::nullopt);
    QCOMPARE(t.log, QStringList({ "a inhibit Alarm set for 07:30:00" }));
    QVERIFY(!t.waiting());
}

void TestInhibit::setAgainBeforeTheAnswerKeepsOneHold()
{
    Chain t;
    t.chain->hold("Alarm set for 07:30:00");
    t.chain->release();
    t.chain->hold("Alarm set for 07:30:00");
    QCOMPARE(t.a->pending.size(), 1);
    t.a->answer(QVariant(3));
    QCOMPARE(t.holder(), "a");
    QCOMPARE(t.log, QStringList({ "a inhibit Alarm set for 07:30:00" }));
}

void TestInhibit::setForAnotherTimeBeforeTheAnswerAsksAgain()
{
    Chain t;
    t.chain->hold("Alarm set for 07:30:00");
    t.chain->release();
    t.chain->hold("Alarm set for 08:00:00");
    t.a->answer(QVariant(3));
    QCOMPARE(t.holder(), "none");
    QVERIFY(t.waiting());
    t.a->answer(QVariant(4));
    QCOMPARE(t.holder(), "a");
    QCOMPARE(t.log, QStringList({ "a inhibit Alarm set for 07:30:00", "a uninhibit 3",
                                  "a inhibit Alarm set for 08:00:00" }));
}

void TestInhibit::holdIsGivenBackWhenTheProgramEnds()
{
    Chain t;
    t.chain->hold("Alarm set for 07:30:00");
    t.a->answer(QVariant(5));
    t.chain.reset();
    QCOMPARE(t.log.constLast(), "a uninhibit 5");
}

void TestInhibit::lateAnswerAfterTheEndIsIgnored()
{
    QStringList log;
    auto service = std::make_unique<FakeInhibitService>("a", &log);
    FakeInhibitService *a = service.get();
    std::vector<std::unique_ptr<InhibitService>> services;
    services.push_back(std::move(service));
    auto chain = std::make_unique<InhibitChain>(std::move(services));
    chain->hold("Alarm set for 07:30:00");
    InhibitService::Reply late = a->pending.takeFirst();
    chain.reset(); // the service goes with it; its answer must not reach the chain
    late(QVariant(1));
    QCOMPARE(log, QStringList({ "a inhibit Alarm set for 07:30:00" }));
}

QTEST_GUILESS_MAIN(TestInhibit)
#include "tst_inhibit.moc"
