#include "RatioReporter.h"

#include <cstdio>

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
        if (!run.error_occurred && run.iterations > 0 && run.run_type == Run::RT_Iteration)
            m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() /
                                              benchmark::GetTimeUnitMultiplier(run.time_unit);
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    for (const auto& [measured, reference] : m_ratios) {
        for (const auto& [name, seconds] : m_seconds) {
            if (name.rfind(measured + "/", 0) != 0)
                continue;
            const std::string argument = name.substr(measured.size());
            const auto base = m_seconds.find(reference + argument);
            if (base == m_seconds.end() || base->second <= 0)
                continue;
            std::printf("%s / %s = %.2f\n", name.c_str(), base->first.c_str(),
                        seconds / base->second);
        }
    }
}

} // namespace bench
