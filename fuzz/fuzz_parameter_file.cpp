// Parameter files of any content and length.
#include "model/ParameterFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/tonel-fuzz-" + std::to_string(getpid()) + ".cfg";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0)  // libFuzzer may hand an empty input as a null pointer
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    tonel::ParameterImage image;
    const tonel::ParameterImage before = image;
    const tonel::FileResult result = tonel::loadParameterFile(path, image);
    const bool accepted = result.ok();
    if (accepted != (size == tonel::kImageSize))
        std::abort();
    if (!accepted && !(image == before))
        std::abort();  // a refused file must leave the image as it was
    return 0;
}
