#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>

// The program's icons, each read once while the application lives: reading an .ico decodes
// every size in it, and the window, the tray and each summary change would read the same file.
class IconCache : public QObject
{
    Q_OBJECT

public:
    // The icon of the resource `path`; without an application object, read anew.
    static QIcon icon(const QString& path);

private:
    explicit IconCache(QObject* parent);

    QHash<QString, QIcon> icons;
};
