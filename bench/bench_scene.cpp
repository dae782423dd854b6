// Saving and loading a scene of a million mixed objects, to and from a real file. The
// save is timed twice: on the temporary folder's disk, flush to the device included, and
// on a memory file system (/dev/shm) where the flush costs nothing, which gives the time
// a save takes before it waits for the disk.
#include "scene/tvn_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

void fillMixed(CTorvaneDoc& doc, int n) {
    for (int i = 0; i < n; ++i) {
        const int kind = i % 4;
        if (isLineKind(kind))
            doc.addObject(kind, i * 0.5, -i * 0.25, i * 0.125, 3.0, i % 256, 0, 0);
        else
            doc.addObject(kind, i * 0.5, -i * 0.25, 1.0 + i % 7, 0, i % 256, 0);
    }
}

std::string benchPath(const std::filesystem::path& dir = std::filesystem::temp_directory_path()) {
    return (dir / "torvane_bench_scene.tvn").string();
}

void saveMillion(benchmark::State& state, const std::string& path) {
    CTorvaneDoc doc;
    fillMixed(doc, static_cast<int>(state.range(0)));
    std::string error;
    for (auto _ : state)
        if (!saveSceneFile(path, doc, &error))
            state.SkipWithError(error.c_str());
    std::remove(path.c_str());
}

void BM_SaveMillion(benchmark::State& state) {
    saveMillion(state, benchPath());
}

void BM_SaveMillionBeforeFlush(benchmark::State& state) {
    const std::filesystem::path memory = "/dev/shm";
    if (!std::filesystem::is_directory(memory)) {
        state.SkipWithError("no /dev/shm here");
        return;
    }
    saveMillion(state, benchPath(memory));
}

void BM_LoadMillion(benchmark::State& state) {
    const std::string path = benchPath();
    {
        CTorvaneDoc doc;
        fillMixed(doc, static_cast<int>(state.range(0)));
        std::string error;
        saveSceneFile(path, doc, &error);
    }
    std::string error;
    for (auto _ : state) {
        CTorvaneDoc doc;
        if (!loadSceneFile(path, doc, &error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(doc.objectCount);
        state.PauseTiming(); // freeing the list is not part of loading
        doc.removeAll();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_SaveMillion)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMillionBeforeFlush)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMillion)->Arg(1000000)->Unit(benchmark::kMillisecond);
