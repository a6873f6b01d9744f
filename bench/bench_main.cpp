// The profile benchmarks. Every operation runs on every file of the work folder next to its
// floor (see floor.h), in the same run, so bench/compare can report each as a ratio.
//
//   velmora_bench [--workdir=DIR] [--prepare-only] [Google Benchmark flags]
//
// Without --workdir a temporary folder is used and removed afterwards. --prepare-only
// writes the files and exits, so other tools can be run on the same bytes.

#include "floor.h"
#include "platform/profile.h"
#include "sequences.h"
#include "workdir.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ini.h>
#include <iostream>
#include <strings.h>

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

namespace fs = std::filesystem;
using benchmark::State;

constexpr std::string_view kKey = "SkinDetail";

void setTraffic(State& state, const Traffic& perIteration, std::size_t bytes)
{
    state.counters["reads"] = perIteration.reads;
    state.counters["writes"] = perIteration.writes;
    state.counters["bytes"] = static_cast<double>(bytes);
}

void add(const std::string& name, std::function<void(State&)> body)
{
    benchmark::RegisterBenchmark(name.c_str(), std::move(body))
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

struct InihLookup {
    std::string section;
    std::string key;
    std::string value;
    bool found = false;
};

int inihHandler(void* user, const char* section, const char* name, const char* value)
{
    auto& lookup = *static_cast<InihLookup*>(user);
    if (!lookup.found && ::strcasecmp(section, lookup.section.c_str()) == 0 &&
        ::strcasecmp(name, lookup.key.c_str()) == 0) {
        lookup.value = value;
        lookup.found = true;
    }
    return 1;
}

void addKeyedOperations(const BenchFile& file)
{
    add("floor_read/" + file.name, [file](State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(readFloor(file.path));
        setTraffic(state, {1, 0}, file.size);
    });
    add("floor_replace/" + file.name, [file](State& state) {
        const auto path = scratchCopy(file, "floor");
        for (auto _ : state)
            replaceFloor(path);
        setTraffic(state, {0, 1}, file.size);
    });
    add("read/" + file.name, [file](State& state) {
        config::ReadModule module;
        for (auto _ : state) {
            module.ReadGameValue(config::kWindowsClient, kKey, file.path);
            benchmark::DoNotOptimize(module.ReadResult);
        }
        setTraffic(state, {1, 0}, file.size);
    });
    add("write/" + file.name, [file](State& state) {
        const auto path = scratchCopy(file, "write");
        config::ReadModule module;
        // Start from the value the file does not hold, so every write changes the file.
        module.ReadGameValue(config::kWindowsClient, kKey, path);
        bool high = module.ReadResult == "High";
        for (auto _ : state) {
            high = !high;
            const auto outcome =
                module.WriteGameValue(config::kWindowsClient, kKey, high ? "High" : "Low", path);
            if (outcome.status != platform::WriteStatus::Written)
                state.SkipWithError("the write did not change the file");
        }
        setTraffic(state, {0, 1}, file.size);
    });
    add("inih/" + file.name, [file](State& state) {
        for (auto _ : state) {
            InihLookup lookup{std::string(config::kWindowsClient), std::string(kKey), {}, false};
            if (ini_parse(file.path.c_str(), inihHandler, &lookup) < 0)
                state.SkipWithError("inih could not open the file");
            benchmark::DoNotOptimize(lookup.value);
        }
        setTraffic(state, {1, 0}, file.size);
    });
}

void addWindowOperations(const BenchFile& file)
{
    add("main_refresh/" + file.name, [file](State& state) {
        config::ReadModule module;
        MainView view;
        Traffic traffic;
        for (auto _ : state)
            traffic = mainRefresh(module, file.path, view);
        setTraffic(state, traffic, file.size);
    });
    add("editor_refresh/" + file.name, [file](State& state) {
        config::ReadModule module;
        RowValues rows;
        std::string device;
        Traffic traffic;
        for (auto _ : state)
            traffic = editorRefresh(module, file.path, rows, device);
        setTraffic(state, traffic, file.size);
    });
    // Slow and Fast in turn, as a user trying both would: the keys both presets set alike
    // are found unchanged and only read.
    add("preset/" + file.name, [file](State& state) {
        const auto path = scratchCopy(file, "preset");
        config::ReadModule module;
        Traffic total;
        bool fast = false;
        for (auto _ : state) {
            fast = !fast;
            const auto traffic =
                applyPreset(module, path, fast ? config::Preset::Fast : config::Preset::Slow);
            total.reads += traffic.reads;
            total.writes += traffic.writes;
        }
        const auto n = static_cast<int>(std::max<benchmark::IterationCount>(state.iterations(), 1));
        setTraffic(state, {total.reads / n, total.writes / n}, file.size);
    });
    add("apply/" + file.name, [file](State& state) {
        const auto path = scratchCopy(file, "apply");
        config::ReadModule module;
        const RowValues values[2] = {editorValues(false), editorValues(true)};
        Traffic traffic;
        bool alternate = false;
        for (auto _ : state) {
            alternate = !alternate;
            traffic = applyChanges(module, path, values[alternate ? 1 : 0]);
        }
        setTraffic(state, traffic, file.size);
    });
}

// A store with three saved sets, as a user who has saved a few has, restored before every
// save so the file does not grow from one iteration to the next.
void addSaveSet(const fs::path& workDir, const BenchFile& gameFile)
{
    const auto store = (workDir / "Velmora.ini").string();
    std::ofstream(store, std::ios::trunc).flush();
    config::ReadModule module;
    RowValues rows;
    std::string device;
    static_cast<void>(editorRefresh(module, gameFile.path, rows, device));
    for (const char* name : {"Lan party", "Laptop", "Sharp"})
        static_cast<void>(saveSet(store, name, rows));
    const BenchFile storeFile{"Velmora.ini", store, fs::file_size(store), false};
    const auto baseline = readFloor(store);

    add("floor_read/" + storeFile.name, [storeFile](State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(readFloor(storeFile.path));
        setTraffic(state, {1, 0}, storeFile.size);
    });
    add("floor_replace/" + storeFile.name, [storeFile](State& state) {
        const auto path = scratchCopy(storeFile, "floor");
        for (auto _ : state)
            replaceFloor(path);
        setTraffic(state, {0, 1}, storeFile.size);
    });
    add("save_set/" + storeFile.name, [storeFile, baseline, rows](State& state) {
        const auto path = scratchCopy(storeFile, "save");
        Traffic traffic;
        for (auto _ : state) {
            state.PauseTiming();
            std::ofstream(path, std::ios::binary | std::ios::trunc) << baseline;
            state.ResumeTiming();
            traffic = saveSet(path, "Benchmark", rows);
        }
        setTraffic(state, traffic, storeFile.size);
    });
}

struct Options {
    fs::path workDir;
    bool temporary = true;
    bool prepareOnly = false;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--workdir=")) {
            options.workDir = std::string(arg.substr(10));
            options.temporary = false;
        } else if (arg == "--prepare-only") {
            options.prepareOnly = true;
        } else {
            std::cerr << "velmora_bench: unknown argument " << arg << '\n';
            return false;
        }
    }
    if (options.temporary) {
        auto pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return false;
        options.workDir = pattern;
    }
    return true;
}

} // namespace
} // namespace velmora::bench

int main(int argc, char** argv)
{
    using namespace velmora::bench;
    benchmark::Initialize(&argc, argv);
    Options options;
    if (!parseOptions(argc, argv, options))
        return 2;
    const auto files = prepareWorkDir(VELMORA_BENCH_DATA, options.workDir);
    if (options.prepareOnly) {
        for (const auto& file : files)
            std::cout << file.path << '\n';
        return 0;
    }
    for (const auto& file : files)
        addKeyedOperations(file);
    const BenchFile* largestReal = nullptr;
    for (const auto& file : files) {
        if (file.generated)
            continue;
        addWindowOperations(file);
        if (largestReal == nullptr || file.size > largestReal->size)
            largestReal = &file;
    }
    if (largestReal != nullptr)
        addSaveSet(options.workDir, *largestReal);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(options.temporary ? options.workDir : options.workDir / "scratch");
    return 0;
}
