#include "bench/TableReporter.h"

#include <cstdio>

namespace {

std::string floorName(const std::string &name)
{
    const auto slash = name.find('/');
    if (slash == std::string::npos)
        return name + "Floor";
    return name.substr(0, slash) + "Floor" + name.substr(slash);
}

std::string human(double ns)
{
    char text[32];
    if (ns >= 1e6)
        std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3)
        std::snprintf(text, sizeof text, "%.2f us", ns / 1e3);
    else
        std::snprintf(text, sizeof text, "%.0f ns", ns);
    return text;
}

// Google Benchmark renamed a failed run's flag (error_occurred, later skipped); ask the run
// which one it has.
template <typename R> bool didNotRun(const R &run)
{
    if constexpr (requires { run.skipped; })
        return static_cast<bool>(run.skipped);
    else
        return run.error_occurred;
}

} // namespace

void TableReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.run_type != Run::RT_Iteration || didNotRun(run))
            continue;
        Row row;
        row.name = run.benchmark_name();
        row.ns = run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond   ? 1e6
                                              : run.time_unit == benchmark::kMicrosecond ? 1e3
                                                                                         : 1.0);
        if (auto t = run.counters.find("target_ns"); t != run.counters.end())
            row.targetNs = t->second.value;
        if (auto r = run.counters.find("target_ratio"); r != run.counters.end())
            row.targetRatio = r->second.value;
        if (auto m = run.counters.find("peak_MB"); m != run.counters.end())
            row.peakMb = m->second.value;
        m_byName[row.name] = row.ns;
        m_rows.push_back(row);
    }
}

void TableReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf(
        "\n| benchmark | time | floor | ratio | target | met |\n|---|---|---|---|---|---|\n");
    for (const Row &row : m_rows) {
        if (row.name.find("Floor") != std::string::npos)
            continue;
        const auto floor = m_byName.find(floorName(row.name));
        std::string floorText = "-", ratioText = "-";
        if (floor != m_byName.end()) {
            floorText = human(floor->second);
            char ratio[32];
            const double r = row.ns / floor->second;
            // A figure far below its floor (a cheap path beside a full one) reads as a share.
            if (r < 0.1)
                std::snprintf(ratio, sizeof ratio, "%.1f%%", r * 100);
            else
                std::snprintf(ratio, sizeof ratio, "%.1fx", r);
            ratioText = ratio;
        }
        std::string timeText = human(row.ns);
        if (row.peakMb > 0) {
            char peak[48];
            std::snprintf(peak, sizeof peak, " (peak %.1f MB)", row.peakMb);
            timeText += peak;
        }
        std::string target = row.targetNs > 0 ? "< " + human(row.targetNs) : "-";
        const char *met = row.targetNs <= 0 ? "-" : (row.ns <= row.targetNs ? "yes" : "no");
        if (row.targetRatio > 0 && floor != m_byName.end()) {
            char text[48];
            // A share below the floor reads as a percentage, a bound above it as a ratio.
            if (row.targetRatio < 1)
                std::snprintf(text, sizeof text, "< %.0f%% of floor", row.targetRatio * 100);
            else
                std::snprintf(text, sizeof text, "< %.1fx floor", row.targetRatio);
            target = text;
            met = row.ns <= row.targetRatio * floor->second ? "yes" : "no";
        }
        std::printf("| %s | %s | %s | %s | %s | %s |\n", row.name.c_str(), timeText.c_str(),
                    floorText.c_str(), ratioText.c_str(), target.c_str(), met);
    }
}
