// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modPlaySound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "SdlMixerLibrary.h"
#include "WaveFileRule.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace {

constexpr int kChannel = 0;
constexpr Uint64 kStallGraceMs = 2000;
constexpr Uint32 kPollMs = 5;

// The mixer and the audio device are process-wide: one player at a time.
modPlaySound *currentPlayer = nullptr;

#ifdef __linux__
void ignoreAlsaMessage(const char *, int, const char *, int, const char *, ...) {}
#endif

// Without a sound server SDL falls back to ALSA, whose library prints its
// errors to the terminal on every failed open.
void silenceAlsaMessages()
{
#ifdef __linux__
    static const bool silenced = [] {
        using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
        using SetHandler = int (*)(Handler);
        // Stays loaded for good: the handler is only kept while it is.
        void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!alsa)
            return false;
        auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        return setHandler && setHandler(ignoreAlsaMessage) == 0;
    }();
    (void)silenced;
#endif
}

// A regular file's bytes, read without moving its offset.
class OpenFile : public core::WaveSource
{
public:
    explicit OpenFile(int fd, off_t size)
        : m_fd(fd), m_size(size)
    {
    }
    long long size() const override { return m_size; }
    bool read(long long offset, unsigned char *buffer, std::size_t length) const override
    {
        return ::pread(m_fd, buffer, length, off_t(offset)) == ssize_t(length);
    }

private:
    int m_fd;
    off_t m_size;
};

// Only a regular file is opened, and without blocking: a FIFO or a device
// under the sound's name would otherwise hang the program. The rule both
// programs share decides whether the player gets it.
SDL_RWops *openRegularFile(const SdlMixerLibrary &sdl, const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !core::WaveFileRule::playable(OpenFile(fd, info.st_size))) {
        ::close(fd);
        return nullptr;
    }
    FILE *file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops *source = sdl.RWFromFP(file, SDL_TRUE);
    if (!source)
        std::fclose(file);
    return source;
}

int frameBytes(const SDL_AudioSpec &format)
{
    return SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels;
}

// 8 to 16 ms of sound per mixing buffer: a prompt start, and a synchronous
// play that ends soon after its sound (closing waits two buffers more).
int bufferFrames(int frequency)
{
    return int(std::max(std::bit_floor(unsigned(frequency) / 64), 16u));
}

} // namespace

modPlaySound::modPlaySound(QStringList searchFolders)
    : m_searchFolders(std::move(searchFolders))
{
}

modPlaySound::~modPlaySound()
{
    stop();
}

QStringList modPlaySound::defaultSearchFolders()
{
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        // An install staged or unpacked under another prefix has its data in
        // the share/ beside its bin/, where the compiled-in folder does not point.
        folders << executableFolder << QDir::cleanPath(executableFolder + QStringLiteral("/../share/alarm-clock"));
    }
#ifdef ALARM_CLOCK_DATADIR
    folders << QStringLiteral(ALARM_CLOCK_DATADIR);
#endif
    return folders;
}

bool modPlaySound::play(const std::string &name, int flags)
{
    const QString soundName = QString::fromStdString(name);
    if (currentPlayer)
        currentPlayer->stop();

    const QString path = findSound(soundName);
    if (path.isEmpty())
        return false;
    m_sdl = SdlMixerLibrary::instance();
    if (!m_sdl || !load(path))
        return false;

    const bool async = flags & Async;
    if (!start(async && (flags & Loop))) {
        stop();
        return false;
    }
    if (!async) {
        waitUntilPlayed(m_sdl->GetTicks64());
        stop();
    }
    return true;
}

QString modPlaySound::findSound(const QString &soundName) const
{
    if (soundName.isEmpty())
        return {};
    if (QFileInfo(soundName).isAbsolute())
        return soundName;
    for (const QString &folder : m_searchFolders) {
        const QString path = QDir(folder).filePath(soundName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

bool modPlaySound::load(const QString &path)
{
    SDL_RWops *source = openRegularFile(*m_sdl, path);
    if (!source || !m_sdl->LoadWAV_RW(source, 1, &m_format, &m_samples, &m_sampleBytes)) {
        m_samples = nullptr;
        return false;
    }
    const int frame = frameBytes(m_format);
    if (frame <= 0 || m_sampleBytes < Uint32(frame)) {
        stop();
        return false;
    }
    m_sampleBytes -= m_sampleBytes % frame;
    return true;
}

// The device is opened in the file's own format, and SDL converts on the way
// out: the mixer then never converts the sound itself, which on some odd
// headers would overflow its buffer size.
bool modPlaySound::start(bool loop)
{
    currentPlayer = this;
    silenceAlsaMessages();
    m_sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (QCoreApplication::instance())
        m_sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, qPrintable(QCoreApplication::applicationName()));
    if (m_sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (m_sdl->OpenAudioDevice(m_format.freq, m_format.format, m_format.channels, bufferFrames(m_format.freq),
                            nullptr, 0)
        != 0) {
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_deviceOpen = true;
    m_chunk = m_sdl->QuickLoad_RAW(m_samples, m_sampleBytes);
    return m_chunk && m_sdl->PlayChannelTimed(kChannel, m_chunk, loop ? -1 : 0, -1) == kChannel;
}

Uint64 modPlaySound::lengthMs() const
{
    return Uint64(m_sampleBytes / frameBytes(m_format)) * 1000 / Uint64(m_format.freq);
}

// Blocks with no event loop. The mixer is done with the sound a buffer or so
// before it is heard, and none of it can be heard sooner than its length
// after the start: waiting for both keeps the end in. The deadline keeps a
// stalled device from holding the program forever.
void modPlaySound::waitUntilPlayed(Uint64 startedMs) const
{
    const Uint64 heardBy = startedMs + lengthMs();
    const Uint64 deadline = heardBy + kStallGraceMs;
    for (Uint64 now = m_sdl->GetTicks64(); now < deadline; now = m_sdl->GetTicks64()) {
        if (!m_sdl->Playing(kChannel) && now >= heardBy)
            return;
        m_sdl->Delay(kPollMs);
    }
}

// Closing the device plays out what was already mixed (SDL waits two buffers)
// and drops the connection to the sound server until the next play.
void modPlaySound::stop()
{
    if (m_chunk) {
        m_sdl->HaltChannel(kChannel);
        m_sdl->FreeChunk(m_chunk);
        m_chunk = nullptr;
    }
    if (m_deviceOpen) {
        m_sdl->CloseAudio();
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
        m_deviceOpen = false;
    }
    if (m_samples) {
        m_sdl->FreeWAV(m_samples);
        m_samples = nullptr;
    }
    m_sampleBytes = 0;
    if (currentPlayer == this)
        currentPlayer = nullptr;
}
