#pragma once
// File-system conditions a test can arrange even as root: permission bits that bind, and a small
// file system of its own that can be made read-only or full. Both act on the calling thread only.

#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace tonel::testing {

// Permission bits bind this thread even when it runs as root: the capabilities that override
// them leave its effective set while this object lives (capabilities belong to each thread).
class PermissionsBind {
public:
    PermissionsBind()
    {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        changed_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionsBind()
    {
        if (changed_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool changed_ = false;
};

// A small file system of its own on `where`, mounted in a mount namespace private to this thread:
// nobody else sees it, and it goes away with the namespace whatever the test does.
class PrivateTmpfs {
public:
    PrivateTmpfs(const std::filesystem::path& where, const char* options) : where_(where)
    {
        home_ = ::open("/proc/thread-self/ns/mnt", O_RDONLY | O_CLOEXEC);
        if (home_ < 0 || ::unshare(CLONE_NEWNS) != 0) {
            why_ = std::string("no mount namespace of our own: ") + std::strerror(errno);
            return;
        }
        unshared_ = true;
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tonel-test", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options) != 0) {
            why_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~PrivateTmpfs()
    {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
        if (unshared_)
            ::setns(home_, CLONE_NEWNS);
        if (home_ >= 0)
            ::close(home_);
    }
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

private:
    std::filesystem::path where_;
    int home_ = -1;
    bool unshared_ = false;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace tonel::testing
