#include <cstdint>

#include <benchmark/benchmark.h>

#include "gfx/frame_buffer.h"

namespace {

// The clear that starts every frame.
void BM_ClearFrameBuffer(benchmark::State& state) {
  gfx::CreateFrameBuffer();
  for (auto _ : state) {
    gfx::ClearFrameBuffer();
    benchmark::DoNotOptimize(gfx::FrameBuffer());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(gfx::kFrameSize));
}
BENCHMARK(BM_ClearFrameBuffer);

}  // namespace
