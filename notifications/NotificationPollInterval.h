#pragma once

// How often the notification state asks for the unread count and the critical flags: every
// five minutes. For tests only, TORVO_TEST_POLL_MS (a whole number of milliseconds, at least 1)
// shortens it, so that a soak can run thousands of cycles; nothing else reads it, and an
// operator's machine never sets it.
int notificationPollIntervalMs();
