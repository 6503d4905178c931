// tonel-web's figures on loopback with virtual processors: a PATCH to the frame on the line, one
// change fanned out to 50 live sockets (both with the service in this process), then the real
// program with 8 processors and 20 live sockets: its resident memory and its idle CPU.
// Prints medians and percentiles; the clients are plain sockets so nothing of theirs is timed.

#include "bench/Percentile.h"
#include "bench/LoopbackClients.h"
#include "emulator/VirtualProcessor.h"
#include "tests/web/ServerRig.h"
#include "web/server/ProcessorHub.h"
#include "web/server/WebApi.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tonel;
using namespace tonel::bench;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using tonel::bench::percentile;

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The service in this process over virtual processors whose observers time each frame received.
class Service {
public:
    explicit Service(const std::vector<std::string>& listens)
    {
        std::vector<FleetEntry> fleet;
        for (std::size_t i = 0; i < listens.size(); ++i) {
            auto& device = *devices_.emplace_back(std::make_unique<emulator::VirtualProcessor>());
            device.setObserver([this](const emulator::FrameRecord& record) {
                if (record.direction != emulator::FrameRecord::Direction::Received)
                    return;
                const std::lock_guard lock(mutex_);
                lastFrame_ = Clock::now();
                ++frames_;
                arrived_.notify_all();
            });
            if (listens[i].empty() ? !device.start() : !device.listen(listens[i], false))
                throw std::runtime_error("the virtual processor did not start");
            fleet.push_back({"p" + std::to_string(i), device.terminalPath(), static_cast<int>(i + 1)});
        }
        thread_.onLoop([&] {
            hub_ = std::make_unique<web::ProcessorHub>(thread_.loop(), fleet);
            api_ = std::make_unique<web::WebApi>(*hub_, web::AccessPolicy(), web::StaticFiles("/nonexistent"),
                                                 [this] { return server_->connections(); });
            server_ = std::make_unique<web::HttpServer>(thread_.loop(), "127.0.0.1", "0", *api_);
            port_ = server_->port();
            hub_->start();
        });
        const auto end = Clock::now() + 5s;
        while (!thread_.onLoop([this] {
            return std::all_of(hub_->links().begin(), hub_->links().end(),
                               [](const auto& link) { return link->state() == web::LinkState::Connected; });
        })) {
            if (Clock::now() > end)
                throw std::runtime_error("the processors did not connect");
            std::this_thread::sleep_for(5ms);  // a poll of a condition, with a deadline
        }
    }
    ~Service()
    {
        thread_.onLoop([this] {
            server_.reset();
            api_.reset();
            hub_.reset();
        });
    }
    unsigned short port() const { return port_; }
    std::size_t frames()
    {
        const std::lock_guard lock(mutex_);
        return frames_;
    }
    // When frame number `count` arrived at any of the processors.
    Clock::time_point frameArrival(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, 2s, [&] { return frames_ >= count; }))
            throw std::runtime_error("the frame did not arrive");
        return lastFrame_;
    }

private:
    std::vector<std::unique_ptr<emulator::VirtualProcessor>> devices_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    Clock::time_point lastFrame_;
    std::size_t frames_ = 0;
    testing::LoopThread thread_;
    std::unique_ptr<web::ProcessorHub> hub_;
    std::unique_ptr<web::WebApi> api_;
    std::unique_ptr<web::HttpServer> server_;
    unsigned short port_ = 0;
};

std::string change(int round) { return R"({"mic.main_level": )" + std::to_string(30 + round % 2) + "}"; }

// a. PATCH sent → its frame received by the processor on its line.
void changeToLine(const char* line, const std::string& listen, int changes)
{
    Service service({listen});
    Socket http(service.port());
    std::vector<double> samples;
    for (int i = 0; i < changes; ++i) {
        const std::size_t before = service.frames();
        const auto start = Clock::now();
        sendRequest(http, "PATCH", "/api/processors/p0/parameters", change(i));
        const auto arrived = service.frameArrival(before + 1);
        if (readResponse(http) != 200)
            throw std::runtime_error("the change was refused");
        samples.push_back(micros(arrived - start));
    }
    std::printf("PATCH sent -> frame received, %s: median %.0f us, p95 %.0f us, p99 %.0f us (%d changes)\n", line,
                percentile(samples, 0.5), percentile(samples, 0.95), percentile(samples, 0.99), changes);
}

// b. One PATCH → the "changed" message complete at each of `clients` live sockets.
void fanOut(int clients, int rounds)
{
    Service service({"127.0.0.1:0"});
    std::vector<std::unique_ptr<LiveSocket>> live;
    for (int i = 0; i < clients; ++i)
        live.push_back(std::make_unique<LiveSocket>(service.port(), "/api/processors/p0/live"));
    Socket http(service.port());
    std::vector<double> samples;
    std::vector<double> lastOfRound;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        sendRequest(http, "PATCH", "/api/processors/p0/parameters", change(round));
        std::vector<bool> done(live.size());
        std::size_t remaining = live.size();
        double last = 0;
        while (remaining > 0) {
            std::vector<pollfd> fds;
            for (auto& socket : live)
                fds.push_back({socket->fd(), POLLIN, 0});
            if (::poll(fds.data(), fds.size(), 3000) <= 0)
                throw std::runtime_error("a live client heard nothing");
            const auto now = Clock::now();
            for (std::size_t i = 0; i < live.size(); ++i) {
                std::string message;
                if (done[i] || !(fds[i].revents & POLLIN))
                    continue;
                live[i]->receive();
                if (live[i]->take(message)) {
                    done[i] = true;
                    --remaining;
                    samples.push_back(micros(now - start));
                    last = std::max(last, samples.back());
                }
            }
        }
        lastOfRound.push_back(last);
        if (readResponse(http) != 200)
            throw std::runtime_error("the change was refused");
    }
    std::printf("PATCH sent -> each of %d live clients has the change: median %.0f us, p95 %.0f us, p99 %.0f us; "
                "last client of a round: median %.0f us (%d rounds)\n",
                clients, percentile(samples, 0.5), percentile(samples, 0.95), percentile(samples, 0.99),
                percentile(lastOfRound, 0.5), rounds);
}

std::string statusField(pid_t pid, const std::string& name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":"))
            return line.substr(line.find_first_not_of(" \t", name.size() + 1));
    }
    return "?";
}

// utime + stime in clock ticks.
long cpuTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {  // field 3 is the state
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

std::string webProgram()
{
    if (const char* buildDir = std::getenv("TONEL_BUILD_DIR"))
        return std::string(buildDir) + "/web/server/tonel-web";
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "web/server/tonel-web").string();
}

// c. and d. The real program with `processors` virtual processors (half on terminals, half on TCP)
// and `clients` live sockets: its resident memory, then its CPU over `idle` with nothing asked.
void program(int processors, int clients, std::chrono::seconds idle)
{
    std::vector<std::unique_ptr<emulator::VirtualProcessor>> devices;
    std::vector<std::string> args{webProgram(), "--listen", "127.0.0.1:0", "--panel-dir", "/nonexistent"};
    for (int i = 0; i < processors; ++i) {
        auto& device = *devices.emplace_back(std::make_unique<emulator::VirtualProcessor>());
        if (i % 2 == 0 ? !device.start() : !device.listen("127.0.0.1:0", false))
            throw std::runtime_error("the virtual processor did not start");
        args.push_back("--port");
        args.push_back("p" + std::to_string(i) + "=" + device.terminalPath());
    }
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("no pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    struct Ending {  // SIGTERM and a wait, however the measurement ends
        pid_t pid;
        int output;
        ~Ending()
        {
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
            }
            ::close(output);
        }
    } ending{pid, out[0]};
    std::string banner;  // "tonel-web: serving 8 processor(s) on http://127.0.0.1:PORT/"
    char c;
    while (banner.find('\n') == std::string::npos && ::read(out[0], &c, 1) == 1)
        banner += c;
    const std::size_t colon = banner.rfind(':');
    if (pid < 0 || colon == std::string::npos)
        throw std::runtime_error("tonel-web did not start: " + banner);
    const auto port = static_cast<unsigned short>(std::stoi(banner.substr(colon + 1)));

    Socket http(port);
    for (const auto end = Clock::now() + 5s;;) {
        std::string body;
        sendRequest(http, "GET", "/api/processors");
        readResponse(http, &body);
        const auto list = nlohmann::json::parse(body)["processors"];
        if (std::all_of(list.begin(), list.end(), [](const auto& p) { return p["state"] == "connected"; }))
            break;
        if (Clock::now() > end)
            throw std::runtime_error("the processors did not connect: " + body);
        std::this_thread::sleep_for(10ms);  // a poll of a condition, with a deadline
    }
    std::vector<std::unique_ptr<LiveSocket>> live;
    for (int i = 0; i < clients; ++i)
        live.push_back(std::make_unique<LiveSocket>(port, "/api/processors/p" + std::to_string(i % processors) + "/live"));
    for (int i = 0; i < processors; ++i) {  // every processor changed once, every client told
        sendRequest(http, "PATCH", "/api/processors/p" + std::to_string(i) + "/parameters", change(1));
        if (readResponse(http) != 200)
            throw std::runtime_error("the change was refused");
    }
    for (int i = 0; i < clients; ++i)
        live[static_cast<std::size_t>(i)]->next();
    std::printf("tonel-web with %d processors and %d live clients: VmRSS %s, VmHWM %s, threads %s\n", processors,
                clients, statusField(pid, "VmRSS").c_str(), statusField(pid, "VmHWM").c_str(),
                statusField(pid, "Threads").c_str());

    const long before = cpuTicks(pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(idle);  // the interval measured: nothing is asked of the service
    const long used = cpuTicks(pid) - before;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double tick = 1.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    std::printf("tonel-web idle for %.1f s: %ld ticks of CPU (%.0f ms, %.2f %% of one CPU)\n", seconds, used,
                static_cast<double>(used) * tick * 1000, 100.0 * static_cast<double>(used) * tick / seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    const int changes = argc > 1 ? std::atoi(argv[1]) : 1000;
    try {
        changeToLine("pseudo-terminal", "", changes);
        changeToLine("TCP", "127.0.0.1:0", changes);
        fanOut(50, changes / 10);
        program(8, 20, 5s);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_web: %s\n", e.what());
        return 1;
    }
    return 0;
}
