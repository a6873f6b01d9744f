// The profile benchmarks. Every operation runs on every file of the work folder next to its
// floor (see floor.h), in the same run, so bench/compare can report each as a ratio.
//
//   velmora_bench [--workdir=DIR] [--prepare-only] [Google Benchmark flags]
//
// Without --workdir a temporary folder is used and removed afterwards. --prepare-only
// writes the files and exits, so other tools can be run on the same bytes.

#include "batchprocess.h"
#include "floor.h"
#include "paired.h"
#include "platform/profile.h"
#include "sequences.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "workdir.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ini.h>
#include <iostream>
#include <strings.h>
#include <vector>

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

namespace fs = std::filesystem;
using benchmark::State;

constexpr std::string_view kKey = "SkinDetail";

void add(const std::string& name, std::size_t bytes, std::function<void(State&)> body)
{
    benchmark::RegisterBenchmark(name.c_str(),
                                 [bytes, body = std::move(body)](State& state) {
                                     body(state);
                                     state.counters["bytes"] = static_cast<double>(bytes);
                                 })
        ->Unit(benchmark::kMicrosecond)
        ->UseManualTime();
}

// The floor of an operation: each of its reads at the read floor, each write at the
// atomic-replace floor, on the file it works on.
auto floorOf(const std::string& path)
{
    return [path](const Traffic& traffic) {
        for (int i = 0; i < traffic.reads; ++i)
            benchmark::DoNotOptimize(readFloor(path));
        for (int i = 0; i < traffic.writes; ++i)
            replaceFloor(path);
    };
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
    add("read/" + file.name, file.size, [file](State& state) {
        config::ReadModule module;
        runPaired(
            state,
            [&] {
                module.ReadGameValue(config::kWindowsClient, kKey, file.path);
                benchmark::DoNotOptimize(module.ReadResult);
                return Traffic{1, 0};
            },
            floorOf(file.path));
    });
    add("write/" + file.name, file.size, [file](State& state) {
        const auto path = scratchCopy(file, "write");
        config::ReadModule module;
        // Start from the value the file does not hold, so every write changes the file.
        module.ReadGameValue(config::kWindowsClient, kKey, path);
        bool high = module.ReadResult == "High";
        runPaired(
            state,
            [&] {
                high = !high;
                const auto outcome = module.WriteGameValue(config::kWindowsClient, kKey,
                                                           high ? "High" : "Low", path);
                if (outcome.status != platform::WriteStatus::Written)
                    state.SkipWithError("the write did not change the file");
                return Traffic{0, 1};
            },
            floorOf(path));
    });
    // inih parses the whole file for one key; the yardstick here is Velmora's keyed read.
    add("inih/" + file.name, file.size, [file](State& state) {
        config::ReadModule module;
        runPaired(
            state,
            [&] {
                InihLookup lookup{
                    std::string(config::kWindowsClient), std::string(kKey), {}, false};
                if (ini_parse(file.path.c_str(), inihHandler, &lookup) < 0)
                    state.SkipWithError("inih could not open the file");
                benchmark::DoNotOptimize(lookup.value);
                return Traffic{1, 0};
            },
            [&](const Traffic&) {
                module.ReadGameValue(config::kWindowsClient, kKey, file.path);
                benchmark::DoNotOptimize(module.ReadResult);
            });
    });
}

// velmora-ini batch as a script drives it, one get or set a line, against a process that
// answers each line after the floor's read or replace: both pay the same trip through the
// pipes, so the ratio is the tool's own cost against the floor's.
void addBatchOperations(const BenchFile& file)
{
    const std::string get = "get\t" + file.path + "\t" + std::string(config::kWindowsClient) +
                            "\t" + std::string(kKey) + "\tDefault\t255";
    add("batch_get/" + file.name, file.size, [file, get](State& state) {
        BatchProcess tool({VELMORA_INI_PROGRAM, "batch"});
        BatchProcess floor({FLOORCMD_PROGRAM, "batch"});
        runPaired(
            state,
            [&] {
                if (!tool.ask(get).starts_with("ret\t"))
                    state.SkipWithError("velmora-ini batch did not answer the get");
                return Traffic{1, 0};
            },
            [&](const Traffic&) { benchmark::DoNotOptimize(floor.ask("read\t" + file.path)); });
    });
    add("batch_set/" + file.name, file.size, [file](State& state) {
        const auto path = scratchCopy(file, "batch-set");
        BatchProcess tool({VELMORA_INI_PROGRAM, "batch"});
        BatchProcess floor({FLOORCMD_PROGRAM, "batch"});
        const std::string set = "set\t" + path + "\t" + std::string(config::kWindowsClient) + "\t" +
                                std::string(kKey) + "\t";
        // Values the file does not hold in turn, so every set changes the file.
        bool high = tool.ask("get\t" + path + "\t" + std::string(config::kWindowsClient) + "\t" +
                             std::string(kKey) + "\t\t255") == "ret\t4\tHigh";
        runPaired(
            state,
            [&] {
                high = !high;
                if (tool.ask(set + (high ? "High" : "Low")) != "ret\t1")
                    state.SkipWithError("velmora-ini batch did not set the key");
                return Traffic{0, 1};
            },
            [&](const Traffic&) { benchmark::DoNotOptimize(floor.ask("replace\t" + path)); });
    });
}

void addWindowOperations(const BenchFile& file)
{
    add("main_refresh/" + file.name, file.size, [file](State& state) {
        config::ReadModule module;
        MainView view;
        runPaired(
            state, [&] { return mainRefresh(module, file.path, view); }, floorOf(file.path));
    });
    add("editor_refresh/" + file.name, file.size, [file](State& state) {
        config::ReadModule module;
        runPaired(
            state,
            [&] {
                benchmark::DoNotOptimize(sets::readEditorLists(module, file.path));
                return Traffic{static_cast<int>(config::kRowCount) + 1, 0};
            },
            floorOf(file.path));
    });
    // Slow and Fast in turn, as a user trying both would: the keys both presets set alike
    // are found unchanged and only read.
    add("preset/" + file.name, file.size, [file](State& state) {
        const auto path = scratchCopy(file, "preset");
        config::ReadModule module;
        bool fast = false;
        runPaired(
            state,
            [&] {
                fast = !fast;
                return applyPreset(module, path,
                                   fast ? config::Preset::Fast : config::Preset::Slow);
            },
            floorOf(path));
    });
    // The editor's "Update": the changed rows written, then the editor's refresh. The two
    // value sets take turns in the editor, so all fifteen rows differ from the file every time.
    add("apply/" + file.name, file.size, [file](State& state) {
        const auto path = scratchCopy(file, "apply");
        config::ReadModule module;
        const sets::EditorLists values[2] = {editorValues(false), editorValues(true)};
        bool alternate = false;
        Traffic expected;
        runPaired(
            state,
            [&] {
                alternate = !alternate;
                expected = applyTraffic(readFloor(path), values[alternate ? 1 : 0],
                                        sets::readEditorLists(module, path));
            },
            [&] {
                const auto result =
                    sets::ApplyChangedSettings(module, path, values[alternate ? 1 : 0]);
                if (!result.ok())
                    state.SkipWithError("the apply stopped");
                benchmark::DoNotOptimize(sets::readEditorLists(module, path));
                return expected;
            },
            floorOf(path));
    });
}

// A store with three saved sets, as a user who has saved a few has, restored before every
// save so the file does not grow from one iteration to the next.
void addSaveSet(const fs::path& workDir, const BenchFile& gameFile)
{
    const auto store = (workDir / "Velmora.ini").string();
    std::ofstream(store, std::ios::trunc).flush();
    config::ReadModule module;
    const auto lists = sets::readEditorLists(module, gameFile.path);
    for (const char* name : {"Lan party", "Laptop", "Sharp"})
        static_cast<void>(sets::saveSettingSet(store, name, lists));
    const BenchFile storeFile{"Velmora.ini", store, fs::file_size(store), false};
    const auto baseline = readFloor(store);

    add("save_set/" + storeFile.name, storeFile.size, [storeFile, baseline, lists](State& state) {
        const auto path = scratchCopy(storeFile, "save");
        runPaired(
            state, [&] { std::ofstream(path, std::ios::binary | std::ios::trunc) << baseline; },
            [&] {
                const auto result = sets::saveSettingSet(path, "Benchmark", lists);
                if (!result.outcome.ok())
                    state.SkipWithError("the save failed");
                // The count and the sets present are read, then the file is read once more
                // and replaced once with the count, the name and the fifteen rows.
                return Traffic{3, 1};
            },
            floorOf(path));
    });
}

// A damaged store of 200,000 sets, its count no number, listed as the load dialog lists it.
void addListSets(const fs::path& workDir)
{
    constexpr int kSets = 200'000;
    fs::create_directories(workDir / "scratch");
    const auto store = (workDir / "scratch" / "Velmora-200000.ini").string();
    {
        std::ofstream out(store, std::ios::binary | std::ios::trunc);
        out << "[Velmora]\r\nSaveNumber=lost\r\n";
        for (int n = 1; n <= kSets; ++n)
            out << "[Save" << n << "]\r\nSaveName=Set " << n << "\r\n";
    }
    add("list_sets/200000", fs::file_size(store), [store](State& state) {
        runPaired(
            state,
            [&] {
                const auto sets = sets::listSets(store);
                if (sets.size() != kSets)
                    state.SkipWithError("not every set was listed");
                // The count, then the sections in one read.
                return Traffic{2, 0};
            },
            floorOf(store));
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
    std::vector<BenchFile> files;
    try {
        files = prepareWorkDir(VELMORA_BENCH_DATA, options.workDir);
    } catch (const std::exception& error) {
        std::cerr << "velmora_bench: " << error.what() << '\n';
        return 1;
    }
    if (options.prepareOnly) {
        for (const auto& file : files)
            std::cout << file.path << '\n';
        return 0;
    }
    for (const auto& file : files) {
        addKeyedOperations(file);
        addBatchOperations(file);
    }
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
    addListSets(options.workDir);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(options.temporary ? options.workDir : options.workDir / "scratch");
    return 0;
}
