#pragma once

#include <QObject>
#include <QVector>

class NotificationState;
class NotificationTable;
class NotificationsPage;
class PaintWatch;

// Loads every notification of the selected device as an operator does: the page's reload
// button, then the table scrolled to its end each time a page has arrived, until the service
// has no more. Records the CPU time of the process for each page, from the scroll that asked
// for it to the moment the table has been synced and laid out, and painted where the rows show.
class ScrollLoader : public QObject
{
    Q_OBJECT

public:
    struct Page
    {
        int rows = 0; // rows held once the page was shown
        double cpuMs = 0;
    };

    explicit ScrollLoader(NotificationsPage* page);

    // False when no page arrived for `stallMs`.
    bool loadAll(int stallMs = 60000);

    const QVector<Page>& pages() const { return loaded; }
    double totalCpuMs() const;
    double wallMs() const { return wall; }
    // Paint events of the table's viewport during the load.
    int paintCount() const { return paintsDuringLoad; }

    // Waits until no request object is alive any more, everything answered and released.
    static bool settle(int timeoutMs = 60000);

private:
    NotificationsPage* page;
    NotificationState* state;
    NotificationTable* table;
    PaintWatch* paints;
    QVector<Page> loaded;
    double wall = 0;
    bool pageArrived = false;
    bool lastPageFull = false;
    int paintsAtPage = 0;
    int rangeAtPage = 0;
    int rowsAtPage = 0;
    int paintsDuringLoad = 0;
};
