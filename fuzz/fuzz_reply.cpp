// Received bytes through the reply assembly and the session's hello, read and upload checks.
#include "device/DeviceSession.h"
#include "model/ParameterImage.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace tonel;

struct QuietPort : SerialPort {
    bool open(PortOwner*, int, int, char, int, int, std::uint32_t, std::size_t) override { return true; }
    bool startMonitoring() override { return true; }
    void write(const std::string&) override {}
};
struct OnePort : PortCatalog {
    std::vector<int> presentPorts() const override { return {1}; }
    std::string devicePath(int) const override { return "/dev/null"; }
};
struct QuietOwner : SessionOwner, PortOwner {
    void enableButton(int, bool) override {}
    void armTimer(int, std::chrono::milliseconds) override {}
    void cancelTimer(int) override {}
    void showMessage(const std::string&, const std::string&, MessageIcon) override {}
    void refreshAllPages() override {}
    void portNotification(PortEvent, std::uint8_t, int) override {}
    void portErrorReport(const std::string&) override {}
};

// Feeds `data` as received characters, then lets timer `id` expire.
void feed(DeviceSession& session, const std::uint8_t* data, std::size_t size, int id)
{
    for (std::size_t i = 0; i < size; ++i)
        session.onPortEvent(PortEvent::Char, data[i], 1);
    session.onTimer(id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ParameterImage image;
    QuietPort port;
    OnePort catalog;
    QuietOwner owner;
    DeviceSession session(image, port, catalog, owner, owner);

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
