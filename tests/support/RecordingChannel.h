#pragma once
// The sending rule's device link for page tests: records what would go to the port.

#include "device/CommandChannel.h"

#include <string>
#include <vector>

namespace tonel::testing {

class RecordingChannel : public CommandChannel {
public:
    bool isConnected = true;
    std::vector<std::string> sent;

    bool connected() const override { return isConnected; }
    void write(const std::string& text) override { sent.push_back(text); }
    std::string last() const { return sent.empty() ? std::string() : sent.back(); }
};

}  // namespace tonel::testing
