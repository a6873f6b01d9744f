#pragma once

// What a write did. Writes never throw: they return one of these.

#include <string>

namespace velmora::platform {

enum class WriteStatus {
    Written,   // the file now holds the new contents
    Unchanged, // the file already held them; it was not touched
    Refused,   // the request would break the file's structure; nothing was written
    Failed,    // the operating system refused; nothing was changed
};

struct [[nodiscard]] WriteOutcome {
    WriteStatus status = WriteStatus::Written;
    std::string reason; // why, for Refused and Failed: the operating system's words for Failed

    bool ok() const { return status == WriteStatus::Written || status == WriteStatus::Unchanged; }

    static WriteOutcome written() { return {WriteStatus::Written, {}}; }
    static WriteOutcome unchanged() { return {WriteStatus::Unchanged, {}}; }
    static WriteOutcome refused(std::string why) { return {WriteStatus::Refused, std::move(why)}; }
    static WriteOutcome failed(std::string why) { return {WriteStatus::Failed, std::move(why)}; }
};

} // namespace velmora::platform
