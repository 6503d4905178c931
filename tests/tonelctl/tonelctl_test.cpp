// tonelctl end to end: each command against virtual processors on pseudo-terminals.

#include "device/WireProtocol.h"
#include "emulator/VirtualProcessor.h"
#include "model/ParameterCatalog.h"
#include "model/ParameterFile.h"
#include "model/ParameterSetting.h"
#include "tests/support/Pty.h"
#include "tests/tonelctl/TonelctlRun.h"
#include "tools/tonelctl/ProcessorExchange.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
using emulator::DeviceFaults;
using emulator::VirtualProcessor;
using namespace std::chrono_literals;

std::string bytesOf(const ParameterImage& image) { return {image.bytes().begin(), image.bytes().end()}; }

class TonelctlTest : public ScratchFolderTest {
protected:
    // A running processor; its image differs from the defaults at `mark` when given.
    std::string processor(DeviceFaults faults = {}, std::optional<std::uint8_t> mark = {})
    {
        ImageBytes image = defaultImageBytes();
        if (mark)
            image[findParameter("room.eq7.q")->offset] = *mark;
        processors_.push_back(std::make_unique<VirtualProcessor>(faults, image));
        EXPECT_TRUE(processors_.back()->start());
        return processors_.back()->terminalPath();
    }
    // The same on a TCP port of this machine ("tcp://127.0.0.1:N", or "rfc2217://…" speaking Telnet).
    std::string networkProcessor(bool rfc2217 = false)
    {
        processors_.push_back(std::make_unique<VirtualProcessor>());
        std::string error;
        EXPECT_TRUE(processors_.back()->listen("127.0.0.1:0", rfc2217, &error)) << error;
        return processors_.back()->terminalPath();
    }
    VirtualProcessor& device(std::size_t i) { return *processors_.at(i); }

    std::string file(const std::string& name, std::optional<std::uint8_t> mark = {}, std::size_t size = kImageSize)
    {
        ParameterImage image;
        if (mark)
            image.set(findParameter("room.eq7.q")->offset, *mark);
        const std::string path = (folder_ / name).string();
        EXPECT_TRUE(saveParameterFile(path, image).ok());
        fs::resize_file(path, size);
        return path;
    }
    std::vector<std::unique_ptr<VirtualProcessor>> processors_;
};

template <class Change>
DeviceFaults faults(Change change)
{
    DeviceFaults f;
    change(f);
    return f;
}

std::size_t lines(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

// Ports report as they finish, in no set order: the lines compared as a set.
std::multiset<std::string> lineSet(const std::string& text)
{
    std::multiset<std::string> set;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        set.insert(line);
    return set;
}

TEST_F(TonelctlTest, ProbeSaysWhichPortsHaveAProcessorAndWhyNot)
{
    const std::string good = processor();
    const std::string wrong = processor(faults([](auto& f) { f.helloReply = "(01hello12)"; }));
    const std::string silent = processor(faults([](auto& f) { f.silent = true; }));
    const Outcome r = tonelctl({"probe", "--port", good, "-p", wrong, "--port", silent, "--port", path("none")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lineSet(r.out), lineSet(good + "\tok\tprocessor answered\n" + wrong + "\tfailed\treply invalid (not a processor's greeting)\n" +
                                      silent + "\tfailed\tno answer\n" + path("none") + "\tfailed\tno such port\n"));
    EXPECT_EQ(lines(r.err), 3u);
    // Every session that was greeted ends with the goodbye.
    EXPECT_TRUE(device(0).waitUntil([](auto&, auto& log) { return !log.empty() && log.back().text == "(01bye)"; }, 2s));

    // A slow line answers after the panel's 280 ms: --timeout-ms lengthens the deadlines.
    const std::string slow = processor(faults([](auto& f) { f.replyDelay = 400ms; }));
    EXPECT_EQ(tonelctl({"probe", "--port", slow}).out, slow + "\tfailed\tno answer\n");
    EXPECT_EQ(tonelctl({"probe", "--port", slow, "--timeout-ms", "1500"}).code, 0);
}

TEST_F(TonelctlTest, ReadSavesEachProcessorAndLeavesNoFileForAFailure)
{
    const std::string a = processor({}, 10);
    const std::string b = processor({}, 20);
    const std::string cut = processor(faults([](auto& f) { f.queryTruncate = 100; }));
    const std::string into = path("rooms");
    const Outcome r = tonelctl({"read", "--port", a, "--port", b, "--port", cut, "-o", into});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.out.find(cut + "\tfailed\treply invalid"), std::string::npos) << r.out;
    ParameterImage image;
    ASSERT_TRUE(loadParameterFile(into + "/" + fs::path(a).filename().string() + ".cfg", image).ok());
    EXPECT_EQ(image.get(161), 10);
    ASSERT_TRUE(loadParameterFile(into + "/" + fs::path(b).filename().string() + ".cfg", image).ok());
    EXPECT_EQ(image.get(161), 20);
    EXPECT_EQ(std::distance(fs::directory_iterator(into), fs::directory_iterator()), 2);

    EXPECT_EQ(tonelctl({"read", "--port", a, "-o", path("one.cfg")}).code, 0);
    EXPECT_TRUE(loadParameterFile(path("one.cfg"), image).ok());
    EXPECT_EQ(tonelctl({"read", "--port", a, "-o", into}).code, 2);  // a folder where a file is wanted
    EXPECT_EQ(tonelctl({"read", "--port", a, "-o", path("backup/")}).code, 0);  // a folder named as one
    EXPECT_TRUE(loadParameterFile(path("backup/") + fs::path(a).filename().string() + ".cfg", image).ok());
}

TEST_F(TonelctlTest, WriteUploadsStoresAndSaysWhichPortsGotTheImage)
{
    const std::string a = processor();
    const std::string refusing = processor(faults([](auto& f) { f.ackReply = "(01P000)"; }));
    const Outcome r = tonelctl({"write", file("tuned.cfg", 30), "--port", a, "--port", refusing, "--store"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lineSet(r.out), lineSet(a + "\tok\timage written and stored\n" + refusing + "\tfailed\treply invalid (upload not confirmed)\n"));
    EXPECT_NE(r.err.find("the image reached 1 of 2 ports: " + a + "; not: " + refusing), std::string::npos) << r.err;
    EXPECT_EQ(device(0).image()[161], 30);
    ASSERT_TRUE(device(0).waitUntil([](auto&, auto& log) { return log.size() >= 6 && log.back().text == "(01bye)"; }, 2s));
    EXPECT_EQ(device(0).storedImage().value_or(ImageBytes{})[161], 30);
    EXPECT_FALSE(device(1).storedImage());  // "(01S)" only after a confirmed upload

    const Outcome shortFile = tonelctl({"write", file("short.cfg", {}, 187), "--port", a});
    EXPECT_EQ(shortFile.code, 1);
    EXPECT_NE(shortFile.err.find("file is 187 bytes, not 188"), std::string::npos) << shortFile.err;
}

TEST_F(TonelctlTest, ShowListsEveryParameterOfAProcessorOrAFile)
{
    const std::string port = processor({}, 50);
    const Outcome r = tonelctl({"show", "--port", port, "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto shown = nlohmann::ordered_json::parse(r.out);
    ASSERT_EQ(shown.size(), kImageSize);
    EXPECT_EQ(shown[161].dump(), R"({"name":"room.eq7.q","offset":161,"raw":50,"value":5.46,"unit":null,"text":"5.46"})");
    ParameterImage image;
    image.set(findParameter("room.eq1.gain")->offset, 3);
    image.set(findParameter("mic.eq2.freq")->offset, 89);
    image.set(findParameter("global.panel_lock")->offset, 9);
    const Outcome fromInput = tonelctl({"show", "-", "--json"}, bytesOf(image));
    ASSERT_EQ(fromInput.code, 0) << fromInput.err;
    const auto entries = nlohmann::ordered_json::parse(fromInput.out);
    EXPECT_EQ(entries[findParameter("room.eq1.gain")->offset]["value"], -10.5);
    EXPECT_EQ(entries[findParameter("room.eq1.gain")->offset]["unit"], "dB");
    EXPECT_EQ(entries[findParameter("mic.eq2.freq")->offset]["value"], 3150);
    EXPECT_EQ(entries[findParameter("global.effect_program")->offset]["value"], "甜美");
    EXPECT_TRUE(entries[findParameter("global.panel_lock")->offset]["value"].is_null());
    const Outcome text = tonelctl({"show", "-"}, bytesOf(image));
    EXPECT_EQ(lines(text.out), kImageSize);
    for (const char* shownLine : {"global.effect_program        0  甜美\n", "room.eq1.gain                3  -10.5dB\n",
                                  "mic.eq2.freq                89  3.15kHz\n", "global.panel_lock            9  (outside 0..1)\n"})
        EXPECT_NE(text.out.find(shownLine), std::string::npos) << shownLine;
    EXPECT_EQ(tonelctl({"show", file("b.cfg"), "--port", port}).code, 2);
}

TEST_F(TonelctlTest, DiffComparesTwoFilesLikeDiff)
{
    const std::string a = file("a.cfg", 46), same = file("same.cfg", 46), b = file("b.cfg", 50);
    EXPECT_EQ(tonelctl({"diff", a, same}).code, 0);
    const Outcome r = tonelctl({"diff", a, b, "--json"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(r.out).dump(),
              R"([{"name":"room.eq7.q","offset":161,"a":{"raw":46,"text":"4.33"},"b":{"raw":50,"text":"5.46"}}])");
    EXPECT_EQ(tonelctl({"diff", a, file("long.cfg", {}, 189)}).code, 2);
    EXPECT_EQ(tonelctl({"diff", a, folder_.string()}).code, 2);
}

TEST_F(TonelctlTest, SetSendsThePanelsFramesOrEditsAFile)
{
    const std::string port = processor();
    const Outcome r = tonelctl({"set", "--port", port, "global.effect_program=2", "effect3.delay=40", "room.eq2.freq=1.5k",
                            "mic.max_level=20"});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_TRUE(device(0).waitUntil([](auto&, auto& log) { return log.back().text == "(01bye)"; }, 2s));
    const std::vector<std::string> sent = device(0).receivedFrames();
    const std::vector<std::string> expected{"(01hello)",      "(01Q)",          "(01$001000002)", "(01$004002040)",
                                            "(01$008301001076024046)", "(01$005001020)", "(01bye)"};
    EXPECT_EQ(sent, expected);

    // Bad input: a message for each argument and nothing opened at all.
    const Outcome bad = tonelctl({"set", "--port", port, "nope=1", "mic.main_level=99", "mic.link"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(lines(bad.err), 3u);
    EXPECT_EQ(device(0).receivedFrames().size(), expected.size());
    EXPECT_EQ(tonelctl({"set", "--port", "tcp://host", "mic.link=0"}).code, 2);

    const std::string cfg = file("room.cfg");
    EXPECT_EQ(tonelctl({"set", "--file", cfg, "effect2.extension=on", "global.reserved=7"}).code, 0);
    ParameterImage image;
    ASSERT_TRUE(loadParameterFile(cfg, image).ok());
    EXPECT_EQ(image.get(findParameter("effect2.extension")->offset), 1);
    EXPECT_EQ(image.get(0), 7);
}

TEST_F(TonelctlTest, ReadsAndSetsOverTcpAndRfc2217BesideATty)
{
    const std::string tty = processor({}, 10);
    const std::string net = networkProcessor();
    const std::string telnet = networkProcessor(true);
    ASSERT_EQ(net.rfind("tcp://127.0.0.1:", 0), 0u);
    const Outcome r = tonelctl({"read", "--port", net, "--port", tty, "--port", telnet, "-o", path("all")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(path("all/tcp-127.0.0.1-" + std::to_string(device(1).listeningPort()) + ".cfg")));
    EXPECT_TRUE(fs::exists(path("all/rfc2217-127.0.0.1-" + std::to_string(device(2).listeningPort()) + ".cfg")));
    EXPECT_EQ(tonelctl({"set", "--port", net, "--port", telnet, "room.eq1.gain=+3"}).code, 0);
    for (std::size_t i : {1, 2})
        EXPECT_TRUE(device(i).waitUntil([](const ParameterImage& image, auto&) { return image.get(136) == 30; }, 2s));
    const std::string gone = net;
    device(1).stop();
    EXPECT_EQ(tonelctl({"probe", "--port", gone}).out, gone + "\tfailed\tconnection refused\n");
}

TEST_F(TonelctlTest, NamesAndUsage)
{
    const Outcome names = tonelctl({"names", "--json"});
    ASSERT_EQ(names.code, 0);
    EXPECT_EQ(nlohmann::json::parse(names.out).size(), kImageSize);
    EXPECT_EQ(tonelctl({"names"}).out.find("global.reserved"), 0u);
    const Outcome help = tonelctl({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"probe", "read", "write", "show", "diff", "set", "names"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    EXPECT_EQ(tonelctl({"names", "room.eq3.*"}).out.find("room.eq3.type"), 0u);
    EXPECT_EQ(lines(tonelctl({"names", "room.eq3.*"}).out), 4u);
    const Outcome none = tonelctl({"names", "room.eq9*", "--json"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no parameter name matches \"room.eq9*\""), std::string::npos) << none.err;
    const Outcome version = tonelctl({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("tonelctl ", 0), 0u) << version.out;
    EXPECT_GT(version.out.size(), std::string("tonelctl \n").size());
    EXPECT_NE(tonelctl({"read", "--help"}).out.find("Usage: tonelctl read [OPTIONS]"), std::string::npos);
    EXPECT_EQ(tonelctl({}).code, 2);
    const Outcome unknown = tonelctl({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "tonelctl: unknown command 'frobnicate'\nRun 'tonelctl --help' for the commands.\n");
    const Outcome noOutput = tonelctl({"read", "--port", "/dev/null"});
    EXPECT_EQ(noOutput.code, 2);
    EXPECT_NE(noOutput.err.find("\nRun 'tonelctl read --help' for its options.\n"), std::string::npos) << noOutput.err;
}

// A line whose far end greets properly and then answers the image request with `imageReply`.
struct ScriptedProcessor {
    explicit ScriptedProcessor(std::string imageReply)
        : peer([this, reply = std::move(imageReply)] {
              if (line.device().readUntil(")") == "(01hello)" && line.device().writeAll("(01hello13)") &&
                  line.device().readUntil(")") == "(01Q)")
                  line.device().writeAll(reply);
          })
    {
    }
    ~ScriptedProcessor() { peer.join(); }

    PtyPair line;
    std::thread peer;
};

TEST_F(TonelctlTest, ReadSavesOnlyAnExactImageReply)
{
    const std::string hex = wire::encodeImageHex(ParameterImage{});
    std::string lower = hex;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    struct Case {
        const char* name;
        std::string reply;
        bool saved;
    };
    const Case cases[] = {
        {"garbage", "(01Q376" + std::string(376, 'x') + ")", false},
        {"overlong", "(01Q376" + hex + std::string(5383 - 384, '0') + ")", false},
        {"lowercase", "(01Q376" + lower + ")", true},
    };
    for (const Case& c : cases) {
        const std::string saved = path(std::string(c.name) + ".cfg");
        Outcome r;
        {
            ScriptedProcessor device(c.reply);
            ASSERT_TRUE(device.line.ok());
            r = tonelctl({"read", "--port", device.line.terminalPath(), "-o", saved});
        }
        EXPECT_EQ(r.code, c.saved ? 0 : 1) << c.name << ": " << r.out;
        EXPECT_EQ(fs::exists(saved), c.saved) << c.name;
        if (!c.saved) {
            EXPECT_NE(r.out.find("reply invalid (not an image of 188 bytes)"), std::string::npos) << r.out;
        }
    }
}

TEST_F(TonelctlTest, SetReadsRealUnitsAppliesOneChangeInAnyOrderAndSuggestsNames)
{
    const std::string port = processor();
    const Outcome r = tonelctl({"set", "--port", port, "effect3.delay=11", "room.eq3.freq=1.55k", "global.effect_program=2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("room.eq3.freq 1.55k → 1.5kHz"), std::string::npos) << r.err;
    ASSERT_TRUE(device(0).waitUntil([](auto&, auto& log) { return log.back().text == "(01bye)"; }, 2s));
    const std::vector<std::string> expected{"(01hello)", "(01Q)", "(01$001000002)", "(01$004002011)",
                                            "(01$008302001076024046)", "(01bye)"};
    EXPECT_EQ(device(0).receivedFrames(), expected);

    const Outcome bad = tonelctl({"set", "--port", port, "mic.mainLevel=3", "room.eq1.gain=-10.2", "room.eq1.freq=1,5k"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("did you mean mic.main_level"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("-10.5dB or -10dB"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("comma"), std::string::npos) << bad.err;
    EXPECT_EQ(device(0).receivedFrames().size(), expected.size());

    // A main level above the maximum it is raised past, given first; linked microphones told apart.
    const std::string cfg = file("levels.cfg");
    ASSERT_EQ(tonelctl({"set", "--file", cfg, "mic.max_level=20"}).code, 0);
    EXPECT_EQ(tonelctl({"set", "--file", cfg, "mic.main_level=30", "mic.max_level=40"}).code, 0);
    EXPECT_EQ(tonelctl({"set", "--file", cfg, "mic.mic1_eq.gain=+3", "mic.mic2_eq.gain=-3"}).code, 2);
    ParameterImage image;
    ASSERT_TRUE(loadParameterFile(cfg, image).ok());
    EXPECT_EQ(image.get(findParameter("mic.main_level")->offset), 30);
    EXPECT_EQ(image.get(findParameter("mic.mic1_eq.gain")->offset), 24);
}

// A named pipe holding `size` bytes of an image from a writer that has finished; the returned
// read end keeps them there until it is closed.
int pipeWithImage(const std::string& pipe, std::size_t size)
{
    EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const ImageBytes image = defaultImageBytes();
    std::vector<char> bytes(size, 0);
    std::copy_n(image.begin(), std::min(size, image.size()), bytes.begin());
    const int keeper = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int writer = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
    EXPECT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(size));
    ::close(writer);
    return keeper;
}

TEST_F(TonelctlTest, PipesAreReadNotSized)
{
    for (const auto& [size, says] : std::vector<std::pair<std::size_t, std::string>>{
             {kImageSize, ""}, {10, "file is 10 bytes, not 188"}, {300, "file is more than 188 bytes, not 188"}}) {
        const std::string pipe = path("pipe" + std::to_string(size));
        const int keeper = pipeWithImage(pipe, size);
        const Outcome r = tonelctl({"show", pipe});
        ::close(keeper);
        EXPECT_EQ(r.code, says.empty() ? 0 : 1) << r.err;
        EXPECT_EQ(lines(r.out), says.empty() ? kImageSize : 0u);
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    }
}

TEST_F(TonelctlTest, ANameCannotForgeAnOutcomeLine)
{
    const std::string forged = path("x\tok\tprocessor answered\n/dev/ttyS0");
    const Outcome r = tonelctl({"probe", "--port", forged});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(lines(r.out), 1u) << r.out;
    EXPECT_NE(r.out.find("x\\tok\\tprocessor answered\\n/dev/ttyS0\tfailed\t"), std::string::npos) << r.out;
    EXPECT_EQ(lines(r.err), 1u) << r.err;
}

TEST_F(TonelctlTest, ExclusiveOptionsAndTheHelpsDeadlines)
{
    const std::string cfg = file("a.cfg");
    EXPECT_EQ(tonelctl({"show"}).code, 2);
    EXPECT_EQ(tonelctl({"show", cfg, "--port", "/dev/null"}).code, 2);
    EXPECT_EQ(tonelctl({"set", "--file", cfg, "--port", "/dev/null", "mic.link=0"}).code, 2);
    const ctl::ExchangeTiming timing;
    const std::string help = tonelctl({"--help"}).out;
    for (const auto deadline : {timing.hello, timing.image, timing.upload, timing.connect, timing.connect + timing.hello})
        EXPECT_NE(help.find(std::to_string(deadline.count()) + " ms"), std::string::npos) << deadline.count();
    EXPECT_NE(help.find("network port must connect within " + std::to_string(timing.connect.count()) + " ms"),
              std::string::npos);
}

// Every parameter, at a spread of its bytes: what show prints, set takes back to the same byte.
TEST_F(TonelctlTest, ShowPrintsWhatSetTakesBack)
{
    for (int step = 0; step <= 4; ++step) {
        ParameterImage image;
        for (const Parameter& p : parameterCatalog())
            image.set(p.offset, static_cast<std::uint8_t>(p.min + (p.max - p.min) * step / 4));
        for (const Parameter& p : parameterCatalog())  // an image the panel's rules allow
            if (const auto max = maxLevelBounding(p.offset))
                pullMainLevelDown(image, *max);
        if (image.get(findParameter("mic.link")->offset) == 1)
            copyMic1ToMic2(image);
        const Outcome shown = tonelctl({"show", "-"}, bytesOf(image));
        ASSERT_EQ(shown.code, 0) << shown.err;
        std::vector<std::string> args{"set", "--file", file("copy.cfg")};
        std::istringstream listing(shown.out);
        for (std::string line; std::getline(listing, line);) {
            std::istringstream fields(line);
            std::string name, value;
            int raw = 0;
            fields >> name >> raw >> std::ws;
            std::getline(fields, value);
            args.push_back(name + "=" + value);
        }
        const Outcome set = tonelctl(args);
        ASSERT_EQ(set.code, 0) << set.err;
        EXPECT_EQ(set.err, "") << step;  // nothing snapped: every printed value is a step
        ParameterImage back;
        ASSERT_TRUE(loadParameterFile(path("copy.cfg"), back).ok());
        for (const Parameter& p : parameterCatalog())
            EXPECT_EQ(back.get(p.offset), image.get(p.offset)) << p.name << " at step " << step;
    }
}

// Each value that is not clearly one of the parameter's steps ends set before a port is opened.
TEST_F(TonelctlTest, SetRefusesUnclearValuesBeforeOpeningAnything)
{
    const std::string port = processor();
    const std::pair<const char*, const char*> refused[] = {
        {"room.eq3.freq=1k5", "cannot read \"1k5\""},      {"room.eq3.freq=15OO", "cannot read"},
        {"room.eq3.freq=1..5k", "cannot read"},             {"room.eq3.freq=2x", "cannot read"},
        {"room.eq3.freq=1 500Hz", "cannot read"},           {"room.eq3.freq=", "no value"},
        {"room.eq3.freq=10Hz", "out of range"},             {"room.eq3.freq=30k", "out of range"},
        {"room.eq1.gain=-10.2", "-10.5dB or -10dB"},        {"music.eq1.type=Hi-shelves", "is not a choice"},
        {"room.eq1.gain=-10,5", "comma"},                   {"mic.main_levle=3", "did you mean mic.main_level"},
    };
    for (const auto& [argument, says] : refused) {
        const Outcome r = tonelctl({"set", "--port", port, argument});
        EXPECT_EQ(r.code, 2) << argument;
        EXPECT_NE(r.err.find(says), std::string::npos) << argument << ": " << r.err;
        EXPECT_EQ(r.out, "") << argument;
    }
    EXPECT_TRUE(device(0).receivedFrames().empty());

    const std::string cfg = file("comma.cfg");
    const Outcome comma = tonelctl({"set", "--decimal-comma", "--file", cfg, "room.eq1.gain=-10,5", "room.eq3.freq=3150"});
    ASSERT_EQ(comma.code, 0) << comma.err;
    EXPECT_EQ(comma.out, "room.eq1.gain=3\t-10.5dB\nroom.eq3.freq=89\t3.15kHz\n");
}

// "-" is standard input or output wherever a file is taken; a terminal gets no binary image.
TEST_F(TonelctlTest, DashIsStandardInputOrOutput)
{
    const std::string port = processor({}, 40);
    const Outcome read = tonelctl({"read", "--port", port, "-o", "-"});
    ASSERT_EQ(read.code, 0) << read.err;
    const auto image = device(0).image();
    EXPECT_EQ(read.out, std::string(image.begin(), image.end()));
    EXPECT_EQ(read.err, port + "\tok\tsaved -\n");
    EXPECT_EQ(tonelctl({"read", "--port", port, "--port", processor(), "-o", "-"}).code, 2);
    EXPECT_FALSE(fs::exists("-"));

    const std::string marked = read.out;
    EXPECT_EQ(tonelctl({"diff", file("a.cfg", 40), "-"}, marked).code, 0);
    EXPECT_EQ(tonelctl({"diff", "-", file("b.cfg", 41)}, marked).code, 1);
    EXPECT_NE(tonelctl({"diff", "-", "-"}, marked).err.find("read once"), std::string::npos);
    const Outcome shortInput = tonelctl({"show", "-"}, marked.substr(1));
    EXPECT_EQ(shortInput.code, 1);
    EXPECT_NE(shortInput.err.find("holds 187 bytes, not 188"), std::string::npos) << shortInput.err;

    const std::string other = processor();
    ASSERT_EQ(tonelctl({"write", "-", "--port", other}, marked).code, 0);
    EXPECT_EQ(device(2).image()[161], 40);

    EXPECT_EQ(tonelctl({"set", "--file", "-", "mic.link=0"}, marked).code, 2);
    const Outcome terminal = tonelctl({"show", "-"}, marked, {true, true});
    EXPECT_EQ(terminal.code, 1);
    EXPECT_NE(terminal.err.find("standard input is a terminal"), std::string::npos) << terminal.err;
    ASSERT_TRUE(device(0).waitUntil([](auto&, auto& log) { return !log.empty() && log.back().text == "(01bye)"; }, 2s));
    const std::size_t asked = device(0).receivedFrames().size();
    const Outcome screen = tonelctl({"read", "--port", port, "-o", "-"}, {}, {false, true});
    EXPECT_EQ(screen.code, 2);
    EXPECT_EQ(screen.out, "");
    EXPECT_NE(screen.err.find("will not write a binary image to a terminal"), std::string::npos) << screen.err;
    EXPECT_EQ(device(0).receivedFrames().size(), asked);  // the processor was not asked
}

}  // namespace
}  // namespace tonel::testing
