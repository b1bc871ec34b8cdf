#pragma once

#include <QString>

#include <vector>

// The figures every benchmark prints, one line per measured quantity, which scripts/bench
// gathers into docs/performance.md:
//   RESULT<TAB>what<TAB>runs<TAB>median<TAB>baseline<TAB>ratio<TAB>goal<TAB>met
struct BenchResult
{
    QString what;
    int runs = 0;
    QString median;
    QString baseline; // what the median is measured against, if anything
    QString ratio;
    QString goal;
    QString met; // "yes", "no", or empty where there is no goal
};

void printResult(const BenchResult& result);
QString metText(bool met);

double median(std::vector<double> values);
QString formatMs(double ms);
QString formatMiB(double kib);
