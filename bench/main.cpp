// The benchmark's entry: opens the program's window as start-up does (under
// SDL's dummy driver unless another is chosen), registers dg, the peer and the
// memory limit, and runs them. With --table, the results end in one table.
#include "bench.h"
#include "host.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

// The runtime links against a hosted program; here nothing calls it.
int Main(void) { return 0; }

namespace {

// Progress on standard error, the table on standard output at the end.
class TableReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context &context) override {
        benchmark::ConsoleReporter::PrintBasicContext(&std::cerr, context);
        return true;
    }
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
            // CPU time: on a machine shared with other work, what the
            // process itself spent, whoever else had the processor meanwhile.
            if (r.cpu_accumulated_time <= 0) continue;
            double ops = (double)r.iterations / r.cpu_accumulated_time;
            bench::addrun(r.benchmark_name().c_str(), ops);
            std::fprintf(stderr, "%-40s %14.0f ops/s\n", r.benchmark_name().c_str(), ops);
        }
    }
    void Finalize() override { bench::printtable(); }
};

} // namespace

int main(int argc, char **argv) {
    bool table = false;
    int n = 1;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--table") == 0)
            table = true;
        else
            argv[n++] = argv[i];
    }
    argc = n;
    argv[argc] = nullptr;

    setenv("SDL_VIDEODRIVER", "dummy", 0);
    dg_open(GetModuleHandleA(nullptr));

    bench::registerdg();
    bench::registerpeer();
    bench::registerplain();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    if (table) {
        TableReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    return 0;
}
