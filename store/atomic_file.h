// Replacing a small file whole: a crash or power cut leaves the old file or the new one,
// never a mix.
#pragma once

#include <filesystem>
#include <string>

// The new file has the old one's mode from its first moment; temporaries an interrupted
// write left long ago are cleared. A read-only file is left alone; a writable one in a
// folder that takes no new files is rewritten in place. False when nothing was written.
bool ReplaceFileAtomically(const std::filesystem::path& target, const std::string& content);
