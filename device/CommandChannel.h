#pragma once
// The sending rule's view of the device link: commands go out only while a session is open.

#include <string>

namespace tonel {

class CommandChannel {
public:
    virtual ~CommandChannel() = default;
    virtual bool connected() const = 0;
    virtual void write(const std::string& text) = 0;  // to the port, whether connected or not
};

}  // namespace tonel
