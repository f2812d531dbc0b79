// The calendar commands as the user runs them: the twelve month batches, the
// page text and the write, and the graph's scene that is rebuilt on a repaint.

#include "calendar/calendar_data.h"
#include "calendar/html_calendar.h"
#include "calendar/year_graph.h"
#include "reference_state.h"
#include "state/program_state.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace duskwheel;

ProgramState Paris(const std::string& dir) {
    ProgramState s = test::ReferenceState();
    s.FilesDir = dir;
    return s;
}

std::string BenchDir() {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("duskwheel-bench-calendar-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string();
}

// The whole "One year" command after its dialog: compute, build, write.
void BM_YearCalendarCommand(benchmark::State& st) {
    const std::string dir = BenchDir();
    ProgramState s = Paris(dir);
    for (auto _ : st) {
        PageWriteResult r = WriteYearCalendar(s, 2008);
        if (!r.ok) {
            st.SkipWithError("the year page was not written");
            break;
        }
        benchmark::DoNotOptimize(r);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_YearCalendarCommand)->Unit(benchmark::kMillisecond);

void BM_YearTables(benchmark::State& st) {
    ProgramState s = Paris({});
    for (auto _ : st) {
        YearTables t = ComputeYearTables(s, 2008);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_YearTables)->Unit(benchmark::kMillisecond);

void BM_YearPageBytes(benchmark::State& st) {
    ProgramState s = Paris({});
    const YearTables t = ComputeYearTables(s, 2008);
    for (auto _ : st) {
        std::string page = YearPageBytes(s, s.TownList[0], 2008, t);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_YearPageBytes)->Unit(benchmark::kMicrosecond);

void BM_MonthCalendarCommand(benchmark::State& st) {
    const std::string dir = BenchDir();
    ProgramState s = Paris(dir);
    for (auto _ : st) {
        PageWriteResult r = WriteMonthCalendar(s, 2008, 3);
        if (!r.ok) {
            st.SkipWithError("the month page was not written");
            break;
        }
        benchmark::DoNotOptimize(r);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MonthCalendarCommand)->Unit(benchmark::kMicrosecond);

void BM_GraphPlotScene(benchmark::State& st) {
    ProgramState s = Paris({});
    const std::optional<YearGraph> g = ComputeYearGraph(s, 0, 2008);
    for (auto _ : st) {
        std::vector<graph::Shape> scene = graph::PlotScene(*g);
        benchmark::DoNotOptimize(scene);
    }
}
BENCHMARK(BM_GraphPlotScene)->Unit(benchmark::kMicrosecond);

} // namespace
