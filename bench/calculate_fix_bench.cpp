#include <benchmark/benchmark.h>

#include "calculate_fix.h"
#include "entry_binding.h"

namespace {

// One click on the window's starting entries, conversions and text included.
void CalculateFixOnStartingEntries(benchmark::State& state) {
    const quorvel::FixEntries entries = quorvel::StartingEntries();
    const quorvel::RegionalSettings region{".", ","};
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvel::Command1_Click(entries, region));
    }
}
BENCHMARK(CalculateFixOnStartingEntries);

}  // namespace
