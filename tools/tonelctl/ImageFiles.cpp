#include "tools/tonelctl/ImageFiles.h"

#include "model/ParameterFile.h"

#include <sys/stat.h>

namespace tonel::ctl {

bool isFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string loadImageFile(const std::string& path, ParameterImage& image)
{
    if (isFolder(path))
        return path + ": a folder, not a parameter file";
    const FileResult result = loadParameterFile(path, image);
    if (result.ok())
        return {};
    if (result.status == FileStatus::Invalid)
        return path + ": file is " + (result.longer ? "more than " + std::to_string(kImageSize) : std::to_string(result.length)) +
               " bytes, not " + std::to_string(kImageSize);
    return path + ": " + (result.reason.empty() ? "cannot be read" : result.reason);
}

std::string saveImageFile(const std::string& path, const ParameterImage& image)
{
    if (isFolder(path))
        return path + ": a folder, not a file name";
    const FileResult result = saveParameterFile(path, image);
    return result.ok() ? std::string() : path + ": " + (result.reason.empty() ? "cannot be written" : result.reason);
}

}  // namespace tonel::ctl
