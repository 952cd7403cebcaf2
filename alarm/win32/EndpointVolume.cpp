// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndpointVolume.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>

namespace {

// A COM interface pointer, released when it goes.
template<class Interface>
struct Held
{
    Interface *p = nullptr;
    Held() = default;
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;
    ~Held()
    {
        if (p)
            p->Release();
    }
    Interface *operator->() const { return p; }
    void **out() { return reinterpret_cast<void **>(&p); }
};

// The output with this id, or the one sounds play to now, and its volume
// control; false when it is gone or out of use.
bool open(const wchar_t *id, Held<IMMDevice> &device, Held<IAudioEndpointVolume> &volume)
{
    Held<IMMDeviceEnumerator> devices;
    DWORD state = 0;
    return SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(IMMDeviceEnumerator), devices.out()))
        && SUCCEEDED(id ? devices->GetDevice(id, &device.p)
                        : devices->GetDefaultAudioEndpoint(eRender, eConsole, &device.p))
        && SUCCEEDED(device->GetState(&state)) && state == DEVICE_STATE_ACTIVE
        && SUCCEEDED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr, volume.out()));
}

std::optional<core::OutputLevel> levelOf(IAudioEndpointVolume *volume)
{
    BOOL muted = FALSE;
    float scalar = 0;
    if (FAILED(volume->GetMute(&muted)) || FAILED(volume->GetMasterVolumeLevelScalar(&scalar)))
        return std::nullopt;
    return core::OutputLevel{ muted != FALSE, scalar };
}

// The volume first: an output unmuted is at its new volume at once.
void apply(IAudioEndpointVolume *volume, core::OutputLevel level)
{
    volume->SetMasterVolumeLevelScalar(float(level.volume), nullptr);
    volume->SetMute(level.muted, nullptr);
}

} // namespace

EndpointVolume::EndpointVolume()
    : m_work(CreateThreadpoolWork(work, this, nullptr))
{
}

EndpointVolume::~EndpointVolume()
{
    if (!m_work)
        return;
    WaitForThreadpoolWorkCallbacks(m_work, FALSE);
    CloseThreadpoolWork(m_work);
}

void EndpointVolume::raiseForRing()
{
    m_ringing = true;
    if (m_work)
        SubmitThreadpoolWork(m_work);
}

void EndpointVolume::restoreAfterRing()
{
    m_ringing = false;
    if (m_work)
        SubmitThreadpoolWork(m_work);
}

void CALLBACK EndpointVolume::work(PTP_CALLBACK_INSTANCE, void *self, PTP_WORK)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    static_cast<EndpointVolume *>(self)->follow();
    if (SUCCEEDED(com))
        CoUninitialize();
}

void EndpointVolume::follow()
{
    AcquireSRWLockExclusive(&m_lock);
    if (m_ringing && !m_raised)
        raise();
    else if (!m_ringing && m_raised)
        restore();
    ReleaseSRWLockExclusive(&m_lock);
}

void EndpointVolume::raise()
{
    m_raised = true;
    m_changed.reset();
    Held<IMMDevice> device;
    Held<IAudioEndpointVolume> volume;
    if (!open(nullptr, device, volume))
        return;
    const std::optional<core::OutputLevel> found = levelOf(volume.p);
    const std::optional<core::OutputLevel> set = core::ringLevel(found);
    wchar_t *id = nullptr;
    if (!set || FAILED(device->GetId(&id)))
        return;
    m_changed = Raised{ id, *found, *set };
    CoTaskMemFree(id);
    apply(volume.p, *set);
}

void EndpointVolume::restore()
{
    m_raised = false;
    if (!m_changed)
        return;
    const Raised changed = *m_changed;
    m_changed.reset();
    Held<IMMDevice> device;
    Held<IAudioEndpointVolume> volume;
    if (!open(changed.device.c_str(), device, volume))
        return;
    if (const std::optional<core::OutputLevel> back
        = core::levelAfterRing(changed.found, changed.set, levelOf(volume.p)))
        apply(volume.p, *back);
}
