#pragma once

#include <QString>
#include <QStringList>

// What start-up made of the client's folder: its files made ready, the port read, the log
// configured. A file or folder that the disk or the account's rights refuse to have written does
// not stop the client (a second account on the till, a full disk): it runs without it and says so.
// What is there but cannot be read or is wrong stops it, as does a folder that cannot be named.
struct StartupOutcome
{
    // Not empty: start-up stops with this text (one of the "Failed to ..." texts, or log4cpp's).
    QString failure;
    // What could not be written, as the "Failed to ..." texts; the client runs on without it.
    QStringList unwritten;
    // The log is written.
    bool logging = false;
    // No settings file could be written: the service is looked for at the default port.
    bool defaultPort = false;
};

// Runs Settings and Logger as far as the disk allows; nothing is raised.
StartupOutcome prepareStartup();
