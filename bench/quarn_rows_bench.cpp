// What the list model's row operations cost as the box grows: filling a box, and inserting
// or deleting at its top (the rows below move, so one operation costs in proportion to the
// number of rows).

#include <benchmark/benchmark.h>

#include <memory>

#include "quarnctrl/quarn_ctrl.h"

namespace {

constexpr DWORD kDate = 0x07EA0C08;

using Box = std::unique_ptr<CQuarnToDoListBox, CQuarnBoxDeleter>;

Box MakeItemBox(int rows) {
  RECT rect{0, 0, 460, 510};
  Box box(
      static_cast<CQuarnToDoListBox*>(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoItem", &rect, 0)));
  for (int i = 0; i < rows; ++i) box->AddItem(i % 2, "an item of an ordinary length", kDate);
  return box;
}

void FillBox(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Box box = MakeItemBox(rows);
    benchmark::DoNotOptimize(box->GetCount());
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

void InsertAtTop(benchmark::State& state) {
  Box box = MakeItemBox(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    box->InsertItem(0, 0, "a new first item", kDate);
    state.PauseTiming();
    box->DeleteItem(static_cast<unsigned>(box->GetCount() - 1));  // keep the size
    state.ResumeTiming();
  }
}

void DeleteAtTop(benchmark::State& state) {
  Box box = MakeItemBox(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    box->DeleteItem(0);
    state.PauseTiming();
    box->AddItem(0, "an item of an ordinary length", kDate);  // keep the size
    state.ResumeTiming();
  }
}

BENCHMARK(FillBox)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertAtTop)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteAtTop)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
