// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

// SDL2 and SDL2_mixer, loaded on the first play instead of at start-up: the
// mixer brings some forty libraries of codecs and sound clients with it, which
// an idle alarm clock has no use for. Only the calls the program makes are here.
struct SdlMixerLibrary
{
    // The loaded library, or nullptr when it is not installed: the alarm then rings silently.
    static const SdlMixerLibrary *instance();

    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_RWFromFP) RWFromFP;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_GetTicks64) GetTicks64;
    decltype(&SDL_Delay) Delay;
    decltype(&Mix_OpenAudioDevice) OpenAudioDevice;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_QuickLoad_RAW) QuickLoad_RAW;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
    decltype(&Mix_Playing) Playing;
    decltype(&Mix_HaltChannel) HaltChannel;
};
