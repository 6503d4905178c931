#pragma once
// Parameter files (*.cfg): exactly the 188 image bytes, nothing else.

#include "model/ParameterImage.h"

#include <string>

namespace tonel {

enum class FileStatus {
    Ok,
    Invalid,     // the file is not 188 bytes long
    OpenFailed,  // cannot be opened (missing, no permission, a folder)
    ReadFailed,
    WriteFailed, // save: nothing of the previous file was lost
};

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string reason;  // the system's text for the failure (strerror), empty on success
    bool ok() const { return status == FileStatus::Ok; }
};

// Replaces the whole image on success; leaves it unchanged on any failure.
FileResult loadParameterFile(const std::string& path, ParameterImage& image);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target,
// so a failed save never destroys the previous file.
FileResult saveParameterFile(const std::string& path, const ParameterImage& image);

}  // namespace tonel
