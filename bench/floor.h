#pragma once

// The floors every profile operation is measured against: the least work that reading a
// file, or replacing it so that a crash leaves the old or the new file, can take. Plain
// POSIX calls, written here and not taken from the engine, so the floor stays independent
// of what it measures.

#include <string>

namespace velmora::bench {

// Opens the file, reads every byte into memory, closes it. Throws when it cannot.
std::string readFloor(const std::string& path);

// Reads the file, writes the bytes to a temporary file beside it, flushes that to disk,
// renames it over the file and flushes the folder. Throws when it cannot.
void replaceFloor(const std::string& path);

// The same into `bytes`, whose memory is kept from one call to the next: the floor of a
// process that serves many requests, as velmora-ini batch does.
void readFloor(const std::string& path, std::string& bytes);
void replaceFloor(const std::string& path, std::string& bytes);

} // namespace velmora::bench
