// What a Telnet COM-PORT client sends to the virtual processor's server, cut anywhere: the line
// data, the answers and the line it sets must be those of the whole input fed at once.
#include "emulator/ComPortServer.h"
#include "fuzz/Pieces.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using tonel::emulator::ComPortLine;
using tonel::emulator::ComPortServer;

struct Fed {
    std::string data;
    std::string answers;
    bool comPort = false;
    ComPortLine line;
    bool operator==(const Fed&) const = default;
};

Fed feed(const tonel::fuzz::Cutting& pieces)
{
    ComPortServer server;
    Fed fed;
    fed.answers = server.opening();
    for (std::string_view piece : pieces)
        fed.answers += server.receive(piece, fed.data);
    fed.comPort = server.comPortEnabled();
    fed.line = server.line();
    return fed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    const Fed whole = feed({input});
    // The longest answer, the signature, takes a 6-byte request: answers stay within a few times
    // what came in.
    if (whole.data.size() > size || whole.answers.size() > 4 * size + 64)
        std::abort();
    for (const tonel::fuzz::Cutting& pieces : tonel::fuzz::cuttingsOf(input)) {
        if (feed(pieces) != whole)
            std::abort();
    }
    return 0;
}
