#include "tests/support/Ser2netRig.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tonel::testing {
namespace {

using Clock = std::chrono::steady_clock;

std::string ser2netProgram()
{
    for (const char* path : {"/usr/sbin/ser2net", "/usr/bin/ser2net", "/usr/local/sbin/ser2net"}) {
        if (::access(path, X_OK) == 0)
            return path;
    }
    return {};
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// One ser2net connection: the line at 38400 8N1 without modem-control lines, served on loopback.
std::string yaml(const std::string& device, std::uint16_t port, Ser2netRig::Protocol protocol)
{
    const std::string accepter = protocol == Ser2netRig::Protocol::Rfc2217 ? "telnet(rfc2217),tcp" : "tcp";
    return "connection: &tonel\n"
           "  accepter: " + accepter + ",127.0.0.1," + std::to_string(port) + "\n"
           "  connector: serialdev," + device + ",38400n81,local\n"
           "  options:\n"
           "    mdns: false\n";
}

// True once something listens on 127.0.0.1:port (read from /proc/net/tcp, without connecting).
bool isListening(std::uint16_t port)
{
    char wanted[32];
    std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);  // 127.0.0.1 as the kernel prints it
    std::ifstream table("/proc/net/tcp");
    std::string line;
    std::getline(table, line);  // the header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (local == wanted && state == "0A")  // TCP_LISTEN
            return true;
    }
    return false;
}

}  // namespace

Ser2netRig::Ser2netRig(const std::string& devicePath, Protocol protocol, std::chrono::milliseconds timeout)
    : protocol_(protocol), port_(freeLoopbackPort())
{
    char folder[] = "/tmp/tonel-ser2net-XXXXXX";
    if (!::mkdtemp(folder)) {
        error_ = "cannot make a temporary folder";
        return;
    }
    folder_ = folder;
    std::ofstream(folder_ + "/ser2net.yaml") << yaml(devicePath, port_, protocol);
    start(timeout);
}

Ser2netRig::~Ser2netRig()
{
    stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string Ser2netRig::portName() const
{
    return (protocol_ == Protocol::Rfc2217 ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:") + std::to_string(port_);
}

bool Ser2netRig::start(std::chrono::milliseconds timeout)
{
    error_.clear();
    const std::string program = ser2netProgram();
    if (program.empty()) {
        error_ = "ser2net is not installed (Debian package ser2net)";
        return false;
    }
    const std::string config = folder_ + "/ser2net.yaml", pidFile = folder_ + "/ser2net.pid";
    const std::string messages = folder_ + "/messages.txt";
    child_ = ::fork();
    if (child_ == 0) {
        const int out = ::open(messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        // -n: stay in the foreground (our child); -u: no UUCP lock files; -P: a pid file of its own.
        ::execl(program.c_str(), program.c_str(), "-n", "-u", "-c", config.c_str(), "-P", pidFile.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (child_ < 0) {
        error_ = "fork failed";
        return false;
    }
    const auto deadline = Clock::now() + timeout;
    while (!isListening(port_)) {
        int status = 0;
        if (::waitpid(child_, &status, WNOHANG) == child_) {
            child_ = -1;
            error_ = "ser2net exited: " + readFile(messages);
            return false;
        }
        if (Clock::now() > deadline) {
            error_ = "ser2net never listened on port " + std::to_string(port_) + ": " + readFile(messages);
            return false;
        }
        std::this_thread::sleep_for(2ms);  // an external program: nothing to wait on but its socket
    }
    return true;
}

void Ser2netRig::stop()
{
    if (child_ <= 0)
        return;
    ::kill(child_, SIGTERM);
    const auto deadline = Clock::now() + 5s;
    int status = 0;
    while (::waitpid(child_, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(2ms);
    }
    child_ = -1;
}

bool Ser2netRig::restart(std::chrono::milliseconds timeout)
{
    stop();
    return start(timeout);
}

std::uint16_t freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    std::uint16_t port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

TerminalEnd connectLoopback(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            ::close(fd);
        return TerminalEnd();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return TerminalEnd(fd);
}

}  // namespace tonel::testing
