#pragma once
// The console report of a benchmark program that also keeps every benchmark's times, so
// that the program can print its ratios against a baseline timed in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace kesto::bench {

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    struct Times
    {
        double real = 0; // mean wall-clock seconds per iteration (the last run)
        double cpu = 0; // mean CPU seconds per iteration (the last run)
        // The best wall-clock time per iteration over the repetitions, in the benchmark's
        // own unit: other work on the machine only ever makes a run slower.
        double best = 0;
    };

    // By the name the benchmark was registered under.
    std::map<std::string, Times> times;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
                continue;
            const double n = double(run.iterations);
            const double best = run.GetAdjustedRealTime();
            auto [it, fresh] = times.try_emplace(run.run_name.function_name);
            it->second.real = run.real_accumulated_time / n;
            it->second.cpu = run.cpu_accumulated_time / n;
            it->second.best = fresh ? best : std::min(it->second.best, best);
        }
    }

    // The times of one benchmark, or null when it did not run.
    const Times *find(const std::string &name) const
    {
        const auto it = times.find(name);
        return it == times.end() ? nullptr : &it->second;
    }
};

} // namespace kesto::bench
