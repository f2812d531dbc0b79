#include "astro/primitives.h"
#include "reference_state.h"
#include "state/program_state.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <unistd.h>

#if defined(__GNUC__) && !defined(__clang__)
// The replacement operators below pair malloc with free; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Counts heap allocations so a benchmark can show that computing needs none.
static std::atomic<long long> g_allocations{0};

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace duskwheel;

void BM_OneDay(benchmark::State& bs) {
    ProgramState s = test::ReferenceState();
    s.SetDate(2008, 12, 21);
    const long long before = g_allocations.load();
    for (auto _ : bs) {
        s.ComputePrayerTimes();
        benchmark::DoNotOptimize(s.FinalTimes);
    }
    bs.counters["allocs/iter"] = benchmark::Counter(
        static_cast<double>(g_allocations.load() - before) / static_cast<double>(bs.iterations()));
}
BENCHMARK(BM_OneDay);

void BM_YearOfOneTown(benchmark::State& bs) {
    ProgramState s = test::ReferenceState();
    MonthTable table{};
    WeekdayList weekdays{};
    const long long before = g_allocations.load();
    for (auto _ : bs) {
        for (int month = 1; month <= 12; ++month) {
            s.ComputeMonth(2008, month, table, weekdays);
            benchmark::DoNotOptimize(table);
        }
    }
    bs.counters["allocs/iter"] = benchmark::Counter(
        static_cast<double>(g_allocations.load() - before) / static_cast<double>(bs.iterations()));
}
BENCHMARK(BM_YearOfOneTown)->Unit(benchmark::kMicrosecond);

void BM_ReadConfigFile1000Towns(benchmark::State& bs) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("duskwheel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ProgramState source = test::ReferenceState();
    source.FilesDir = dir.string();
    source.TownList.clear();
    for (int i = 0; i < 1000; ++i) {
        source.TownList.push_back(TownData{"Country" + std::to_string(i),
                                           "Town" + std::to_string(i), -180 + i * 0.36,
                                           -60 + i * 0.12, i % 25 - 12, i % 9, i % 3});
    }
    source.NumberOfTowns = 1000;
    source.WriteConfigFile();
    for (auto _ : bs) {
        ProgramState s;
        s.FilesDir = dir.string();
        benchmark::DoNotOptimize(s.ReadConfigFile());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadConfigFile1000Towns)->Unit(benchmark::kMicrosecond);

} // namespace
