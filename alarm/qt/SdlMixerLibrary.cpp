// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SdlMixerLibrary.h"

#include <QLibrary>

#include <optional>

namespace {

QLibrary &mixerLibrary()
{
    static QLibrary library(QStringLiteral("SDL2_mixer-2.0"), 0);
    return library;
}

template<typename Function>
bool resolve(Function &function, const char *name)
{
    // The mixer library's own dependency, SDL2, answers for the SDL_ calls.
    function = reinterpret_cast<Function>(mixerLibrary().resolve(name));
    return function != nullptr;
}

std::optional<SdlMixerLibrary> load()
{
    if (!mixerLibrary().load())
        return std::nullopt;
    SdlMixerLibrary sdl{};
    const bool complete = resolve(sdl.SetHint, "SDL_SetHint") && resolve(sdl.InitSubSystem, "SDL_InitSubSystem")
        && resolve(sdl.QuitSubSystem, "SDL_QuitSubSystem") && resolve(sdl.RWFromFP, "SDL_RWFromFP")
        && resolve(sdl.LoadWAV_RW, "SDL_LoadWAV_RW") && resolve(sdl.FreeWAV, "SDL_FreeWAV")
        && resolve(sdl.GetTicks64, "SDL_GetTicks64") && resolve(sdl.Delay, "SDL_Delay")
        && resolve(sdl.OpenAudioDevice, "Mix_OpenAudioDevice") && resolve(sdl.CloseAudio, "Mix_CloseAudio")
        && resolve(sdl.QuickLoad_RAW, "Mix_QuickLoad_RAW") && resolve(sdl.FreeChunk, "Mix_FreeChunk")
        && resolve(sdl.PlayChannelTimed, "Mix_PlayChannelTimed") && resolve(sdl.Playing, "Mix_Playing")
        && resolve(sdl.HaltChannel, "Mix_HaltChannel");
    if (!complete)
        return std::nullopt;
    return sdl;
}

} // namespace

const SdlMixerLibrary *SdlMixerLibrary::instance()
{
    static const std::optional<SdlMixerLibrary> library = load();
    return library ? &*library : nullptr;
}
