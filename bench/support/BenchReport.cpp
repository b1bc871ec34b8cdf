#include "BenchReport.h"

#include <algorithm>
#include <cstdio>

void printResult(const BenchResult& result)
{
    const auto field = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("—") : text;
    };
    std::printf("RESULT\t%s\t%d\t%s\t%s\t%s\t%s\t%s\n", result.what.toUtf8().constData(), result.runs,
                field(result.median).toUtf8().constData(), field(result.baseline).toUtf8().constData(),
                field(result.ratio).toUtf8().constData(), field(result.goal).toUtf8().constData(),
                field(result.met).toUtf8().constData());
    std::fflush(stdout);
}

QString metText(bool met)
{
    return met ? QStringLiteral("yes") : QStringLiteral("no");
}

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QString formatMs(double ms)
{
    return ms >= 100 ? QStringLiteral("%1 ms").arg(ms, 0, 'f', 0)
                     : QStringLiteral("%1 ms").arg(ms, 0, 'f', 1);
}

QString formatMiB(double kib)
{
    return QStringLiteral("%1 MiB").arg(kib / 1024.0, 0, 'f', 1);
}
