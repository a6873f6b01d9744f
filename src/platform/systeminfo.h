#pragma once

// The small facts of the running system that the windows need, behind an interface so that
// tests can fix them.

#include <cstdint>
#include <string>

namespace velmora::platform {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual std::uint64_t totalPhysicalMemory() const = 0; // bytes
    virtual std::string currentDirectory() const = 0;
};

// The real system: memory.h and fileio.h.
class RealSystemInfo final : public SystemInfo {
public:
    std::uint64_t totalPhysicalMemory() const override;
    std::string currentDirectory() const override;
};

// True under Wine (its ntdll exports wine_get_version), for the few places where Wine is known
// to differ from Windows; false on Windows and on every other system.
bool runningUnderWine();

// The user's home folder: HOME when it is set and not empty, else the user database's entry
// on POSIX systems, USERPROFILE on Windows; empty text when there is none.
std::string homeFolder();

} // namespace velmora::platform
