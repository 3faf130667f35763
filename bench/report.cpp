// SPDX-License-Identifier: MIT
// Runs the benchmarks, then prints the ratios that matter: each figure against
// its baseline from the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Keeps the mean time per iteration (ns) of every benchmark it reports.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime() *
                benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

// (figure, baseline, what the ratio says)
constexpr const char* kRatios[][3] = {
    {"BM_EvalVSOP_EarthLBR", "BM_PlainLoop_EarthLBR", "EvalVSOP, three sets, against the plain loop"},
    {"BM_SunLongitude/flags:0", "BM_EvalVSOP_EarthLBR", "the Sun's longitude, flags 0, against EvalVSOP"},
    {"BM_SunLongitude/flags:15", "BM_EvalVSOP_EarthLBR", "the Sun's longitude, flags 15, against EvalVSOP"},
    {"BM_MoonPosition/index:9", "BM_EvalVSOP_EarthLBR", "the Moon's longitude against EvalVSOP"},
    {"BM_MoonPosition/index:16", "BM_EvalVSOP_EarthLBR", "the Moon's altitude against EvalVSOP"},
    {"BM_DaySixEvents", "BM_LibnovaSixEvents", "the six events of a day against libnova"},
    {"BM_DayView", "BM_LibnovaSixEvents", "a whole day view against libnova's six events"},
    {"BM_CliYearRange", "BM_LibnovaYearRange", "a year of helune-cli range against libnova's six events"},
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nRatios (same run):\n");
    for (const auto& [figure, baseline, what] : kRatios) {
        const auto f = reporter.nanoseconds.find(figure);
        const auto b = reporter.nanoseconds.find(baseline);
        if (f == reporter.nanoseconds.end() || b == reporter.nanoseconds.end()) continue;
        std::printf("  %-52s %10.0f ns / %10.0f ns = %.3f\n", what, f->second, b->second, f->second / b->second);
    }
    if (!reporter.nanoseconds.count("BM_LibnovaSixEvents"))
        std::printf("  libnova is not installed: no peer figures (apt-get install libnova-dev)\n");
    return 0;
}
