#pragma once

// The machine-wide event by which the installer and the uninstaller ask every client, in every
// session and of every account, to end (packaging/windows/torvo-clients.cpp sets it, EndRequest
// waits on it). Whoever makes it first gives it this security: the system and administrators may
// set it, every account may wait on it, and its owner (OW) gets no more than that.
#define TORVO_END_REQUEST_EVENT L"Global\\torvo-gui-end"
#define TORVO_END_REQUEST_SECURITY L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100000;;;BU)(A;;0x00100000;;;OW)"
