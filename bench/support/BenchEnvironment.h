#pragma once

#include <QTemporaryDir>

// A private machine-wide data folder with a settings file naming `port`, and the client's
// Settings and Logger configured from it as main() does: the log is written as in a real run.
class BenchEnvironment
{
public:
    explicit BenchEnvironment(int port);

    bool isValid() const { return valid; }
    static QString logFilePath();
    static qint64 logBytes();
    static qint64 logLines();

private:
    QTemporaryDir dir;
    bool valid = false;
};
