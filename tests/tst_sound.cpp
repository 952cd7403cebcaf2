// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modPlaySound.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

constexpr int kAlarmStart = core::SoundFlags::Async | core::SoundFlags::NoDefault | core::SoundFlags::Loop;
constexpr int kFinalPlay = core::SoundFlags::Sync | core::SoundFlags::NoDefault;
const QString kAlarmName = QStringLiteral("alarm.wav");

enum BadFileKind { Bytes, Missing, Directory, Oversized };

QByteArray waveHeader(quint32 rate, quint16 bits, quint16 channels, quint32 dataBytes)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << channels << rate << quint32(rate * channels * bits / 8)
        << quint16(channels * bits / 8) << bits;
    out.writeRawData("data", 4);
    out << dataBytes;
    return header;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The time between the first and the last clearly audible frame of raw
// output in the device's format (SDL's disk driver writes what it is given).
double audibleSeconds(const QString &rawPath, SDL_AudioFormat format = AUDIO_S16LSB, int channels = 1,
                      int rate = 44100)
{
    QFile file(rawPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0.0;
    const QByteArray bytes = file.readAll();
    const int width = SDL_AUDIO_BITSIZE(format) / 8;
    const auto level = [&](qsizetype at) { // of full scale
        const char *sample = bytes.constData() + at;
        if (SDL_AUDIO_ISFLOAT(format))
            return double(qFromLittleEndian<float>(sample));
        if (width == 1)
            return (quint8(*sample) - 128) / 128.0;
        if (width == 2)
            return qFromLittleEndian<qint16>(sample) / 32768.0;
        return qFromLittleEndian<qint32>(sample) / 2147483648.0;
    };
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype at = 0; at + width <= bytes.size(); at += width) {
        if (std::abs(level(at)) > 0.03) {
            if (first < 0)
                first = at;
            last = at;
        }
    }
    return first < 0 ? 0.0 : double((last - first) / width / channels + 1) / rate;
}

// The disk driver announces itself on every open.
struct QuietSdlLog
{
    SDL_LogOutputFunction previous = nullptr;
    void *previousData = nullptr;

    QuietSdlLog()
    {
        SDL_LogGetOutputFunction(&previous, &previousData);
        SDL_LogSetOutputFunction([](void *, int, SDL_LogPriority, const char *) {}, nullptr);
    }
    ~QuietSdlLog() { SDL_LogSetOutputFunction(previous, previousData); }
};

qint64 timedPlay(modPlaySound &sound, const QString &name, int flags, bool *played = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const bool result = sound.play(name.toStdString(), flags);
    if (played)
        *played = result;
    return timer.elapsed();
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyEncodingPlaysToItsEnd_data();
    void everyEncodingPlaysToItsEnd();
    void badFileFailsAtOnceAndSilently_data();
    void badFileFailsAtOnceAndSilently();
    void fifoNeverBlocks();
    void dataCutShortDoesNotHang();
    void hugeFileLoopsWithoutTrouble();

    void finalPlayBlocksForTheFileLength();
    void loopReturnsAtOnceAndFinalPlayReplacesIt();
    void loopRepeatsAndFinalPlayIsComplete();

    void lookupFollowsFolderOrder();
    void defaultFoldersStartWithWorkingThenExecutableFolder();

    void bellPlaysAndIsWellFormed();

private:
    QString folder(const QString &name);
    QString tone(const QString &name, double seconds, const QStringList &encoding = {});
    void outputToDisk(const QString &rawPath);

    QTemporaryDir m_dir;
};

void TestSound::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("SDL_AUDIODRIVER", "dummy"); // no sound server needed; still plays in real time
}

void TestSound::cleanup()
{
    qputenv("SDL_AUDIODRIVER", "dummy");
    qunsetenv("SDL_DISKAUDIOFILE");
}

QString TestSound::folder(const QString &name)
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(path);
    return path;
}

// A sine tone at half scale, 44100 Hz mono unless the encoding says otherwise.
// Returns an empty path when sox is missing or fails.
QString TestSound::tone(const QString &name, double seconds, const QStringList &encoding)
{
    const QString path = m_dir.filePath(name);
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        return {};
    const QStringList arguments = QStringList{"-n", "-r", "44100", "-c", "1"} + encoding
        + QStringList{path, "synth", QString::number(seconds), "sine", "440", "vol", "0.5"};
    if (QProcess::execute(sox, arguments) != 0 || !QFile::exists(path))
        return {};
    return path;
}

// SDL's disk driver writes what would be heard to a raw file, in real time.
void TestSound::outputToDisk(const QString &rawPath)
{
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(rawPath));
}

void TestSound::everyEncodingPlaysToItsEnd_data()
{
    QTest::addColumn<QStringList>("encoding");
    QTest::addColumn<bool>("extensible");
    // What the device is opened with: the samples as SDL decodes them.
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    QTest::newRow("8-bit unsigned") << QStringList{"-e", "unsigned-integer", "-b", "8"} << false << AUDIO_U8 << 1
                                    << 44100;
    QTest::newRow("16-bit") << QStringList{"-e", "signed-integer", "-b", "16"} << false << AUDIO_S16LSB << 1 << 44100;
    QTest::newRow("16-bit stereo 48 kHz") << QStringList{"-e", "signed-integer", "-b", "16", "-c", "2", "-r", "48000"}
                                          << false << AUDIO_S16LSB << 2 << 48000;
    QTest::newRow("16-bit 8 kHz") << QStringList{"-e", "signed-integer", "-b", "16", "-r", "8000"} << false
                                  << AUDIO_S16LSB << 1 << 8000;
    QTest::newRow("24-bit") << QStringList{"-t", "wavpcm", "-e", "signed-integer", "-b", "24"} << false << AUDIO_S32LSB
                            << 1 << 44100;
    QTest::newRow("32-bit integer") << QStringList{"-t", "wavpcm", "-e", "signed-integer", "-b", "32"} << false
                                    << AUDIO_S32LSB << 1 << 44100;
    QTest::newRow("32-bit float") << QStringList{"-t", "wavpcm", "-e", "floating-point", "-b", "32"} << false
                                  << AUDIO_F32LSB << 1 << 44100;
    QTest::newRow("mu-law") << QStringList{"-e", "mu-law"} << false << AUDIO_S16LSB << 1 << 44100;
    QTest::newRow("IMA ADPCM") << QStringList{"-e", "ima-adpcm"} << false << AUDIO_S16LSB << 1 << 44100;
    QTest::newRow("extensible header") << QStringList{"-e", "signed-integer", "-b", "24"} << true << AUDIO_S32LSB << 1
                                       << 44100;
}

void TestSound::everyEncodingPlaysToItsEnd()
{
    QFETCH(QStringList, encoding);
    QFETCH(bool, extensible);
    const QString path = tone(QStringLiteral("encoding-%1.wav").arg(QTest::currentDataTag()), 0.2, encoding);
    if (path.isEmpty())
        QSKIP("sox could not make the test file");
    if (extensible) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(22).mid(20), QByteArray("\xFE\xFF", 2)); // WAVE_FORMAT_EXTENSIBLE
    }

    QFETCH(int, format);
    QFETCH(int, channels);
    QFETCH(int, rate);

    const QuietSdlLog quiet;
    const QString output = m_dir.filePath(QStringLiteral("encoding-%1.raw").arg(QTest::currentDataTag()));
    outputToDisk(output);
    modPlaySound sound{QStringList{}};
    bool played = false;
    const qint64 elapsed = timedPlay(sound, path, kFinalPlay, &played);
    QVERIFY(played);
    QVERIFY2(elapsed >= 180, qPrintable(QString::number(elapsed))); // returns at its end
    // To its end, and once, by what reached the device.
    const double seconds = audibleSeconds(output, SDL_AudioFormat(format), channels, rate);
    QVERIFY2(std::abs(seconds - 0.2) < 0.02, qPrintable(QString::number(seconds)));
}

void TestSound::badFileFailsAtOnceAndSilently_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("content");

    const QByteArray header = waveHeader(44100, 16, 1, 44100);
    QRandomGenerator random(20240607);
    QByteArray noise(4096, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);

    QTest::newRow("missing") << int(Missing) << QByteArray();
    QTest::newRow("directory") << int(Directory) << QByteArray();
    QTest::newRow("empty") << int(Bytes) << QByteArray();
    QTest::newRow("truncated header") << int(Bytes) << header.left(20);
    QTest::newRow("random bytes") << int(Bytes) << noise;
    QTest::newRow("random chunks after RIFF") << int(Bytes) << header.left(12) + noise;
    QTest::newRow("no sound data") << int(Bytes) << waveHeader(44100, 16, 1, 0);
    QTest::newRow("less than one frame") << int(Bytes) << waveHeader(44100, 16, 2, 2) + QByteArray(2, '\x10');
    // At 1 Hz SDL_mixer's own conversion overflows its buffer, and a device
    // opened at that rate takes half a minute to close.
    QTest::newRow("absurd rate") << int(Bytes) << waveHeader(1, 8, 1, 6087) + QByteArray(6087, '\x90');
    QTest::newRow("over the size cap") << int(Oversized) << header;
}

void TestSound::badFileFailsAtOnceAndSilently()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    const QString where = folder(QStringLiteral("bad-%1").arg(QTest::currentDataTag()));
    const QString path = where + QLatin1Char('/') + kAlarmName;
    switch (kind) {
    case Bytes:
        QVERIFY(writeFile(path, content));
        break;
    case Missing:
        break;
    case Directory:
        QVERIFY(QDir().mkpath(path));
        break;
    case Oversized: {
        QVERIFY(writeFile(path, content));
        QFile file(path);
        QVERIFY(file.resize(qint64(600) * 1024 * 1024)); // sparse
        break;
    }
    }
    const QString rawOutput = where + QStringLiteral("/output.raw");
    outputToDisk(rawOutput);

    modPlaySound sound({where});
    for (const QString &name : {kAlarmName, path}) {
        for (int flags : {kAlarmStart, kFinalPlay}) {
            bool played = true;
            const qint64 elapsed = timedPlay(sound, name, flags, &played);
            QVERIFY2(!played, qPrintable(name));
            QVERIFY2(elapsed < 100, qPrintable(QString::number(elapsed)));
        }
    }
    QVERIFY2(!QFile::exists(rawOutput), "the audio device was opened");
}

void TestSound::fifoNeverBlocks()
{
    const QString where = folder(QStringLiteral("fifo"));
    const QString path = where + QLatin1Char('/') + kAlarmName;
    const QByteArray fifo = QFile::encodeName(path);
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);

    // Should the player block in open(), a writer coming and going releases
    // it after a while, so that the test fails instead of hanging.
    std::atomic<bool> finished = false;
    std::thread releaser([&] {
        for (int i = 0; i < 30 && !finished; ++i)
            std::this_thread::sleep_for(50ms);
        while (!finished) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(20ms);
        }
    });
    modPlaySound sound({where});
    bool byNamePlayed = true;
    bool byPathPlayed = true;
    const qint64 byName = timedPlay(sound, kAlarmName, kFinalPlay, &byNamePlayed);
    const qint64 byPath = timedPlay(sound, path, kAlarmStart, &byPathPlayed);
    finished = true;
    releaser.join();

    QVERIFY(!byNamePlayed);
    QVERIFY(!byPathPlayed);
    QVERIFY2(byName < 1000, qPrintable(QString::number(byName)));
    QVERIFY2(byPath < 1000, qPrintable(QString::number(byPath)));
}

// The header claims one second; 0.3 s is there. Playing what is there is fine.
void TestSound::dataCutShortDoesNotHang()
{
    const QString path = tone(QStringLiteral("cut-short.wav"), 1.0, {"-t", "wavpcm", "-b", "16"});
    if (path.isEmpty())
        QSKIP("sox could not make the test file");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.read(40).mid(36), QByteArray("data")); // a 44-byte header
    QVERIFY(file.resize(44 + 2 * 13230));
    file.close();

    modPlaySound sound{QStringList{}};
    bool played = false;
    const qint64 elapsed = timedPlay(sound, path, kFinalPlay, &played);
    QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    if (played)
        QVERIFY2(elapsed >= 250, qPrintable(QString::number(elapsed)));
}

void TestSound::hugeFileLoopsWithoutTrouble()
{
    if (qEnvironmentVariableIsSet("ALARM_CLOCK_SKIP_HUGE"))
        QSKIP("ALARM_CLOCK_SKIP_HUGE is set");
    constexpr quint32 kDataBytes = 200'000'000; // about 38 minutes
    const QString path = m_dir.filePath(QStringLiteral("huge.wav"));
    QVERIFY(writeFile(path, waveHeader(44100, 16, 1, kDataBytes)));
    QFile file(path);
    QVERIFY(file.resize(44 + kDataBytes));

    modPlaySound sound{QStringList{}};
    bool played = false;
    const qint64 elapsed = timedPlay(sound, path, kAlarmStart, &played);
    QVERIFY(played);
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    QVERIFY(SDL_WasInit(SDL_INIT_AUDIO));

    QVERIFY(!sound.play(std::string(), kFinalPlay));
    QVERIFY2(!SDL_WasInit(SDL_INIT_AUDIO), "a call without a sound did not stop the loop");
}

void TestSound::finalPlayBlocksForTheFileLength()
{
    const QString path = tone(QStringLiteral("one-second.wav"), 1.0);
    if (path.isEmpty())
        QSKIP("sox could not make the test file");

    modPlaySound sound{QStringList{}};
    bool played = false;
    const qint64 elapsed = timedPlay(sound, path, kFinalPlay, &played);
    QVERIFY(played);
    QVERIFY2(elapsed >= 1000 - 50 && elapsed < 2000, qPrintable(QString::number(elapsed)));
}

void TestSound::loopReturnsAtOnceAndFinalPlayReplacesIt()
{
    const QString loop = tone(QStringLiteral("loop.wav"), 1.0);
    const QString last = tone(QStringLiteral("last.wav"), 0.5);
    if (loop.isEmpty() || last.isEmpty())
        QSKIP("sox could not make the test files");

    {
        modPlaySound sound{QStringList{}};
        bool played = false;
        QVERIFY2(timedPlay(sound, loop, kAlarmStart, &played) < 100, "the loop did not return at once");
        QVERIFY(played);
        QVERIFY(SDL_WasInit(SDL_INIT_AUDIO));
        QThread::msleep(300);

        // Closing the loop's device first takes a few buffers more.
        const qint64 elapsed = timedPlay(sound, last, kFinalPlay, &played);
        QVERIFY(played);
        QVERIFY2(elapsed >= 500 - 50 && elapsed < 1000, qPrintable(QString::number(elapsed)));
        QVERIFY2(!SDL_WasInit(SDL_INIT_AUDIO), "audio still open after the final play");

        QVERIFY(sound.play(loop.toStdString(), kAlarmStart));
    }
    QVERIFY2(!SDL_WasInit(SDL_INIT_AUDIO), "the loop outlived its player");
}

void TestSound::loopRepeatsAndFinalPlayIsComplete()
{
    const QString loop = tone(QStringLiteral("short-loop.wav"), 0.2, {"-b", "16"});
    const QString last = tone(QStringLiteral("short-last.wav"), 0.3, {"-b", "16"});
    if (loop.isEmpty() || last.isEmpty())
        QSKIP("sox could not make the test files");
    const QString loopOutput = m_dir.filePath(QStringLiteral("loop.raw"));
    const QString lastOutput = m_dir.filePath(QStringLiteral("last.raw"));

    const QuietSdlLog quiet;
    modPlaySound sound{QStringList{}};
    outputToDisk(loopOutput);
    QVERIFY(sound.play(loop.toStdString(), kAlarmStart));
    QThread::msleep(700);
    outputToDisk(lastOutput);
    QVERIFY(sound.play(last.toStdString(), kFinalPlay));

    const double looped = audibleSeconds(loopOutput);
    QVERIFY2(looped >= 0.6, qPrintable(QString::number(looped)));
    const double final = audibleSeconds(lastOutput);
    QVERIFY2(std::abs(final - 0.3) < 0.005, qPrintable(QString::number(final)));
}

void TestSound::lookupFollowsFolderOrder()
{
    const QString working = folder(QStringLiteral("working"));
    const QString executable = folder(QStringLiteral("executable"));
    const QString data = folder(QStringLiteral("data"));
    const QString shortTone = tone(QStringLiteral("short.wav"), 0.1, {"-b", "16"});
    const QString mediumTone = tone(QStringLiteral("medium.wav"), 0.3, {"-b", "16"});
    const QString longTone = tone(QStringLiteral("long.wav"), 0.5, {"-b", "16"});
    if (shortTone.isEmpty() || mediumTone.isEmpty() || longTone.isEmpty())
        QSKIP("sox could not make the test files");
    QVERIFY(QFile::copy(shortTone, working + QLatin1Char('/') + kAlarmName));
    QVERIFY(QFile::copy(mediumTone, executable + QLatin1Char('/') + kAlarmName));
    QVERIFY(QFile::copy(longTone, data + QLatin1Char('/') + kAlarmName));

    // Which file played shows in how long a tone reached the device, however
    // long a busy machine takes to play it.
    const QuietSdlLog quiet;
    modPlaySound sound({working, executable, data});
    const auto playedSeconds = [&](const QString &output) {
        outputToDisk(m_dir.filePath(output));
        timedPlay(sound, kAlarmName, kFinalPlay);
        return audibleSeconds(m_dir.filePath(output));
    };
    const double fromWorking = playedSeconds(QStringLiteral("working.raw"));
    QVERIFY(QFile::remove(working + QLatin1Char('/') + kAlarmName));
    const double fromExecutable = playedSeconds(QStringLiteral("executable.raw"));
    QVERIFY(QFile::remove(executable + QLatin1Char('/') + kAlarmName));
    const double fromData = playedSeconds(QStringLiteral("data.raw"));
    cleanup(); // the dummy driver again

    QVERIFY2(std::abs(fromWorking - 0.1) < 0.02, qPrintable(QString::number(fromWorking)));
    QVERIFY2(std::abs(fromExecutable - 0.3) < 0.02, qPrintable(QString::number(fromExecutable)));
    QVERIFY2(std::abs(fromData - 0.5) < 0.02, qPrintable(QString::number(fromData)));

    modPlaySound nowhere{QStringList{}};
    QVERIFY2(!nowhere.play(kAlarmName.toStdString(), kFinalPlay), "a bare name needs a folder");
    QVERIFY2(nowhere.play(shortTone.toStdString(), kFinalPlay), "an absolute name is used as is");
}

void TestSound::defaultFoldersStartWithWorkingThenExecutableFolder()
{
    const QStringList folders = modPlaySound::defaultSearchFolders();
    QVERIFY(folders.size() >= 2);
    QCOMPARE(folders.at(0), QDir::currentPath());
    QCOMPARE(folders.at(1), QCoreApplication::applicationDirPath());
}

void TestSound::bellPlaysAndIsWellFormed()
{
#ifndef ALARM_WAV_PATH
    QSKIP("ALARM_WAV_PATH is not defined for this build");
#else
    const QString path = QStringLiteral(ALARM_WAV_PATH);
    QVERIFY2(QFile::exists(path), qPrintable(path));

    SDL_AudioSpec format{};
    Uint8 *samples = nullptr;
    Uint32 bytes = 0;
    QVERIFY(SDL_LoadWAV(QFile::encodeName(path).constData(), &format, &samples, &bytes));
    const bool sixteenBitMono = format.format == AUDIO_S16SYS && format.channels == 1;
    const auto *values = reinterpret_cast<const Sint16 *>(samples);
    const Uint32 count = bytes / 2;
    int peak = 0;
    for (Uint32 i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int(values[i])));
    const int lastValue = count > 0 ? std::abs(int(values[count - 1])) : 0;
    SDL_FreeWAV(samples);
    QVERIFY(sixteenBitMono);
    QVERIFY2(peak > 8000 && peak < 32767, qPrintable(QString::number(peak))); // audible, not clipped
    QVERIFY2(lastValue < 100, "the bell does not end in silence");

    modPlaySound sound{QStringList{}};
    bool played = false;
    const qint64 elapsed = timedPlay(sound, path, kFinalPlay, &played);
    QVERIFY(played);
    QVERIFY2(elapsed >= 500 && elapsed <= 3000, qPrintable(QString::number(elapsed)));
#endif
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"
