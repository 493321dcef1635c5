#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// The console's report, followed by the ratios of chosen benchmarks to a reference one of
// the same argument, e.g. "BM_WorksheetLoad/300000 / BM_SqliteItemScan/300000 = 2.1".
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Each pair is (measured, reference), as names without their argument.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> ratios)
        : m_ratios(std::move(ratios))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<std::pair<std::string, std::string>> m_ratios;
    std::map<std::string, double> m_seconds; // real time per iteration, by full name
};

} // namespace bench
