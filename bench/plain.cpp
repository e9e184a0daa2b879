// The memory limit: filling and copying the fixed 1280 x 1024 area of 32-bit
// pixels with the C library alone.
#include "bench.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace bench {

void registerplain() {
    static std::vector<uint32_t> a((size_t)areaw * areah, 0xFFFFFF), b((size_t)areaw * areah, 0);
    const size_t bytes = a.size() * 4;
    fixed(benchmark::RegisterBenchmark("plain/memset", [=](benchmark::State &st) {
        int i = 0;
        for (auto _ : st) {
            std::memset(a.data(), i++ & 0xFF, bytes);
            benchmark::ClobberMemory();
        }
        st.SetBytesProcessed((int64_t)st.iterations() * (int64_t)bytes);
    }));
    fixed(benchmark::RegisterBenchmark("plain/memcpy", [=](benchmark::State &st) {
        for (auto _ : st) {
            std::memcpy(b.data(), a.data(), bytes);
            benchmark::ClobberMemory();
        }
        st.SetBytesProcessed((int64_t)st.iterations() * (int64_t)bytes);
    }));
}

} // namespace bench
