// What a serial device server sends to our Telnet COM-PORT client, cut anywhere: the data, the
// answers and the server's replies must be those of the whole input fed at once, and the answers
// stay in proportion.
#include "device/detail/TelnetComPort.h"
#include "fuzz/Pieces.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using tonel::telnet::ComPortClient;

struct Fed {
    std::string data;
    std::string answers;
    bool confirmed = false;
    bool accepted = false;
    std::size_t replies = 0;
    bool operator==(const Fed&) const = default;
};

Fed feed(const tonel::fuzz::Cutting& pieces)
{
    ComPortClient client;
    Fed fed;
    fed.answers = client.opening();
    for (std::string_view piece : pieces)
        fed.answers += client.receive(piece, fed.data);
    // The line settings go out at most once, after the piece in which the server enabled the
    // option: whether and where they fall among the other answers depends on the cutting (a
    // server may enable and disable it within one piece), so they are taken out before comparing.
    const std::string settings = client.lineSettings();
    if (const auto at = fed.answers.find(settings); at != std::string::npos)
        fed.answers.erase(at, settings.size());
    if (fed.answers.find(settings) != std::string::npos)
        std::abort();
    fed.confirmed = client.lineConfirmed();
    fed.accepted = client.comPortAccepted();
    fed.replies = client.serverReplies().size();
    return fed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    const Fed whole = feed({input});
    // Data only ever shrinks (escapes and commands go); each received command earns at most a
    // short answer, and the line settings go out once.
    if (whole.data.size() > size || whole.answers.size() > 2 * size + ComPortClient().lineSettings().size() + 64)
        std::abort();
    for (const tonel::fuzz::Cutting& pieces : tonel::fuzz::cuttingsOf(input)) {
        if (feed(pieces) != whole)
            std::abort();
    }
    return 0;
}
