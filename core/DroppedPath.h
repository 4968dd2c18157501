// The path of the last file or folder dropped on the Capture page, and the
// rules "&Go!" applies to it. Plain C++, so the rules are tested natively.
#pragma once

#include <cstddef>

namespace dropped {

// The platform's longest path, terminator included.
constexpr std::size_t kBufferSize = 260;

// Copies a path of `length` characters into the buffer when it fits with its
// terminator. A longer path is refused whole (false, buffer unchanged): cut
// short it would name some other file or folder.
bool Store(char (&buffer)[kBufferSize], const char* path, std::size_t length);

// Turns a file's path into its folder's: cuts the text right after the last
// backslash (C:\Docs\plan.txt becomes C:\Docs\); with no backslash the buffer
// becomes empty.
void CutToFolder(char* buffer);

// Whether `path` names an entry directly inside `folder` (compared without
// regard to ASCII case; a trailing backslash on the folder is allowed).
bool NamesEntryIn(const char* path, const char* folder);

} // namespace dropped
