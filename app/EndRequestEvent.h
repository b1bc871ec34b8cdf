#pragma once

// The machine-wide event by which the installer and the uninstaller ask every client, in every
// session and of every account, to end: set by packaging/windows/torvo-clients.cpp, waited on by
// EndRequest. Whoever makes it first gives it this security: the system and administrators may set
// it, every account may wait on it, and its owner (OW) gets no more than that.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#define TORVO_END_REQUEST_EVENT L"Global\\torvo-gui-end"

// The event, made with that security if nobody has made it yet, otherwise opened with `access`
// (what another account's event leaves this one). Null if neither can be done.
inline HANDLE openEndRequestEvent(DWORD access)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100000;;;BU)(A;;0x00100000;;;OW)", SDDL_REVISION_1, &descriptor,
        nullptr);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    HANDLE event = CreateEventW(descriptor ? &attributes : nullptr, TRUE, FALSE, TORVO_END_REQUEST_EVENT);
    if (!event) {
        event = OpenEventW(access, FALSE, TORVO_END_REQUEST_EVENT);
    }
    LocalFree(descriptor);
    return event;
}
#endif
