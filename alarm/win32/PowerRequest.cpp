// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PowerRequest.h"

#include "WideText.h"

PowerRequest::~PowerRequest()
{
    release();
}

void PowerRequest::hold(const std::string &reason)
{
    release();
    std::wstring text = WideText::fromUtf8(reason);
    REASON_CONTEXT context{};
    context.Version = POWER_REQUEST_CONTEXT_VERSION;
    context.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    context.Reason.SimpleReasonString = text.data();
    m_request = PowerCreateRequest(&context);
    if (m_request == INVALID_HANDLE_VALUE) {
        m_request = nullptr;
        return;
    }
    PowerSetRequest(m_request, PowerRequestSystemRequired);
    if (m_display)
        PowerSetRequest(m_request, PowerRequestDisplayRequired);
}

void PowerRequest::release()
{
    if (!m_request)
        return;
    PowerClearRequest(m_request, PowerRequestSystemRequired);
    if (m_display)
        PowerClearRequest(m_request, PowerRequestDisplayRequired);
    CloseHandle(m_request);
    m_request = nullptr;
}
