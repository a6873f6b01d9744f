#pragma once

// Single-key access to the game's configuration file, shared by every window. Each call
// re-reads or rewrites the file; nothing is cached. The last value read stays in
// `ReadResult`; counted reads also step `ReadCount`, which the list fillers use as the row
// index and set back to 0 when they finish.

#include "config/catalogue.h"
#include "platform/outcome.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::config {

// One key to write into the game's file.
struct GameWrite {
    std::string section;
    std::string key;
    std::string value;

    friend bool operator==(const GameWrite&, const GameWrite&) = default;
};

struct RefusedWrite {
    std::size_t index = 0; // into the writes checked
    std::string reason;
};

// The first of `writes` that the profile rules refuse, checked before anything is written so
// that a refused value leaves the file as it was; nullopt when all can be written.
std::optional<RefusedWrite> firstRefusedWrite(const std::vector<GameWrite>& writes);

// The client section the game reads for the file at `file`, from its [Engine.Engine]
// ViewportManager as clientSectionFor takes it. The file is read afresh.
std::string_view readClientSection(const std::string& file);

// The client section and the render device's section of the file at `file`, read afresh. A
// GameRenderDevice that is missing, empty or "Default" names no device: the empty section.
GameSections readGameSections(const std::string& file);

// Why a change to a game file that has gone since it was read is not written.
inline constexpr std::string_view kFileGone = "The file no longer exists";

class ReadModule {
public:
    static constexpr std::size_t kBufferSize = 255; // values are cut to 254 characters
    static constexpr std::string_view kDefault = "Default";

    // ReadResult = the value of `key` in `section` of `file`: "Default" when the key, the
    // section or the file is missing, empty text for an empty value, at most 254 characters.
    void ReadGameValue(std::string_view section, std::string_view key, const std::string& file);

    // ReadGameValue, then ReadCount + 1, whether the key was found or not.
    void ReadGameValueCounted(std::string_view section, std::string_view key,
                              const std::string& file);

    // Writes one key (creating the section or key when missing) and says how it went. A file
    // this module has seen, by a read or a write, is never created again: its write fails with
    // kFileGone. A file never seen is created. When beforeWrite is set it runs first, and its
    // failure is the write's: nothing is written.
    [[nodiscard]] platform::WriteOutcome WriteGameValue(std::string_view section,
                                                        std::string_view key,
                                                        std::string_view value,
                                                        const std::string& file);

    // Why `file` cannot take a change that builds on what it holds: kFileGone when this module
    // has seen it and it has gone since, the system's reason when it exists but cannot be read;
    // empty text otherwise.
    std::string fileProblem(const std::string& file) const;
    // One command's writes: while a Change lives, beforeWrite runs before the command's first
    // write of each file only, so the copy it keeps is the file as it was before the command,
    // not halfway through it. Without one, beforeWrite runs before every write.
    class [[nodiscard]] Change {
    public:
        explicit Change(ReadModule& module) : owner(module) { ++owner.changesOpen; }
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        ReadModule& owner;
    };

    std::string ReadResult;
    std::int16_t ReadCount = 0;
    // The window program keeps a copy of the game's file here before changing it.
    std::function<platform::WriteOutcome(const std::string& file)> beforeWrite;

private:
    void noteIfPresent(const std::string& file);

    std::set<std::string> filesSeen;
    int changesOpen = 0;                    // Change objects alive
    std::set<std::string> preparedInChange; // files beforeWrite ran for in the current change
};

} // namespace velmora::config
