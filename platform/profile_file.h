// The profile file on disk: read whole, and rewritten in one step under its lock. Used only by
// the profile functions, which work on the text; the file's own form (mark, UTF-16) is kept here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

enum class ProfileRead {
    Read,
    None,      // missing, unreadable, not a plain file
    TooLarge,  // over ProfileSizeLimit: not read
    Failed,    // there, but the system failed to read it (out of file handles, a disk error)
};

// reason says why, in plain words, when the read Failed.
ProfileRead ReadProfileText(const std::string& file, std::string& text, std::string& reason);

// Turns the text of the file, as it stands while its lock is held, into edit's result and puts
// that into the file. The new file replaces the old one whole, so a crash at any moment leaves
// the one or the other; where that cannot keep the file's owner, group, mode, extended attributes
// (its access list) or links, or the folder allows no new file, the file is rewritten in place.
// A link is written through to the file it names, which is created when it does not exist yet.
// Returns why the file could not be written, in plain words, or an empty text when it was.
std::string RewriteProfile(const std::string& file, const std::function<std::string(std::string_view)>& edit);

}  // namespace platform
