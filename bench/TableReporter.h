#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints one table at the end: each figure beside its floor, measured in the same run, with
// the ratio and the target. A benchmark's floor is the one named "<name>Floor" with the same
// arguments; its target is its counter "target_ns" (nanoseconds) or "target_ratio" (a share
// of its floor).
class TableReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    struct Row
    {
        std::string name;
        double ns = 0;
        double targetNs = 0;
        double targetRatio = 0; // of the floor, when the target is a share of it
        double peakMb = 0;
    };
    std::vector<Row> m_rows;
    std::map<std::string, double> m_byName;
};
