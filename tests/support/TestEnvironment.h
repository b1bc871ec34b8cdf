#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private machine-wide data folder (PROGRAMDATA) with a settings file naming `port`, and the
// client's Settings and Logger configured from it, as main() does. One per test process.
class TestEnvironment
{
public:
    explicit TestEnvironment(int port);

    QString dataDir() const { return dir.path(); }
    static QString logFilePath();

private:
    QTemporaryDir dir;
};

// Reads back what log4cpp wrote into gui.log.
class LogReader
{
public:
    LogReader();

    // Forget everything logged so far; later calls see only newer lines.
    void mark();
    // Lines written since the last mark(), without the line breaks.
    QStringList lines() const;
    // Only the message part of each line (after "[GUI] ").
    QStringList messages() const;
    bool contains(const QString& text) const;
    int count(const QString& text) const;

private:
    qint64 offset = 0;
};
