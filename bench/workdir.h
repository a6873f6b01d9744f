#pragma once

// The files every benchmark and every peer runs on: copies of the real game files and
// generated files of fixed sizes, all in one work folder so that bench/compare can hand the
// very same files to the other tools.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::bench {

struct BenchFile {
    std::string name; // file name, also the benchmark's label
    std::string path; // the pristine copy in the work folder; benchmarks never write it
    std::size_t size = 0;
    bool generated = false;
};

// Copies the real files from `dataDir` into `workDir` and writes the generated files there
// (existing ones are kept, so a second run sees the same bytes). Returns them, real files
// first, then generated files by size.
std::vector<BenchFile> prepareWorkDir(const std::filesystem::path& dataDir,
                                      const std::filesystem::path& workDir);

// Profile text of exactly `size` bytes with CRLF lines: filler sections first and the
// sections Velmora reads last, so every keyed lookup walks the whole file.
std::string generatedProfile(std::size_t size);

// A fresh writable copy of `file` named `tag` in the work folder, for benchmarks that write.
std::string scratchCopy(const BenchFile& file, const std::string& tag);

} // namespace velmora::bench
