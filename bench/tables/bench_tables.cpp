// What the first display of a character costs: creating the table holder with
// all four tables from the generated data, and each of the two tables of this
// folder alone; then one later display.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "app/mainform.h"
#include "chardata/uChineseFuns.h"
#include "chardata/uCommonFuns.h"
#include "platform/text.h"

namespace bushou {
namespace {

// The build's generated data as the all-users root; no per-user files.
void UseGeneratedData() {
  ::setenv("XDG_DATA_DIRS", BUSHOU_DATA_ROOT, 1);
  ::setenv("XDG_DATA_HOME", BUSHOU_DATA_ROOT "/no-such-folder", 1);
  BuildCharSetTable();
}

// Back to the state before the first display: no holder, no relations, no classes.
void StartOver() {
  FreeChineseChars();
  FreeRalationCC();
  ResetCharClasses();
}

void BM_GetChineseChars(benchmark::State& state) {
  UseGeneratedData();
  for (auto _ : state) {
    state.PauseTiming();
    StartOver();
    state.ResumeTiming();
    benchmark::DoNotOptimize(&GetChineseChars());
  }
  StartOver();
}
BENCHMARK(BM_GetChineseChars)->Unit(benchmark::kMillisecond);

void BM_LoadStrokeTable(benchmark::State& state) {
  UseGeneratedData();
  const std::u16string path = platform::FromUtf8(BUSHOU_DATA_ROOT "/velmora6/zi/hzbh.dat");
  for (auto _ : state) {
    auto table = std::make_unique<THZBH>(path, false);
    benchmark::DoNotOptimize(table->MarkedCount());
  }
}
BENCHMARK(BM_LoadStrokeTable)->Unit(benchmark::kMillisecond);

void BM_LoadSimpTradTable(benchmark::State& state) {
  UseGeneratedData();
  const std::u16string path = platform::FromUtf8(BUSHOU_DATA_ROOT "/velmora6/zi/hzjf.dat");
  for (auto _ : state) {
    state.PauseTiming();
    StartOver();
    state.ResumeTiming();
    auto table = std::make_unique<THZJF>(path, false);
    benchmark::DoNotOptimize(table.get());
  }
  StartOver();
}
BENCHMARK(BM_LoadSimpTradTable)->Unit(benchmark::kMillisecond);

void BM_ShowCharDetails(benchmark::State& state) {
  UseGeneratedData();
  GetChineseChars();
  TfMain form;
  for (auto _ : state) {
    form.ShowCharDetails(u"中");
    benchmark::DoNotOptimize(form.lblPY.Caption().data());
  }
  StartOver();
}
BENCHMARK(BM_ShowCharDetails)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bushou

BENCHMARK_MAIN();
