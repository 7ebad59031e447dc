// The file that a writer replaces: where it really is, whether it may be
// replaced, and the mode the new file takes. Errors throw
// std::runtime_error naming the path.
#pragma once

#include <sys/types.h>

#include <string>

namespace vemro::engine {

// The path itself, or for a symbolic link the file it points to: the new
// file replaces that one and the link stays a link.
std::string resolvedTarget(const std::string &path);

// Refuses an existing file that nobody may write: replacing it by a rename
// would need no permission on the file itself.
void requireWritable(const std::string &target);

// The old file's permissions, or for a new file those the umask allows.
mode_t modeForReplacement(const std::string &target);

// Gives the file open at fd the old file's owner and group, as far as this
// user may: only root may give a file away, but a user may keep its group.
void keepOwner(int fd, const std::string &target);

}  // namespace vemro::engine
