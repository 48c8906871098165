#pragma once
// The game's own data file: read from its start, replaced whole. Names are written as the game
// writes them ("dat.dat", "\" between folders). Neither function throws; a failure is false and
// leaves the file as it was.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// Opens the file read-only, so that a file the user made read-only is still read, and reads up
// to buffer.size() bytes. bytesRead says how many arrived; false when the name is not a readable
// regular file or a read fails (bytesRead is then 0).
bool ReadFileStart(const std::string& name, std::span<std::uint8_t> buffer, std::size_t& bytesRead);

// Writes the bytes to a new file beside the old one and renames it over the old, so that a crash
// or a full disk leaves either the old content or the new, never a mixture. An existing file that
// is read-only (no write bit, or not writable by this process) or not a regular file is left alone
// and the answer is false.
bool ReplaceFile(const std::string& name, std::span<const std::uint8_t> bytes);

}  // namespace platform
