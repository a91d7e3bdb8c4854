#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <set>

#include "platform/profile.h"
#include "platform/profile_encoding.h"

namespace platform {
namespace {

constexpr const char* ReadOnlyFile = "the file is read-only";
constexpr const char* FolderInItsPlace = "a folder stands in its place";
constexpr const char* NotAPlainFile = "it is not a plain file";
constexpr const char* InUse = "the file is in use by another program";
constexpr const char* TooLargeFile = "it is larger than 1 MiB, too large for a settings file";
constexpr const char* WouldBeTooLarge = "it would grow larger than 1 MiB, too large for a settings file";

std::string PlainReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "permission denied";
        case EROFS:
            return "the disk is read-only";
        case ENOSPC:
        case EDQUOT:
            return "the disk is full";
        case EFBIG:
            return "the file would grow too large";
        case ENOENT:
            return "its folder does not exist";
        case ENOTDIR:
            return "a file stands where its folder should be";
        case ELOOP:
            return "its links lead round in a circle";
        case EIO:
            return "the disk reported an error";
        default: {
            std::string text = std::strerror(error);
            if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
            return text;
        }
    }
}

std::string NotAFileReason(const struct stat& info) { return S_ISDIR(info.st_mode) ? FolderInItsPlace : NotAPlainFile; }

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }
    // Closes now, reporting a failed close (some file systems only tell then that a write failed).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

// Unreadable: the file is there and the system failed to read it for a reason that may pass
// (out of file handles or memory, a disk error); Failed: anything else that keeps it unread.
enum class FileState { Read, Missing, Failed, Unreadable, TooLarge };

bool PassingReason(int error) {
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EIO || error == EINTR ||
           error == EAGAIN;
}

// Reads no more than a little past the size limit, so that a file growing while it is read is
// refused as well as one that was large from the start.
FileState ReadAll(int fd, std::string& raw, std::size_t sizeHint) {
    raw.clear();
    raw.reserve(std::min(sizeHint, ProfileSizeLimit + 1));
    char chunk[65536];
    for (off_t at = 0;;) {
        if (raw.size() > ProfileSizeLimit) return FileState::TooLarge;
        const ssize_t got = pread(fd, chunk, sizeof chunk, at);
        if (got > 0) {
            raw.append(chunk, static_cast<std::size_t>(got));
            at += got;
        } else if (got == 0) {
            return FileState::Read;
        } else if (errno != EINTR) {
            return FileState::Failed;
        }
    }
}

bool WriteAll(int fd, std::string_view data, off_t at) {
    while (!data.empty()) {
        const ssize_t put = pwrite(fd, data.data(), data.size(), at);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(put));
        at += put;
    }
    return true;
}

bool TooLargeToRead(const struct stat& info) { return static_cast<std::uintmax_t>(info.st_size) > ProfileSizeLimit; }

FileState ReadWholeFile(const std::string& path, std::string& raw, std::string& reason) {
    // O_NONBLOCK keeps a FIFO at the path from hanging us; it is refused below.
    Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT) return FileState::Missing;
        reason = PlainReason(errno);
        return PassingReason(errno) ? FileState::Unreadable : FileState::Failed;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        reason = PlainReason(errno);
        return FileState::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = NotAFileReason(info);
        return FileState::Failed;
    }
    if (TooLargeToRead(info)) return FileState::TooLarge;
    const FileState state = ReadAll(fd.get(), raw, static_cast<std::size_t>(info.st_size));
    if (state != FileState::Failed) return state;
    reason = PlainReason(errno);
    return FileState::Unreadable;
}

using Clock = std::chrono::steady_clock;

// An ending program waits only this long, so that its exit ends within a second even when both
// of its saves meet the lock.
constexpr auto EndingLockWait = std::chrono::milliseconds(300);
bool (*waitCut)() = nullptr;

// Another program may hold a lock on the file for as long as it likes. We wait a while in short
// naps, during which the end signals' handlers run as ever, then give up. Where the file system
// has no locks the write goes ahead all the same.
bool LockBefore(int fd, Clock::time_point& deadline) {
    constexpr timespec Nap{0, 20'000'000};
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return true;
        const Clock::time_point now = Clock::now();
        if (waitCut && waitCut()) deadline = std::min(deadline, now + EndingLockWait);
        if (now >= deadline) return false;
        nanosleep(&Nap, nullptr);
    }
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The target, open and locked. A missing target is created empty, so that there is something
// to lock. A writer may have renamed a new file into place while we waited; then the lock we
// got is on the old one, and the new one is taken instead.
struct LockedTarget {
    Descriptor fd;
    struct stat info {};
    bool created = false;
};

std::string LockTarget(const std::string& target, LockedTarget& locked) {
    constexpr auto LockWait = std::chrono::seconds(2);
    Clock::time_point deadline = Clock::now() + LockWait;
    for (;;) {
        locked.created = false;
        int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0 && errno == ENOENT) {
            // Created with the usual mode for a new file, which the umask narrows.
            fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666);
            locked.created = fd >= 0;
            if (fd < 0 && errno == EEXIST && Clock::now() < deadline) continue;
        }
        if (fd < 0) return PlainReason(errno);
        locked.fd.Reset(fd);
        if (fstat(fd, &locked.info) != 0) return PlainReason(errno);
        if (!S_ISREG(locked.info.st_mode)) return NotAFileReason(locked.info);
        if (!LockBefore(fd, deadline)) return InUse;
        struct stat named {};
        if (stat(target.c_str(), &named) == 0 && SameFile(named, locked.info)) {
            // Its links and mode as they are now that nobody else is writing.
            if (fstat(fd, &locked.info) != 0) return PlainReason(errno);
            return {};
        }
        if (Clock::now() >= deadline) return InUse;
    }
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The end of a chain of links, which need not exist: a link that points nowhere stays a link,
// and the file it names is created.
bool FollowLinks(const std::string& file, std::string& target) {
    constexpr int MostLinks = 40;
    target = file;
    for (int hop = 0; hop < MostLinks; ++hop) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = readlink(target.c_str(), link.data(), link.size());
        if (length < 0) return false;
        link.resize(static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : DirectoryOf(target) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// The rename would replace even a file without write permission; such a file is meant to stay.
bool MayReplace(const std::string& path, const struct stat& info) {
    return access(path.c_str(), W_OK) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The one temporary file of a target. A name left there by a killed writer, or put there by
// anyone else (a link to the file itself, another user's file, a FIFO), is removed, never
// written through: the temporary file is always one we have just made.
std::string TemporaryOf(const std::string& target) { return DirectoryOf(target) + "/." + NameOf(target) + ".new"; }

void SyncDirectory(const std::string& directory) {
    // The rename itself reaches the disk only with its folder; a failure here loses nothing yet.
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    [[maybe_unused]] const int ignored = fsync(fd);
    close(fd);
}

// The names of a file's extended attributes; false when they cannot be listed.
bool AttributeNames(int fd, std::set<std::string>& names) {
    names.clear();
    for (;;) {
        const ssize_t size = flistxattr(fd, nullptr, 0);
        if (size < 0) return errno == ENOTSUP;
        std::string list(static_cast<std::size_t>(size), '\0');
        const ssize_t got = flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE) continue;
        if (got < 0) return false;
        for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
            const std::string name(list.c_str() + at);
            at += name.size() + 1;
            if (!name.empty()) names.insert(name);
        }
        return true;
    }
}

bool AttributeValue(int fd, const std::string& name, std::string& value) {
    for (;;) {
        const ssize_t size = fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0) return false;
        value.assign(static_cast<std::size_t>(size), '\0');
        const ssize_t got = fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got < 0 && errno == ERANGE) continue;
        if (got < 0) return false;
        value.resize(static_cast<std::size_t>(got));
        return true;
    }
}

// Gives the new file the old one's extended attributes, and only those: its access list (which
// may let other players write it) above all. Set after the mode, which would change the list's
// mask. False when the new file cannot carry them exactly; the file is then written in place.
bool CopyAttributes(int from, int to) {
    std::set<std::string> names;
    std::set<std::string> made;
    if (!AttributeNames(from, names) || !AttributeNames(to, made)) return false;
    for (const std::string& name : made) {
        if (!names.contains(name) && fremovexattr(to, name.c_str()) != 0) return false;
    }
    for (const std::string& name : names) {
        std::string value;
        std::string present;
        if (!AttributeValue(from, name, value)) return false;
        if (made.contains(name) && AttributeValue(to, name, present) && present == value) continue;
        if (fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) return false;
    }
    return true;
}

enum class Outcome { Written, Refused, NoReplacement };

// A new file beside the target, with its owner, group, mode and attributes, renamed over it.
Outcome Replace(const std::string& target, int original, const struct stat& info, std::string_view content,
                std::string& reason) {
    const std::string temp = TemporaryOf(target);
    // Only the owner may read what is not yet the file; its mode comes once it is written.
    Descriptor fd(open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
    if (fd.get() < 0) {
        reason = PlainReason(errno);
        return Outcome::NoReplacement;
    }
    // Whatever stops the replacement from here on, the file may still be written in place.
    const auto cannotReplace = [&](int error) {
        reason = PlainReason(error);
        unlink(temp.c_str());
        return Outcome::NoReplacement;
    };
    if (!WriteAll(fd.get(), content, 0)) {
        const int error = errno;
        if (error != EFBIG) return cannotReplace(error);
        // A file-size limit holds for the file in place too.
        cannotReplace(error);
        return Outcome::Refused;
    }
    struct stat made {};
    if (fstat(fd.get(), &made) != 0) return cannotReplace(errno);
    // Only a privileged process may hand a file to another owner, or to a group it is not in.
    if ((made.st_uid != info.st_uid || made.st_gid != info.st_gid) && fchown(fd.get(), info.st_uid, info.st_gid) != 0) {
        return cannotReplace(errno);
    }
    // After the owner: a change of owner clears the set-id bits.
    if (fchmod(fd.get(), info.st_mode & 07777) != 0) return cannotReplace(errno);
    if (!CopyAttributes(original, fd.get())) return cannotReplace(errno);
    if (fsync(fd.get()) != 0) return cannotReplace(errno);
    if (rename(temp.c_str(), target.c_str()) != 0) return cannotReplace(errno);
    SyncDirectory(DirectoryOf(target));
    return Outcome::Written;
}

bool FitsSizeLimit(std::size_t size) {
    rlimit limit{};
    return getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           size <= static_cast<std::size_t>(limit.rlim_cur);
}

// What a shorter file's old end is written over before it is cut off: blanks, which read as
// nothing should a crash come in between. The stray last byte of a UTF-16 file of odd length
// stands just before them, and pairs with a zero into one more character.
std::string Filler(const ProfileText& profile, std::size_t length) {
    if (profile.encoding != ProfileEncoding::Utf16Le && profile.encoding != ProfileEncoding::Utf16Be) {
        return std::string(length, ' ');
    }
    std::string filler = profile.oddByte.empty() ? "" : std::string(1, '\0');
    const std::string_view blank = profile.encoding == ProfileEncoding::Utf16Le ? std::string_view(" \0", 2)
                                                                                : std::string_view("\0 ", 2);
    while (filler.size() + blank.size() <= length) filler.append(blank);
    filler.resize(length, ' ');
    return filler;
}

// The file's own bytes rewritten, where no new file can take its place, or the new one would
// lose the file's owner, group, attributes or other links. Only the bytes that change are written, after the
// room for a longer file is taken, so that a full disk changes nothing; a shorter file is first
// written with blanks over its old end, then cut. What a crash leaves: a kill stops a write only
// between pages of the file, so a change within one page (a setting or a score of a small file)
// is made whole or not at all; a longer stretch, which a change of length in a larger file
// shifts, can be cut short by a kill, leaving the new text's beginning with the old one's end. A
// power loss may leave any mixture of the two.
std::string WriteInPlace(const std::string& target, const struct stat& info, std::string_view raw,
                         const ProfileText& profile, std::string_view content) {
    Descriptor fd(open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return PlainReason(errno);
    struct stat opened {};
    if (fstat(fd.get(), &opened) != 0) return PlainReason(errno);
    // Only a writer that ignores the lock could have put another file here.
    if (!SameFile(opened, info)) return InUse;

    std::string written(content);
    if (content.size() < raw.size()) written += Filler(profile, raw.size() - content.size());
    if (!FitsSizeLimit(written.size())) return PlainReason(EFBIG);
    std::size_t first = 0;
    while (first < written.size() && first < raw.size() && written[first] == raw[first]) ++first;
    std::size_t end = written.size();
    if (written.size() == raw.size()) {
        while (end > first && written[end - 1] == raw[end - 1]) --end;
    }
    if (content.size() > raw.size() &&
        fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(content.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        return PlainReason(errno);
    }
    if (!WriteAll(fd.get(), std::string_view(written).substr(first, end - first), static_cast<off_t>(first))) {
        return PlainReason(errno);
    }
    if (content.size() < raw.size() && ftruncate(fd.get(), static_cast<off_t>(content.size())) != 0) {
        return PlainReason(errno);
    }
    if (fsync(fd.get()) != 0 || !fd.Close()) return PlainReason(errno);
    return {};
}

std::string RewriteLocked(const std::string& target, LockedTarget& locked,
                          const std::function<std::string(std::string_view)>& edit) {
    std::string raw;
    if (!locked.created) {
        if (TooLargeToRead(locked.info)) return TooLargeFile;
        switch (ReadAll(locked.fd.get(), raw, static_cast<std::size_t>(locked.info.st_size))) {
            case FileState::Read:
                break;
            case FileState::TooLarge:
                return TooLargeFile;
            default:
                return PlainReason(errno);
        }
        if (!MayReplace(target, locked.info)) return ReadOnlyFile;
    }
    ProfileText profile = DecodeProfile(raw);
    profile.text = edit(profile.text);
    const std::string content = EncodeProfile(profile);
    if (content.size() > ProfileSizeLimit) return WouldBeTooLarge;
    if (content == raw) return {};
    if (!FitsSizeLimit(content.size())) return PlainReason(EFBIG);

    // A hard link of the stale temporary name to the file would count as one of its own links.
    const std::string temp = TemporaryOf(target);
    const bool tempCleared = unlink(temp.c_str()) == 0 || errno == ENOENT;
    struct stat info {};
    if (fstat(locked.fd.get(), &info) != 0) return PlainReason(errno);
    if (tempCleared && info.st_nlink <= 1) {
        std::string reason;
        switch (Replace(target, locked.fd.get(), info, content, reason)) {
            case Outcome::Written:
                return {};
            case Outcome::Refused:
                return reason;
            case Outcome::NoReplacement:
                break;
        }
    }
    return WriteInPlace(target, info, raw, profile, content);
}

}  // namespace

ProfileRead ReadProfileText(const std::string& file, std::string& text, std::string& reason) {
    std::string raw;
    switch (ReadWholeFile(file, raw, reason)) {
        case FileState::Read:
            text = std::move(DecodeProfile(raw).text);
            return ProfileRead::Read;
        case FileState::TooLarge:
            return ProfileRead::TooLarge;
        case FileState::Unreadable:
            return ProfileRead::Failed;
        default:
            return ProfileRead::None;
    }
}

void SetProfileWaitCut(bool (*ending)()) { waitCut = ending; }

std::string RewriteProfile(const std::string& file, const std::function<std::string(std::string_view)>& edit) {
    std::string target;
    if (!FollowLinks(file, target)) return PlainReason(errno);
    LockedTarget locked;
    std::string reason = LockTarget(target, locked);
    if (reason.empty()) reason = RewriteLocked(target, locked, edit);
    // The empty file made only to be locked goes again when nothing could be written into it.
    struct stat named {};
    if (!reason.empty() && locked.created && stat(target.c_str(), &named) == 0 && SameFile(named, locked.info)) {
        unlink(target.c_str());
    }
    return reason;
}

}  // namespace platform
