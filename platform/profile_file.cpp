#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/profile_encoding.h"

namespace platform {
namespace {

constexpr const char* ReadOnlyFile = "the file is read-only";
constexpr const char* FolderInItsPlace = "a folder stands in its place";
constexpr const char* NotAPlainFile = "it is not a plain file";

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
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting a failed close (some file systems only tell then that a write failed).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

bool ReadAll(int fd, std::string& raw, std::size_t sizeHint) {
    raw.clear();
    raw.reserve(sizeHint);
    char chunk[65536];
    for (off_t at = 0;;) {
        const ssize_t got = pread(fd, chunk, sizeof chunk, at);
        if (got > 0) {
            raw.append(chunk, static_cast<std::size_t>(got));
            at += got;
        } else if (got == 0) {
            return true;
        } else if (errno != EINTR) {
            return false;
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

void Lock(int fd) {
    // Two copies of the program writing at once take turns. Where the file system has no locks
    // the write goes ahead all the same.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

enum class FileState { Read, Missing, Failed };

FileState ReadWholeFile(const std::string& path, std::string& raw, struct stat& info, std::string& reason) {
    // O_NONBLOCK keeps a FIFO at the path from hanging us; it is refused below.
    Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT) return FileState::Missing;
        reason = PlainReason(errno);
        return FileState::Failed;
    }
    if (fstat(fd.get(), &info) != 0) {
        reason = PlainReason(errno);
        return FileState::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = NotAFileReason(info);
        return FileState::Failed;
    }
    if (!ReadAll(fd.get(), raw, static_cast<std::size_t>(info.st_size))) {
        reason = PlainReason(errno);
        return FileState::Failed;
    }
    return FileState::Read;
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

std::string NewText(std::string_view raw, const std::function<std::string(std::string_view)>& edit) {
    ProfileText profile = DecodeProfile(raw);
    profile.text = edit(profile.text);
    return EncodeProfile(profile);
}

// The rename would replace even a file without write permission; such a file is meant to stay.
bool MayReplace(const std::string& path, const struct stat& info) {
    return access(path.c_str(), W_OK) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

mode_t NewFileMode() {
    // The umask can only be read by setting it; the program has one thread.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The one temporary file of a target: a writer killed before its rename leaves it behind, and
// the next write takes it over, so that no more of them gather in the folder.
std::string TemporaryOf(const std::string& target) { return DirectoryOf(target) + "/." + NameOf(target) + ".new"; }

// Opens and locks the temporary file. Another writer may have renamed it into place while we
// waited for the lock; then a fresh one is made (each round means another write was finished).
// Returns -1 with errno set when there is none.
int OpenTemporary(const std::string& temp) {
    constexpr int MostRounds = 1000;
    for (int round = 0; round < MostRounds; ++round) {
        const int fd = open(temp.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) return -1;
        Lock(fd);
        struct stat held {}, named {};
        if (fstat(fd, &held) == 0 && lstat(temp.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            if (S_ISREG(held.st_mode)) return fd;
            close(fd);
            errno = EEXIST;
            return -1;
        }
        close(fd);
    }
    errno = EBUSY;
    return -1;
}

void SyncDirectory(const std::string& directory) {
    // The rename itself reaches the disk only with its folder; a failure here loses nothing yet.
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    [[maybe_unused]] const int ignored = fsync(fd);
    close(fd);
}

enum class Outcome { Written, Refused, NoReplacement };

// A new file beside the target, renamed over it. The target is read only once the temporary
// file is locked, so that writers taking turns each build on the other's result.
Outcome Replace(const std::string& target, const std::function<std::string(std::string_view)>& edit,
                std::string& reason) {
    const std::string temp = TemporaryOf(target);
    Descriptor fd(OpenTemporary(temp));
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

    std::string raw;
    struct stat info {};
    const FileState state = ReadWholeFile(target, raw, info, reason);
    const bool targetExists = state == FileState::Read;
    if (state == FileState::Failed) {
        unlink(temp.c_str());
        return Outcome::Refused;
    }
    if (targetExists && !MayReplace(target, info)) {
        reason = ReadOnlyFile;
        unlink(temp.c_str());
        return Outcome::Refused;
    }

    const std::string content = NewText(raw, edit);
    if (ftruncate(fd.get(), 0) != 0 || !WriteAll(fd.get(), content, 0)) return cannotReplace(errno);
    if (targetExists) {
        if (info.st_uid != geteuid() || info.st_gid != getegid()) {
            // Best effort: only a privileged process may hand the file back to its owner.
            [[maybe_unused]] const int ignored = fchown(fd.get(), info.st_uid, info.st_gid);
        }
        if (fchmod(fd.get(), info.st_mode & 07777) != 0) return cannotReplace(errno);
    } else if (fchmod(fd.get(), NewFileMode()) != 0) {
        return cannotReplace(errno);
    }
    if (fsync(fd.get()) != 0) return cannotReplace(errno);
    if (rename(temp.c_str(), target.c_str()) != 0) return cannotReplace(errno);
    SyncDirectory(DirectoryOf(target));
    // Closing releases the lock: a writer waiting for it finds its temporary file gone.
    fd.Close();
    return Outcome::Written;
}

bool FitsSizeLimit(std::size_t size) {
    rlimit limit{};
    return getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           size <= static_cast<std::size_t>(limit.rlim_cur);
}

// Where no new file can stand beside the target, its own bytes are rewritten in one write, from
// the first one that changes, after the room for a longer file is taken, so that a full disk
// changes nothing. A shorter file is written with blanks over its old end before that is cut
// off: a crash in between leaves trailing blanks, which read as nothing.
std::string WriteInPlace(const std::string& target, const std::function<std::string(std::string_view)>& edit) {
    Descriptor fd(open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return PlainReason(errno);
    Lock(fd.get());
    struct stat info {};
    std::string raw;
    if (fstat(fd.get(), &info) != 0) return PlainReason(errno);
    if (!S_ISREG(info.st_mode)) return NotAFileReason(info);
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return ReadOnlyFile;
    if (!ReadAll(fd.get(), raw, static_cast<std::size_t>(info.st_size))) return PlainReason(errno);

    ProfileText profile = DecodeProfile(raw);
    profile.text = edit(profile.text);
    const std::string content = EncodeProfile(profile);
    if (content == raw) return {};
    std::string written = content;
    if (content.size() < raw.size()) {
        const bool utf16 = profile.encoding == ProfileEncoding::Utf16Le || profile.encoding == ProfileEncoding::Utf16Be;
        profile.text.append((raw.size() - content.size()) / (utf16 ? 2 : 1), ' ');
        written = EncodeProfile(profile);
    }
    std::size_t same = 0;
    while (same < written.size() && same < raw.size() && written[same] == raw[same]) ++same;
    if (content.size() > raw.size()) {
        if (!FitsSizeLimit(content.size())) return PlainReason(EFBIG);
        if (fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(content.size())) != 0 &&
            errno != EOPNOTSUPP && errno != ENOSYS) {
            return PlainReason(errno);
        }
    }
    if (!WriteAll(fd.get(), std::string_view(written).substr(same), static_cast<off_t>(same))) {
        return PlainReason(errno);
    }
    if (content.size() < raw.size() && ftruncate(fd.get(), static_cast<off_t>(content.size())) != 0) {
        return PlainReason(errno);
    }
    if (fsync(fd.get()) != 0 || !fd.Close()) return PlainReason(errno);
    return {};
}

}  // namespace

bool ReadProfileText(const std::string& file, std::string& text) {
    std::string raw;
    struct stat info {};
    std::string reason;
    if (ReadWholeFile(file, raw, info, reason) != FileState::Read) return false;
    text = std::move(DecodeProfile(raw).text);
    return true;
}

std::string RewriteProfile(const std::string& file, const std::function<std::string(std::string_view)>& edit) {
    std::string target;
    if (!FollowLinks(file, target)) return PlainReason(errno);
    std::string reason;
    switch (Replace(target, edit, reason)) {
        case Outcome::Written:
            return {};
        case Outcome::Refused:
            return reason;
        case Outcome::NoReplacement:
            break;
    }
    // A file that is not there yet cannot be made in place either.
    struct stat info {};
    if (stat(target.c_str(), &info) != 0 && errno == ENOENT) return reason;
    return WriteInPlace(target, edit);
}

}  // namespace platform
