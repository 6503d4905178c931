// Received bytes through the reply assembly and the session's hello, read and upload checks.
#include "device/DeviceSession.h"
#include "model/ParameterImage.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace tonel;

struct QuietPort : SerialLine {
    OpenResult open(const std::string&, const LineSettings&, LineListener&) override
    {
        return {OpenResult::State::Open, {}};
    }
    void close() override {}
    void write(const std::string&) override {}
    bool isOpen() const override { return true; }
};
struct OnePort : PortCatalog {
    std::vector<std::string> presentPorts() const override { return {"/dev/null"}; }
};
struct QuietHost : SessionHost, LineListener {
    void bytesArrived(std::string_view) override {}
    void lineGone(const std::string&) override {}
    void portError(const PortError&) override {}
    void armTimer(int, std::chrono::milliseconds) override {}
    void cancelTimer(int) override {}
    void refreshAllPages() override {}
    void sessionEvent(const SessionReport&) override {}
    void portFailure(const PortError&) override {}
};

// Feeds `data` as received characters, then lets timer `id` expire.
void feed(DeviceSession& session, const std::uint8_t* data, std::size_t size, int id)
{
    session.bytesArrived(std::string_view(reinterpret_cast<const char*>(data), size));
    session.onTimer(id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ParameterImage image;
    QuietPort port;
    OnePort catalog;
    QuietHost host;
    DeviceSession session(image, port, catalog, host, host);

    // The first byte picks the exchange: read (hello then Q) or write (hello then P).
    const bool upload = size > 0 && (data[0] & 1);
    upload ? session.onWriteButton() : session.onReadButton();
    // The hello reply is what arrives up to the first ")", the rest answers Q or P.
    std::size_t split = 0;
    while (split < size && data[split] != ')')
        ++split;
    split = split < size ? split + 1 : size / 2;
    feed(session, data, split, timer::kHello);
    feed(session, data + split, size - split, upload ? timer::kUpload : timer::kRead);

    wire::decodeImageHex(std::string_view(reinterpret_cast<const char*>(data), size), image);
    return 0;
}
