// One process snapshot, as every activation action takes afresh.
#include "EnumProcesses.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ProcessSnapshot(benchmark::State& state) {
    CEnumProcesses processes;
    for (auto _ : state) {
        if (!processes.Refresh()) {
            state.SkipWithError("no process list on this system");
            break;
        }
        benchmark::DoNotOptimize(processes.Size());
    }
    state.counters["processes"] = static_cast<double>(processes.Size());
}

} // namespace

BENCHMARK(BM_ProcessSnapshot)->Unit(benchmark::kMicrosecond);
