#include "tools/tonelctl/ImageFiles.h"

#include "model/ParameterFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace tonel::ctl {
namespace {

StandardStreams* current = nullptr;

bool isStandard(const std::string& path) { return path == kStandardStream; }

std::string loadStandardInput(ParameterImage& image)
{
    if (current == nullptr || current->in == nullptr)
        return "-: standard input is not available here";
    if (current->inIsTerminal)
        return "-: standard input is a terminal; pipe a parameter file in (< FILE.cfg)";
    if (current->inTaken)
        return "-: standard input is read once; give \"-\" only once";
    current->inTaken = true;
    // One byte past an image is enough to know the input is too long; the rest is left unread.
    char bytes[kImageSize + 1];
    current->in->read(bytes, sizeof bytes);
    const auto got = static_cast<std::size_t>(current->in->gcount());
    if (got != kImageSize)
        return "standard input holds " + (got > kImageSize ? "more than " + std::to_string(kImageSize) : std::to_string(got)) +
               " bytes, not " + std::to_string(kImageSize);
    ImageBytes read{};
    std::copy_n(bytes, kImageSize, read.begin());
    image.replaceAll(read);
    return {};
}

std::string saveStandardOutput(const ParameterImage& image)
{
    if (current == nullptr || current->out == nullptr)
        return "-: standard output is not available here";
    if (current->outIsTerminal)
        return "-: will not write a binary image to a terminal; redirect standard output (> FILE.cfg)";
    const ImageBytes& bytes = image.bytes();
    current->out->write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    current->out->flush();
    return current->out->good() ? std::string() : "-: standard output cannot be written";
}

}  // namespace

UsingStandardStreams::UsingStandardStreams(StandardStreams streams) : previous_(current), streams_(streams)
{
    current = &streams_;
}

UsingStandardStreams::~UsingStandardStreams() { current = previous_; }

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
    if (isStandard(path))
        return loadStandardInput(image);
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
    if (isStandard(path))
        return saveStandardOutput(image);
    if (isFolder(path))
        return path + ": a folder, not a file name";
    const FileResult result = saveParameterFile(path, image);
    return result.ok() ? std::string() : path + ": " + (result.reason.empty() ? "cannot be written" : result.reason);
}

}  // namespace tonel::ctl
