#include "ui/IconCache.h"

#include <QCoreApplication>

IconCache::IconCache(QObject* parent)
    : QObject(parent)
{
}

QIcon IconCache::icon(const QString& path)
{
    // Owned by the application, so that the pixmaps go before the window system does.
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        return QIcon(path);
    }
    auto* cache = application->findChild<IconCache*>(QString(), Qt::FindDirectChildrenOnly);
    if (!cache) {
        cache = new IconCache(application);
    }
    auto held = cache->icons.find(path);
    if (held == cache->icons.end()) {
        held = cache->icons.insert(path, QIcon(path));
    }
    return held.value();
}
