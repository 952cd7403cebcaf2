// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which bells both programs hand to their players, as files of bytes.
#include "WaveFileRule.h"

#include <QTest>
#include <QtEndian>

#include <cstring>

namespace {

struct Bytes : core::WaveSource
{
    QByteArray bytes;
    long long size() const override { return bytes.size(); }
    bool read(long long offset, unsigned char *buffer, std::size_t length) const override
    {
        const QByteArray part = bytes.mid(offset, qsizetype(length));
        std::memcpy(buffer, part.constData(), part.size());
        return part.size() == qsizetype(length);
    }
};

QByteArray le(quint32 value, int bytes)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(bytes);
}

QByteArray chunk(const char *id, const QByteArray &body, quint32 claimed = 0)
{
    return id + le(claimed ? claimed : body.size(), 4) + body + QByteArray(body.size() & 1, '\0');
}

// A format chunk's body: tag, channels, rate, bytes a second, block, bits, then any extra.
QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint32 perSecond, quint16 block, quint16 bits,
                  const QByteArray &extra = {})
{
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(perSecond, 4) + le(block, 2) + le(bits, 2) + extra;
}

QByteArray riff(const QByteArray &chunks, const char *type = "WAVE")
{
    return "RIFF" + le(4 + chunks.size(), 4) + type + chunks;
}

const QByteArray pcm = format(1, 1, 8000, 16000, 2, 16);
const QByteArray sound(400, '\x55');

} // namespace

class TestWave : public QObject
{
    Q_OBJECT

private slots:
    void playable_data();
    void playable();
};

void TestWave::playable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("handedToPlayer");

    const QByteArray data = chunk("data", sound);
    const auto wave = [&](const QByteArray &fmt) { return riff(chunk("fmt ", fmt) + data); };
    QTest::newRow("PCM") << wave(pcm) << true;
    QTest::newRow("mu-law") << wave(format(7, 1, 8000, 8000, 1, 8, le(0, 2))) << true;
    QTest::newRow("A-law") << wave(format(6, 1, 8000, 8000, 1, 8, le(0, 2))) << true;
    QTest::newRow("IMA ADPCM") << wave(format(0x11, 1, 8000, 4055, 256, 4, le(2, 2) + le(505, 2))) << true;
    QTest::newRow("MS ADPCM") << wave(format(2, 1, 8000, 4096, 256, 4, le(32, 2) + QByteArray(32, 1))) << true;
    QTest::newRow("GSM 6.10") << wave(format(0x31, 1, 8000, 1625, 65, 0, le(2, 2) + le(320, 2))) << true;
    QTest::newRow("LIST chunk first, odd-sized") << riff(chunk("LIST", "INFOx") + chunk("fmt ", pcm) + data) << true;
    QTest::newRow("truncated") << riff(chunk("fmt ", pcm) + chunk("data", sound, 88200)) << true;

    QTest::newRow("data size 0xFFFFFFFF") << riff(chunk("fmt ", pcm) + chunk("data", sound, 0xFFFFFFFF)) << false;
    QTest::newRow("no fmt") << riff(data) << false;
    QTest::newRow("data before fmt") << riff(data + chunk("fmt ", pcm)) << false;
    QTest::newRow("RIFF without WAVE") << riff(chunk("fmt ", pcm) + data, "AVI ") << false;
    QTest::newRow("fmt past the end") << riff(chunk("fmt ", pcm, 4000) + data) << false;
    QTest::newRow("extra bytes missing") << wave(format(7, 1, 8000, 8000, 1, 8, le(40, 2))) << false;
    QTest::newRow("block of 0") << wave(format(0x11, 1, 8000, 4055, 0, 4)) << false;
    QTest::newRow("block not the frame") << wave(format(1, 2, 8000, 16000, 2, 16)) << false;
    QTest::newRow("byte rate beyond a block a frame") << wave(format(1, 1, 8000, 0xFFFFFFFF, 2, 16)) << false;
    QTest::newRow("rate at the top") << wave(format(1, 1, 768000, 1536000, 2, 16)) << true;
    QTest::newRow("rate above the top") << wave(format(1, 1, 768001, 1536002, 2, 16)) << false;
    QTest::newRow("rate below 1 kHz") << wave(format(1, 1, 999, 1998, 2, 16)) << false;
    QTest::newRow("no channels") << wave(format(1, 0, 8000, 16000, 2, 16)) << false;
    QTest::newRow("no bytes a second") << wave(format(1, 1, 8000, 0, 2, 16)) << false;
    QTest::newRow("less than a block") << riff(chunk("fmt ", format(0x11, 1, 8000, 4055, 256, 4))
                                               + chunk("data", sound.left(100)))
                                       << false;
}

void TestWave::playable()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, handedToPlayer);
    Bytes source;
    source.bytes = file;
    QCOMPARE(core::WaveFileRule::playable(source), handedToPlayer);
}

QTEST_APPLESS_MAIN(TestWave)
#include "tst_wave.moc"
