#pragma once

// Start-up's last check of the log: every file the "GUI" category writes to (or the root
// category, which it may pass its lines to) can be opened for writing. log4cpp itself says
// nothing when it cannot open one, and the client would then run for days without a log.
// Throws SettingsError "Failed to open log file" otherwise.
void checkLogFiles();
