// Any text as a port name and as a listening address: never a crash, a reason for every refusal,
// and whatever is accepted reads back the same from its written form.
#include "device/PortName.h"
#include "fuzz/Check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace tonel;

using tonel::fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const ParsedHostPort peer = parseHostPort(text, kPeerAddress);
    const ParsedHostPort listen = parseHostPort(text, kListenAddress);
    for (const HostPortRules* rules : {&kPeerAddress, &kListenAddress}) {
        const ParsedHostPort& parsed = rules == &kPeerAddress ? peer : listen;
        check(parsed.address.has_value() == parsed.reason.empty());
        if (parsed.address)
            check(parseHostPort(formatHostPort(*parsed.address), *rules).address == parsed.address);
    }
    // A peer's address is a listening address too, and never port 0.
    if (peer.address) {
        check(listen.address == peer.address);
        check(peer.address->port != 0);
    }

    const PortName name = parsePortName(text);
    check((name.kind == PortName::Kind::Invalid) != name.reason.empty());
    const PortName tcp = parsePortName("tcp://" + text);
    check((tcp.kind == PortName::Kind::Tcp) == peer.address.has_value());
    if (peer.address)
        check(tcp.host == peer.address->host && tcp.service == std::to_string(peer.address->port));
    return 0;
}
