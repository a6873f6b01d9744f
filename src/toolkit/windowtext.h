#pragma once

// Text crosses the window boundary here, each kind with its own codec: the game's files hold
// bytes in the Windows code page 1252, paths are in the file system's encoding, and the
// system's reasons for a failure are in the locale's; the widgets hold Unicode.

#include "platform/outcome.h"

#include <string>
#include <string_view>

#include <QString>

namespace velmora::toolkit {

// Every byte maps to one character; the five bytes that cp1252 leaves undefined map to the
// C1 control characters of the same value, so every byte string round-trips.
QString fromCp1252(std::string_view bytes);

// The inverse of fromCp1252; a character that cp1252 cannot hold becomes '?'.
std::string toCp1252(const QString& text);

// A path as the file system encodes it.
QString pathText(const std::string& path);

// Why a write did not succeed: a refusal is the program's words around the game's names
// (cp1252), a failure the system's words (the locale's encoding). Empty for a success.
QString reasonText(const platform::WriteOutcome& outcome);

// "Unable to write <path>: <reason>", the text of every write that failed or was refused.
QString writeFailureText(const std::string& path, const platform::WriteOutcome& outcome);

} // namespace velmora::toolkit
