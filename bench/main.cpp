// Runs the benchmarks and sets each skin mode's time against the floor of the same size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Console output as usual, plus the best time (seconds) of every benchmark for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            const double time =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Iteration) {
                auto it = m_best.find(name);
                if (it == m_best.end() || time < it->second)
                    m_best[name] = time;
            } else if (run.aggregate_name == "median" && !m_best.count(name)) {
                m_best[name] = time;
            }
        }
    }

    // "BM_SkinMode/<mode>/<w>/<h>" against "BM_SkinFloor/<w>/<h>".
    void PrintSkinRatios() const {
        const std::string modePrefix = "BM_SkinMode/";
        bool header = false;
        for (const auto& [name, time] : m_best) {
            if (name.rfind(modePrefix, 0) != 0)
                continue;
            const std::string rest = name.substr(modePrefix.size());
            const size_t slash = rest.find('/');
            if (slash == std::string::npos)
                continue;
            const std::string size = rest.substr(slash + 1);
            const auto floor = m_best.find("BM_SkinFloor/" + size);
            if (floor == m_best.end() || floor->second <= 0)
                continue;
            if (!header) {
                std::printf("\nSkin modes against the floor (one draw and one byte per pixel):\n");
                header = true;
            }
            std::printf("  mode %-3s %-9s %9.1f us  floor %9.1f us  ratio %.2f\n",
                        rest.substr(0, slash).c_str(), size.c_str(), time * 1e6,
                        floor->second * 1e6, time / floor->second);
        }
    }

private:
    std::map<std::string, double> m_best;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSkinRatios();
    benchmark::Shutdown();
    return 0;
}
