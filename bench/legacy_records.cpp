// Old settings records: a million chosen-file records, half in the current 64-byte form
// and half in the old 49-byte form (alternating), read back to back from a memory stream.
//
// BM_TChosenFileRecFromStream reads them with the converting reader (which looks at each
// record's first integer, seeks back for the current form and dates old records from
// their Date); BM_ReadBuffer_blocks reads the same bytes with ReadBuffer in record-sized
// blocks and does nothing else. items_per_second counts records.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/definitions/Convert_old_record_types.hpp"

namespace {

using namespace corvane;

constexpr int kCount = 1'000'000;

const std::vector<std::uint8_t>& records() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::vector<std::uint8_t> b;
    b.reserve(kCount / 2 * (kChosenFileRecSize + kChosenFileOldSize));
    for (int i = 0; i < kCount; ++i) {
      if (i % 2 == 0) {
        TChosenFile_BaseRec rec;
        rec.FolderData = i % 300;
        rec.Zip_Num = -1;
        rec.Date = 40179.0 + i % 5000;
        rec.Size = 1000 + i;
        rec.Words = i;
        rec.version = 3;
        rec.TextualDateAndTime = 4098788.5 + i % 5000;
        std::uint8_t out[kChosenFileRecSize];
        ChosenFileToBytes(rec, out);
        b.insert(b.end(), out, out + kChosenFileRecSize);
      } else {
        TChosenFile_OldRec old;
        old.FolderData = i % 300;
        old.Date = 36000.0 + i % 9000;
        old.Size = 1000 + i;
        old.Words = i;
        std::uint8_t out[kChosenFileOldSize];
        ChosenFileOldToBytes(old, out);
        b.insert(b.end(), out, out + kChosenFileOldSize);
      }
    }
    return b;
  }();
  return bytes;
}

void BM_TChosenFileRecFromStream(benchmark::State& state) {
  TBytesStream stream(records());
  TChosenFile_BaseRec rec;
  for (auto _ : state) {
    stream.SetPosition(0);
    std::int64_t words = 0;
    for (int i = 0; i < kCount; ++i) {
      if (!TChosenFileRecFromStream(stream, rec)) state.SkipWithError("short read");
      words += rec.Words;
    }
    benchmark::DoNotOptimize(words);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TChosenFileRecFromStream)->Unit(benchmark::kMillisecond);

void BM_ReadBuffer_blocks(benchmark::State& state) {
  TBytesStream stream(records());
  std::uint8_t block[kChosenFileRecSize];
  for (auto _ : state) {
    stream.SetPosition(0);
    std::int64_t words = 0;
    for (int i = 0; i < kCount; ++i) {
      stream.ReadBuffer(block, i % 2 == 0 ? kChosenFileRecSize : kChosenFileOldSize);
      std::int32_t w;
      std::memcpy(&w, block + (i % 2 == 0 ? 24 : 18), 4);
      words += w;
    }
    benchmark::DoNotOptimize(words);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ReadBuffer_blocks)->Unit(benchmark::kMillisecond);

// The date conversion the reader does for each old record, alone: half a million dates.
void BM_DateTimeToJulianAddingConst_half(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (int i = 1; i < kCount; i += 2) sum += DateTimeToJulianAddingConst(36000.0 + i % 9000);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount / 2);
}
BENCHMARK(BM_DateTimeToJulianAddingConst_half)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
