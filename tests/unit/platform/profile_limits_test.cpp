// The settings file against what a hostile machine puts around it: a lock held by another
// program, a file far too large, a file-size limit, a stale temporary name, another owner, links.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/profile.h"
#include "file_bytes.h"
#include "utf16_bytes.h"

namespace fs = std::filesystem;
using platform::GetPrivateProfileStringA;
using platform::WritePrivateProfileStringA;

namespace {

constexpr const char* InUse = "the file is in use by another program";
constexpr const char* TooLarge = "it is larger than 1 MiB, too large for a settings file";
constexpr const char* TooLong = "the file would grow too large";
constexpr const char* WouldBeTooLarge = "it would grow larger than 1 MiB, too large for a settings file";

std::string Read(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[256];
    const std::uint32_t n = GetPrivateProfileStringA(section, key, "<default>", buffer, sizeof buffer, file);
    return std::string(buffer, n);
}

std::string SetOne(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    platform::ProfileBatch batch(file);
    EXPECT_TRUE(batch.Set(section, key, value));
    return batch.Commit();
}

struct stat Stat(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

// Under /tmp, which a child that gave up root can reach whatever folder the tests are given.
class ProfileLimits : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = "/tmp/profile-limits-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ini_ = dir_ + "/VOIDRAID.INI";
        temp_ = dir_ + "/.VOIDRAID.INI.new";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string dir_;
    std::string ini_;
    std::string temp_;
};

// Another program's lock, on a description of its own, as another process would hold it.
class HeldLock {
public:
    HeldLock(const std::string& path, int operation) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(flock(fd_, operation), 0);
    }
    ~HeldLock() { Release(); }
    void Release() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

TEST_F(ProfileLimits, ALockHeldByAnotherProgramIsWaitedForAWhileThenTold) {
    const std::string before = "[Options]\nGameSpeed=10\n";
    for (const int operation : {LOCK_SH, LOCK_EX}) {
        Put(ini_, before);
        HeldLock other(ini_, operation);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(SetOne(ini_, "Options", "GameSpeed", "20"), InUse);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(1900)) << "gave up before its two seconds";
        EXPECT_LT(waited, std::chrono::seconds(30)) << "waited on as if for ever";
        EXPECT_EQ(Slurp(ini_), before);
        EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
    }

    // A lock let go during the wait: the write goes ahead.
    HeldLock other(ini_, LOCK_SH);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.Release();
    });
    EXPECT_EQ(SetOne(ini_, "Options", "GameSpeed", "30"), "");
    release.join();
    EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "30");
}

struct SizeCase {
    const char* what;
    std::function<void(const std::string& file)> make;
    bool read;  // false: too large, refused
};

TEST_F(ProfileLimits, AFileOverTheSizeLimitIsNeitherReadNorWrittenOver) {
    const std::string head = "[Options]\nGameSpeed=10\n;";
    const auto padded = [&](std::size_t size) {
        return [=](const std::string& file) { Put(file, head + std::string(size - head.size(), '-')); };
    };
    const auto sparse = [&](off_t size) {
        return [=](const std::string& file) {
            Put(file, head);
            ASSERT_EQ(truncate(file.c_str(), size), 0);
        };
    };
    const SizeCase cases[] = {
        {"just at the limit", padded(platform::ProfileSizeLimit), true},
        {"a byte over", padded(platform::ProfileSizeLimit + 1), false},
        {"a sparse 3 GiB", sparse(off_t{3} << 30), false},
        {"a sparse 1 TiB", sparse(off_t{1} << 40), false},
    };
    for (const SizeCase& c : cases) {
        c.make(ini_);
        const struct stat before = Stat(ini_);
        const std::string expected = c.read ? "10" : "<default>";
        const platform::ProfileReader reader(ini_);
        EXPECT_EQ(reader.TooLarge(), !c.read) << c.what;
        char buffer[16];
        const std::uint32_t n = reader.GetString("Options", "GameSpeed", "<default>", buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, n), expected) << c.what;
        EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), expected) << c.what;
        if (c.read) continue;
        EXPECT_EQ(SetOne(ini_, "Options", "GameSpeed", "20"), TooLarge) << c.what;
        EXPECT_FALSE(WritePrivateProfileStringA("Options", "GameSpeed", "20", ini_)) << c.what;
        const struct stat after = Stat(ini_);
        EXPECT_EQ(after.st_ino, before.st_ino) << c.what;
        EXPECT_EQ(after.st_size, before.st_size) << c.what;
        EXPECT_EQ(after.st_blocks, before.st_blocks) << c.what << ": written into";
        EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"}) << c.what;
    }

    // A write that would take a file over the limit is refused too, so that it stays readable.
    padded(platform::ProfileSizeLimit - 3)(ini_);
    EXPECT_EQ(SetOne(ini_, "Options", "GameSpeed", "10000"), "") << "the limit itself is allowed";
    // Told as what it is: the file itself is not too large yet.
    EXPECT_EQ(SetOne(ini_, "Options", "GameSpeed", "100000"), WouldBeTooLarge);
    EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "10000");
}

TEST_F(ProfileLimits, AReaderReadsOnceAndALaterOneSeesTheWritesSince) {
    Put(ini_, "[Options]\nGameSpeed=10\n");
    const platform::ProfileReader reader(ini_);
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "GameSpeed", "20", ini_));
    char buffer[16];
    const std::uint32_t n = reader.GetString("Options", "GameSpeed", "", buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, n), "10") << "the batch of reads is one read";
    EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "20") << "a read after the write sees it";
}

// Runs fn in a child under a file-size limit, SIGXFSZ ignored as the program does at its start;
// returns what the child returned, or nothing when it died.
std::optional<std::string> UnderSizeLimit(rlim_t limit, const std::function<std::string()>& fn) {
    int pipe[2];
    if (::pipe(pipe) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipe[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(3);
        const std::string reason = fn();
        if (write(pipe[1], reason.data(), reason.size()) != static_cast<ssize_t>(reason.size())) _exit(3);
        _exit(0);
    }
    close(pipe[1]);
    std::string reason;
    char chunk[256];
    for (ssize_t got; (got = read(pipe[0], chunk, sizeof chunk)) > 0;) reason.append(chunk, static_cast<std::size_t>(got));
    close(pipe[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return reason;
}

TEST_F(ProfileLimits, AFileSizeLimitBelowTheFileIsAToldFailureThatChangesNothing) {
    // A 3 KB file under a 2 KB limit, its first line changed: written in place, the write would
    // stop at the limit half-way through the file.
    const std::string before = "[Options]\nGameSpeed=10\n;" + std::string(3000, '-') + "\n";
    for (const bool linked : {false, true}) {
        Put(ini_, before);
        if (linked) fs::create_hard_link(ini_, dir_ + "/link.ini");
        const std::optional<std::string> reason =
            UnderSizeLimit(2048, [&] { return SetOne(ini_, "Options", "GameSpeed", "2"); });
        ASSERT_TRUE(reason.has_value()) << "the child died";
        EXPECT_EQ(*reason, TooLong) << (linked ? "in place" : "replaced");
        EXPECT_EQ(Slurp(ini_), before);
        const std::vector<std::string> names =
            linked ? std::vector<std::string>{"VOIDRAID.INI", "link.ini"} : std::vector<std::string>{"VOIDRAID.INI"};
        EXPECT_EQ(Entries(dir_), names) << "no temporary file left behind";
        fs::remove(dir_ + "/link.ini");
    }
}

struct StaleCase {
    const char* what;
    std::function<void(const std::string& temp, const std::string& ini, const std::string& victim)> make;
};

TEST_F(ProfileLimits, WhatStandsAtTheTemporaryNameIsRemovedNeverWrittenThrough) {
    const std::string victim = dir_ + "/victim";
    const StaleCase cases[] = {
        {"a hard link to the file itself", [](auto& temp, auto& ini, auto&) { fs::create_hard_link(ini, temp); }},
        {"a link to another file", [](auto& temp, auto&, auto& victim) { fs::create_symlink(victim, temp); }},
        {"a link to nothing", [](auto& temp, auto& ini, auto&) { fs::create_symlink(ini + ".gone", temp); }},
        {"a hard link to another file", [](auto& temp, auto&, auto& victim) { fs::create_hard_link(victim, temp); }},
        {"a FIFO", [](auto& temp, auto&, auto&) { ASSERT_EQ(mkfifo(temp.c_str(), 0666), 0); }},
        {"a file anyone may write", [](auto& temp, auto&, auto&) {
             Put(temp, "half a fi");
             fs::permissions(temp, fs::perms(0666));
         }},
    };
    for (const StaleCase& c : cases) {
        Put(ini_, "[S]\nK=1\n");
        fs::permissions(ini_, fs::perms(0640));
        Put(victim, "keep me");
        // The old file's bytes, still seen through a descriptor.
        const int old = open(ini_.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(old, 0);
        c.make(temp_, ini_, victim);

        ASSERT_EQ(SetOne(ini_, "S", "K", "2"), "") << c.what;
        EXPECT_EQ(Slurp(ini_), "[S]\nK=2\n") << c.what;
        char oldBytes[64];
        const ssize_t oldSize = pread(old, oldBytes, sizeof oldBytes, 0);
        close(old);
        EXPECT_EQ(std::string(oldBytes, static_cast<std::size_t>(std::max<ssize_t>(oldSize, 0))), "[S]\nK=1\n")
            << c.what << ": the new text went through the old file";
        EXPECT_EQ(Slurp(victim), "keep me") << c.what;
        EXPECT_EQ(fs::status(ini_).permissions(), fs::perms(0640)) << c.what;
        EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"VOIDRAID.INI", "victim"})) << c.what;
    }
}

// A replacement would break a hard link: the file is written in place, and every name sees it.
TEST_F(ProfileLimits, AHardLinkedFileKeepsItsLinks) {
    Put(ini_, "[S]\nK=1\nL=x\n");
    fs::create_hard_link(ini_, dir_ + "/shared.ini");
    const ino_t inode = Stat(ini_).st_ino;
    for (const std::string value : {"22", "3", "4444"}) {
        ASSERT_EQ(SetOne(ini_, "S", "K", value), "");
        EXPECT_EQ(Slurp(dir_ + "/shared.ini"), "[S]\nK=" + value + "\nL=x\n");
        EXPECT_EQ(Stat(ini_).st_ino, inode);
        EXPECT_EQ(Stat(ini_).st_nlink, 2u);
    }
    EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"VOIDRAID.INI", "shared.ini"}));
}

TEST_F(ProfileLimits, AFileOfAnotherOwnerKeepsItsOwnerGroupAndMode) {
    if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another owner to begin with";
    constexpr uid_t Owner = 4321;
    constexpr gid_t Group = 4322;
    Put(ini_, "[S]\nK=1\n");
    ASSERT_EQ(chown(ini_.c_str(), Owner, Group), 0);
    ASSERT_EQ(chmod(ini_.c_str(), 0604), 0);
    ASSERT_EQ(SetOne(ini_, "S", "K", "2"), "");
    const struct stat after = Stat(ini_);
    EXPECT_EQ(Slurp(ini_), "[S]\nK=2\n");
    EXPECT_EQ(after.st_uid, Owner);
    EXPECT_EQ(after.st_gid, Group);
    EXPECT_EQ(after.st_mode & 07777, 0604u);
}

std::optional<std::string> Attribute(const std::string& path, const char* name) {
    std::string value(256, '\0');
    const ssize_t size = getxattr(path.c_str(), name, value.data(), value.size());
    if (size < 0) return std::nullopt;
    value.resize(static_cast<std::size_t>(size));
    return value;
}

// An access list that lets one more player write the file, as setfacl -m u:4003:rw makes it.
std::string AccessList() {
    std::string acl;
    const auto put = [&acl](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) acl += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4);  // the format's version
    const std::uint32_t Anyone = 0xFFFFFFFF;
    for (const auto& [tag, perm, id] : {std::tuple{0x01u, 6u, Anyone}, {0x02u, 6u, 4003u}, {0x04u, 4u, Anyone},
                                        {0x10u, 6u, Anyone}, {0x20u, 0u, Anyone}}) {
        put(tag, 2);
        put(perm, 2);
        put(id, 4);
    }
    return acl;
}

// The access list and the other extended attributes are the file's too: a replacement that
// dropped them would lock out a player the list let in.
TEST_F(ProfileLimits, AFileKeepsItsAccessListAndOtherAttributes) {
    Put(ini_, "[S]\nK=1\n");
    ASSERT_EQ(chmod(ini_.c_str(), 0640), 0);
    const std::string acl = AccessList();
    if (setxattr(ini_.c_str(), "user.note", "mine", 4, 0) != 0 ||
        setxattr(ini_.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
        GTEST_SKIP() << "the file system under /tmp keeps no extended attributes";
    }
    const mode_t mode = Stat(ini_).st_mode & 07777;
    for (const std::string value : {"2", "333"}) {
        ASSERT_EQ(SetOne(ini_, "S", "K", value), "");
        EXPECT_EQ(Slurp(ini_), "[S]\nK=" + value + "\n");
        EXPECT_EQ(Attribute(ini_, "user.note"), "mine");
        EXPECT_EQ(Attribute(ini_, "system.posix_acl_access"), acl);
        EXPECT_EQ(Stat(ini_).st_mode & 07777, mode);
    }
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

// The shared score folder: group-writable, the file another member's. A player who may not hand
// a new file to that owner writes the file in place, and the other members can still save.
TEST_F(ProfileLimits, WhereTheOwnerCannotBeKeptTheFileIsWrittenInPlace) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to arrange a folder shared by two users";
    constexpr uid_t Player = 65534;
    constexpr gid_t Members = 4323;
    ASSERT_EQ(chown(dir_.c_str(), 0, Members), 0);
    ASSERT_EQ(chmod(dir_.c_str(), 0775), 0);
    Put(ini_, "[S]\nK=1\n");
    ASSERT_EQ(chown(ini_.c_str(), 0, Members), 0);
    ASSERT_EQ(chmod(ini_.c_str(), 0664), 0);
    const ino_t inode = Stat(ini_).st_ino;

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const gid_t groups[] = {Members};
        if (setgroups(1, groups) != 0 || setgid(Members) != 0 || setuid(Player) != 0) _exit(3);
        _exit(SetOne(ini_, "S", "K", "22").empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the player's write failed";
    const struct stat after = Stat(ini_);
    EXPECT_EQ(Slurp(ini_), "[S]\nK=22\n");
    EXPECT_EQ(after.st_ino, inode);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_gid, Members);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

// The last byte of a UTF-16 file of odd length belongs to no character; it stays the file's
// last byte however the file is written and whether it grows or shrinks.
TEST_F(ProfileLimits, TheStrayByteOfAnOddUtf16FileIsKeptOnBothPaths) {
    const auto file = [](std::u16string_view value) {
        return Utf16(u"\uFEFF[S]\r\nK=" + std::u16string(value) + u"\r\nL=x\r\n", false) + "A";
    };
    for (const bool inPlace : {false, true}) {
        Put(ini_, file(u"12345"));
        if (inPlace) fs::create_hard_link(ini_, dir_ + "/link.ini");
        for (const std::u16string value : {u"1", u"1234567", u"7654321"}) {
            ASSERT_EQ(SetOne(ini_, "S", "K", std::string(value.begin(), value.end())), "");
            EXPECT_EQ(Slurp(ini_), file(value)) << (inPlace ? "in place" : "replaced");
        }
        fs::remove(dir_ + "/link.ini");
    }
}

}  // namespace
