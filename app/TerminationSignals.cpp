#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tonel {

namespace {
sigset_t terminationSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);  // the terminal closed or the user logged out
    return set;
}
}  // namespace

bool TerminationSignals::block()
{
    const sigset_t set = terminationSet();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    const sigset_t set = terminationSet();
    fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignal(); });
}

TerminationSignals::~TerminationSignals()
{
    delete notifier_;
    if (fd_ >= 0)
        ::close(fd_);
}

void TerminationSignals::readSignal()
{
    signalfd_siginfo info{};
    bool received = false;
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
        received = true;
    if (received && onSignal_)
        onSignal_();
}

}  // namespace tonel
