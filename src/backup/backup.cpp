#include "backup.h"

#include "platform/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace velmora::backup {

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

constexpr std::string_view kSuffix = ".bak";
// In each file's folder: the full path of the file its copies are of.
constexpr const char* kRecord = "path.txt";
// ".YYYYMMDD-HHMMSS-NN" before the suffix
constexpr std::size_t kStampSize = 19;
constexpr int kPerSecond = 100;

std::string fileNameOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string stampOf(system_clock::time_point time, int sequence)
{
    const auto second = floor<seconds>(time);
    const auto day = floor<days>(second);
    const year_month_day date{day};
    const hh_mm_ss clock{second - day};
    char text[64]; // room for any value the compiler cannot rule out
    std::snprintf(text, sizeof text, ".%04d%02u%02u-%02ld%02ld%02ld-%02d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                  long(clock.minutes().count()), long(clock.seconds().count()), sequence);
    return text;
}

bool digits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view text)
{
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// The entry a file of the folder stands for; nullopt for anything not named as a backup
// (a temporary file of a write in progress, a file of the user's).
std::optional<BackupEntry> entryOf(const fs::directory_entry& file)
{
    const std::string name = file.path().filename().string();
    if (name.size() <= kStampSize + kSuffix.size() || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    const std::string_view stamp =
        std::string_view(name).substr(name.size() - kSuffix.size() - kStampSize, kStampSize);
    if (stamp[0] != '.' || stamp[9] != '-' || stamp[16] != '-' || !digits(stamp.substr(1, 8)) ||
        !digits(stamp.substr(10, 6)) || !digits(stamp.substr(17, 2))) {
        return std::nullopt;
    }
    const year_month_day date{year{number(stamp.substr(1, 4))},
                              month{unsigned(number(stamp.substr(5, 2)))},
                              day{unsigned(number(stamp.substr(7, 2)))}};
    std::error_code error;
    const std::uintmax_t size = file.file_size(error);
    if (!date.ok() || error) {
        return std::nullopt;
    }
    const auto time = sys_days{date} + hours{number(stamp.substr(10, 2))} +
                      minutes{number(stamp.substr(12, 2))} + seconds{number(stamp.substr(14, 2))};
    return BackupEntry{file.path().string(),
                       name.substr(0, name.size() - kSuffix.size() - kStampSize), time, size};
}

// The stamp and its sequence number, which is what orders backups by age.
std::string_view ageKey(const BackupEntry& entry)
{
    const std::string_view path = entry.path;
    return path.substr(path.size() - kSuffix.size() - kStampSize, kStampSize);
}

// The copies lying in `folder`, unordered.
void addCopies(const fs::path& folder, std::vector<BackupEntry>& entries)
{
    std::error_code error;
    for (const auto& file : fs::directory_iterator(folder, error)) {
        if (auto entry = entryOf(file); entry && file.is_regular_file(error)) {
            entries.push_back(std::move(*entry));
        }
    }
}

std::string fullPathOf(const std::string& gameFile)
{
    return platform::fullPathName(gameFile, platform::currentDirectory());
}

platform::WriteOutcome failedWith(int error)
{
    return platform::WriteOutcome::failed(std::generic_category().message(error));
}

} // namespace

BackupSession::BackupSession(std::string folder, Clock now)
    : m_folder(std::move(folder)), m_now(std::move(now))
{}

platform::WriteOutcome BackupSession::ensureBackup(const std::string& gameFile)
{
    return keepCurrent(gameFile, {});
}

std::vector<BackupEntry> BackupSession::list(const std::string& gameFile) const
{
    std::vector<BackupEntry> entries;
    for (const fs::path& folder : foldersOf(fullPathOf(gameFile))) {
        addCopies(folder, entries);
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return ageKey(a) != ageKey(b) ? ageKey(a) > ageKey(b) : a.path > b.path;
    });
    return entries;
}

std::size_t BackupSession::unassignedCopies() const
{
    std::vector<BackupEntry> entries;
    addCopies(m_folder, entries);
    return entries.size();
}

platform::WriteOutcome BackupSession::restore(const BackupEntry& entry, const std::string& gameFile)
{
    const std::vector<BackupEntry> copies = list(gameFile);
    if (std::none_of(copies.begin(), copies.end(),
                     [&entry](const BackupEntry& copy) { return copy.path == entry.path; })) {
        return failedWith(ENOENT);
    }
    platform::FileContents saved = platform::readFile(entry.path);
    if (saved.missing) {
        return failedWith(ENOENT);
    }
    if (!saved.error.empty()) {
        return platform::WriteOutcome::failed("the copy cannot be read: " + saved.error);
    }
    if (platform::WriteOutcome undo = keepCurrent(gameFile, entry.path); !undo.ok()) {
        return undo;
    }
    return platform::replaceFileAtomically(gameFile, saved.bytes);
}

platform::WriteOutcome BackupSession::keepCurrent(const std::string& gameFile,
                                                  const std::string& protect)
{
    const platform::FileContents current = platform::readFile(gameFile);
    if (current.missing) {
        return platform::WriteOutcome::unchanged(); // the first write creates it: nothing to keep
    }
    if (!current.error.empty()) {
        return platform::WriteOutcome::failed("the file cannot be read: " + current.error);
    }
    const std::vector<BackupEntry> copies = list(gameFile);
    if (!copies.empty() && platform::readWholeFile(copies.front().path) == current.bytes) {
        return platform::WriteOutcome::unchanged();
    }
    platform::WriteOutcome kept = keep(fullPathOf(gameFile), current.bytes, protect);
    if (!kept.ok()) {
        kept.reason = "no backup could be kept in " + m_folder + ": " + kept.reason;
    }
    return kept;
}

platform::WriteOutcome BackupSession::keep(const std::string& full, const std::string& bytes,
                                           const std::string& protect)
{
    fs::path folder;
    if (platform::WriteOutcome made = folderFor(full, folder); !made.ok()) {
        return made;
    }
    const std::string stem = (folder / fileNameOf(full)).string();
    const system_clock::time_point now = m_now();
    // After the last of this second's copies, even when older ones of it were removed.
    int sequence = kPerSecond;
    while (sequence > 0 && !platform::fileExists(stem + stampOf(now, sequence - 1) + ".bak")) {
        --sequence;
    }
    if (sequence == kPerSecond) {
        return failedWith(EEXIST);
    }
    platform::WriteOutcome outcome =
        platform::replaceFileAtomically(stem + stampOf(now, sequence) + ".bak", bytes);
    if (!outcome.ok()) {
        return outcome;
    }
    const std::vector<BackupEntry> copies = list(full);
    for (std::size_t i = kBackupsKept; i < copies.size(); ++i) {
        if (copies[i].path != protect) {
            std::error_code ignored;
            fs::remove(copies[i].path, ignored);
        }
    }
    return outcome;
}

// The first folder of `full`'s copies, or a new one named after the file with the first free
// number, its path recorded before any copy goes in.
platform::WriteOutcome BackupSession::folderFor(const std::string& full, fs::path& folder)
{
    if (const std::vector<fs::path> folders = foldersOf(full); !folders.empty()) {
        folder = folders.front();
        return platform::WriteOutcome::written();
    }
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error) {
        return platform::WriteOutcome::failed(error.message());
    }
    for (int number = 1; number <= 1000; ++number) {
        folder = fs::path(m_folder) / (fileNameOf(full) + "-" + std::to_string(number));
        if (fs::create_directory(folder, error)) {
            platform::WriteOutcome recorded =
                platform::replaceFileAtomically((folder / kRecord).string(), full);
            if (!recorded.ok()) {
                fs::remove(folder, error);
            }
            return recorded;
        }
        // Something of that name is there already: try the next number.
        if (std::error_code ignored; error && !fs::exists(folder, ignored)) {
            return platform::WriteOutcome::failed(error.message());
        }
    }
    return failedWith(EEXIST);
}

// Every folder whose record names `full`: one, unless two runs made one at the same moment.
std::vector<fs::path> BackupSession::foldersOf(const std::string& full) const
{
    std::vector<fs::path> folders;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(m_folder, error)) {
        if (item.is_directory(error) &&
            platform::readWholeFile((item.path() / kRecord).string()) == full) {
            folders.push_back(item.path());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

} // namespace velmora::backup
