// The notification merge and the table's sync on arbitrary pages: ids from a few (duplicates
// within and across pages) to the whole int range, empty and odd fields, unknown modules and
// types, pages of thousands, clears, module filters and sort orders in between. After every
// step the collection is what the merge rules give, and the table holds exactly its ids, each
// once, with the record's values, hidden exactly when the filter leaves its module out.
#include "notifications/NotificationListModel.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"

#include <QApplication>
#include <QSortFilterProxyModel>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

// Reaches the merge, which only a list reply calls.
class NotificationMergeProbe
{
public:
    static void merge(NotificationState& state, const QList<NotificationInfo>& page)
    {
        state.updateNotification(page);
    }
};

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

QString someText(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("2024-05-%1T10:00:00").arg(input.ConsumeIntegralInRange(0, 40));
    default:
        return QString::fromUtf8(input.ConsumeRandomLengthString(24).c_str());
    }
}

int someId(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return input.PickValueInArray({0, -1, INT_MIN, INT_MAX});
    case 1:
        return input.ConsumeIntegral<int>();
    default:
        return input.ConsumeIntegralInRange(0, 31); // few ids: duplicates and refreshes
    }
}

NotificationInfo someRecord(FuzzedDataProvider& input)
{
    NotificationInfo info;
    info.id = someId(input);
    info.header = someText(input);
    info.message = someText(input);
    info.dateTime = someText(input);
    info.notificationModule = NotificationModule(input.ConsumeIntegralInRange(int(LDB), int(UNKNOWN)));
    info.notificationType = NotificationType(input.ConsumeIntegralInRange(int(Read), int(Error)));
    info.isRead = input.ConsumeBool();
    return info;
}

// Pages of thousands are rare and the collection stays within a few thousand, so that each
// input runs in milliseconds; the table's speed at ten thousand is the benchmark's business.
const int largestCollection = 2000;

QList<NotificationInfo> somePage(FuzzedDataProvider& input, int held)
{
    QList<NotificationInfo> page;
    if (input.ConsumeIntegralInRange(0, 31) == 0 && held < largestCollection) {
        // A page of thousands from a few bytes, on ids spread or packed.
        const int count =
            input.ConsumeIntegralInRange(std::min(100, largestCollection - held), largestCollection - held);
        const int first = someId(input);
        const int stride = input.ConsumeIntegralInRange(-3, 1000);
        const NotificationInfo pattern = someRecord(input);
        for (int i = 0; i < count; ++i) {
            NotificationInfo info = pattern;
            info.id = int(unsigned(first) + unsigned(i) * unsigned(stride));
            info.header = QString::number(i);
            page.append(info);
        }
        return page;
    }
    const int count = input.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        page.append(someRecord(input));
    }
    return page;
}

// The merge rules: every id of the page takes its last record there; nothing else changes.
NotificationHash expectedMerge(NotificationHash held, const QList<NotificationInfo>& page, bool& changed)
{
    changed = false;
    for (const NotificationInfo& info : page) {
        auto found = held.find(info.id);
        if (found == held.end()) {
            held.insert(info.id, info);
            changed = true;
        } else if (found.value() != info) {
            found.value() = info;
            changed = true;
        }
    }
    return held;
}

void checkTable(const NotificationTable& table, const NotificationHash& hash,
                const QSet<NotificationModule>& filter)
{
    const NotificationListModel* model = table.rowModel();
    const auto* shown = qobject_cast<const QSortFilterProxyModel*>(table.QAbstractItemView::model());
    check(shown && shown->sourceModel() == model, "the view shows the rows through the proxy");
    check(model->rowCount() == hash.size(), "one row per notification");
    QSet<int> seen;
    int visible = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const auto cell = [model, row](int column, int role) {
            return model->index(row, column).data(role);
        };
        const int id = cell(2, IdRole).toInt();
        check(!seen.contains(id), "no notification has two rows");
        seen.insert(id);
        const auto held = hash.constFind(id);
        check(held != hash.constEnd(), "every row is a notification of the collection");
        const NotificationInfo& info = held.value();
        check(cell(2, HeaderRole).toString() == info.header, "the row shows the record's header");
        check(cell(2, MessageRole).toString() == info.message, "the row shows the record's message");
        check(cell(2, DateTimeRole).toString() == info.dateTime, "the row keeps the record's time");
        check(cell(0, DateTimeRole).toString() == info.dateTime, "the time cell's stamp");
        check(cell(2, TypeRole).toInt() == int(info.notificationType), "the row's type");
        check(cell(1, ModuleRole).toInt() == int(info.notificationModule), "the row's module");
        check(cell(1, Qt::DisplayRole).toString() == notificationModuleName(info.notificationModule),
              "the module's name");
        const bool rowShown = shown->mapFromSource(model->index(row, 0)).isValid();
        check(rowShown == filter.contains(info.notificationModule),
              "hidden exactly when the filter leaves the module out");
        visible += rowShown ? 1 : 0;
    }
    check(shown->rowCount() == visible, "the view shows each visible row once");
}

QApplication* application = nullptr;
NotificationState* state = nullptr;
NotificationTable* table = nullptr;
int emitted = 0;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QApplication(*argc, *argv);
    state = new NotificationState(nullptr);
    table = new NotificationTable();
    table->resize(600, 400);
    // As the notifications page wires them.
    QObject::connect(state, &NotificationState::notificationChanged, table,
                     &NotificationTable::updateFromState);
    QObject::connect(state, &NotificationState::notificationChanged, table, [] { ++emitted; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    state->clearNotifications();
    QSet<NotificationModule> filter = defaultModuleFilter();
    table->setModuleFilter(filter);
    table->sortByColumn(0, Qt::DescendingOrder);
    check(table->QAbstractItemView::model()->rowCount() == 0, "a cleared collection empties the table");

    for (int step = 0; step < 16 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            state->clearNotifications();
            check(state->getNotifications().isEmpty(), "a clear empties the collection");
            break;
        case 1:
            filter.clear();
            for (int module = LDB; module <= UNKNOWN; ++module) {
                if (input.ConsumeBool()) {
                    filter.insert(NotificationModule(module));
                }
            }
            table->setModuleFilter(filter);
            break;
        case 2:
            table->sortByColumn(input.ConsumeIntegralInRange(0, 2),
                                input.ConsumeBool() ? Qt::AscendingOrder : Qt::DescendingOrder);
            break;
        default: {
            const QList<NotificationInfo> page = somePage(input, state->getNotifications().size());
            bool changed = false;
            const NotificationHash expected = expectedMerge(state->getNotifications(), page, changed);
            emitted = 0;
            NotificationMergeProbe::merge(*state, page);
            check(state->getNotifications() == expected, "the merge adds and refreshes, never removes");
            check(emitted == (changed ? 1 : 0), "a change is announced once, no change never");
            break;
        }
        }
        checkTable(*table, state->getNotifications(), filter);
    }
    QCoreApplication::processEvents();
    return 0;
}
