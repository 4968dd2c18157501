// Durable replacement of a file by a freshly written one, so a failed save never leaves a half
// file.
#pragma once

#include <cstdio>
#include <string>

// Pushes the file's written data to the disk; false when the system reports an error.
bool CommitFile(std::FILE* file);

// Moves source over target in one step, replacing target if it exists; false on failure,
// in which case target is untouched.
bool ReplaceFileWith(const std::string& source, const std::string& target);

// Writes a file through write(), into a temporary file beside path that then replaces path.
// On any error the temporary file is removed and path keeps its old content. `mode` is the
// open mode: text ("w") or binary ("wb").
template <typename Writer>
bool WriteFileReplacing(const std::string& path, Writer write, const char* mode = "w") {
    const std::string temp = path + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), mode);
    if (!file)
        return false;
    bool ok = write(file);
    ok = std::fflush(file) == 0 && ok;
    ok = std::ferror(file) == 0 && ok;
    ok = ok && CommitFile(file);
    ok = std::fclose(file) == 0 && ok;
    ok = ok && ReplaceFileWith(temp, path);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}
