#pragma once
// Parameter files for tonelctl: loaded and saved with reasons an operator can act on. The name "-"
// is the command's standard input or output, so images pass through pipes and ssh.

#include "model/ParameterImage.h"

#include <istream>
#include <ostream>
#include <string>

namespace tonel::ctl {

inline constexpr const char* kStandardStream = "-";

// Where "-" leads while a command runs. A terminal gets no binary image and gives none: a careful
// tool refuses rather than filling the screen or waiting for bytes nobody will type.
struct StandardStreams {
    std::istream* in = nullptr;
    std::ostream* out = nullptr;
    bool inIsTerminal = false;
    bool outIsTerminal = false;
    bool inTaken = false;  // standard input holds one image: "diff - -" is a mistake, not two empties
};

// "-" means `streams` while this lives (one command at a time); without one, "-" is refused.
class UsingStandardStreams {
public:
    explicit UsingStandardStreams(StandardStreams streams);
    ~UsingStandardStreams();
    UsingStandardStreams(const UsingStandardStreams&) = delete;
    UsingStandardStreams& operator=(const UsingStandardStreams&) = delete;

private:
    StandardStreams* previous_;
    StandardStreams streams_;
};

// Empty on success; otherwise "FILE: reason" ("file is 187 bytes, not 188", "a folder, not a file").
std::string loadImageFile(const std::string& path, ParameterImage& image);
// Replaces the file as a whole: a failure leaves the previous file (or none) in place.
std::string saveImageFile(const std::string& path, const ParameterImage& image);

bool isFolder(const std::string& path);
bool exists(const std::string& path);

}  // namespace tonel::ctl
