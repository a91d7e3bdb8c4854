#include "platform/profile.h"
#include "file_bytes.h"
#include "utf16_bytes.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using platform::GetPrivateProfileStringA;
using platform::WritePrivateProfileStringA;

namespace {

const std::string Default = "<default>";

// Reads through a buffer one larger than announced, so a write past size shows.
std::string Read(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& def = Default, std::uint32_t size = 256) {
    std::vector<char> buffer(size + 1, '#');
    const std::uint32_t n = GetPrivateProfileStringA(section, key, def, buffer.data(), size, file);
    EXPECT_LT(n, size);
    EXPECT_EQ(buffer[n], '\0');
    EXPECT_EQ(buffer[size], '#');
    return std::string(buffer.data(), n);
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = fs::path(Base()) / "profile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ini_ = dir_ + "/VOIDRAID.INI";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(dir_, ignored);
    }

    virtual std::string Base() const { return ::testing::TempDir(); }

    std::string dir_;
    std::string ini_;
};

struct ReadCase {
    const char* what;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
};

TEST_F(ProfileFile, ReadFollowsTheProfileRules) {
    const ReadCase cases[] = {
        {"names ignore case", "[Options]\nGameSpeed=12\n", "OPTIONS", "gamespeed", "12"},
        {"blanks and tabs around names and values", " \t[ Options\t]  \n  GameSpeed \t=\t 12  \t\n", "Options",
         "GameSpeed", "12"},
        {"double quotes dropped", "[S]\nK= \"a b \" \n", "S", "K", "a b "},
        {"single quotes dropped", "[S]\nK='x'\n", "S", "K", "x"},
        {"unmatched quotes kept", "[S]\nK=\"x'\n", "S", "K", "\"x'"},
        {"a lone quote kept", "[S]\nK=\"\n", "S", "K", "\""},
        {"an empty value is not the default", "[S]\nK=\nL=1\n", "S", "K", ""},
        {"missing key", "[S]\nOther=1\n", "S", "K", Default},
        {"missing section", "[T]\nK=1\n", "S", "K", Default},
        {"first of duplicate keys", "[S]\nK=1\nk=2\n", "S", "K", "1"},
        {"first of duplicate sections", "[S]\nK=1\n[s]\nK=2\n", "S", "K", "1"},
        {"only the first section of a name is searched", "[S]\nA=1\n[T]\n[S]\nK=2\n", "S", "K", Default},
        {"a section ends at the next heading", "[A]\n[B]\nK=2\n", "A", "K", Default},
        {"a later section is found", "[A]\nK=1\n[B]\nK=2\n", "B", "K", "2"},
        {"keys before any section belong to none", "K=0\n[S]\nX=1\n", "S", "K", Default},
        {"a line without '=' is no key", "[S]\nK\nK=5\n", "S", "K", "5"},
        {"comment lines are skipped", "[S]\n;K=1\n  ; K=3\nK=2\n", "S", "K", "2"},
        {"a comment is no key", "[S]\n;K=1\n", "S", ";K", Default},
        {"'[' without ']' is no heading", "[S]\nK=1\n[T\nK=2\n", "S", "K", "1"},
        {"'[' without ']' opens no section", "[S]\nK=1\n[T\nK=2\n", "T", "K", Default},
        {"text after the heading's ']'", "[S] trailing\nK=1\n", "S", "K", "1"},
        {"CRLF endings", "[S]\r\nK=v\r\n", "S", "K", "v"},
        {"no final newline", "[S]\nK=v", "S", "K", "v"},
        {"value keeps inner '=' and ';'", "[S]\nK=a=b;c\n", "S", "K", "a=b;c"},
        {"value bytes outside ASCII kept", "[S]\nK=J\xFCrgen \xE2\x82\xAC\n", "S", "K", "J\xFCrgen \xE2\x82\xAC"},
        {"empty file", "", "S", "K", Default},
    };
    for (const ReadCase& c : cases) {
        Put(ini_, c.file);
        EXPECT_EQ(Read(ini_, c.section, c.key), c.expected) << c.what;
    }
}

TEST_F(ProfileFile, DefaultWhenThereIsNoFileToRead) {
    EXPECT_EQ(Read(ini_, "S", "K"), Default);
    EXPECT_EQ(Read(ini_, "S", "K", "dflt \t "), "dflt") << "trailing blanks of the default are dropped";
    EXPECT_EQ(Read(ini_, "S", "K", ""), "");
    fs::create_directory(ini_);
    EXPECT_EQ(Read(ini_, "S", "K"), Default) << "a directory in the file's place";
}

TEST_F(ProfileFile, ValuesAreCutToTheBuffer) {
    Put(ini_, "[S]\nK=abcdef\n");
    const struct {
        std::uint32_t size;
        std::string expected;
    } cases[] = {{1, ""}, {3, "ab"}, {6, "abcde"}, {7, "abcdef"}, {100, "abcdef"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Read(ini_, "S", "K", Default, c.size), c.expected) << "size " << c.size;
        EXPECT_EQ(Read(ini_, "S", "Missing", "xyz", c.size), std::string("xyz").substr(0, c.size - 1))
            << "default, size " << c.size;
    }

    char untouched = '#';
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", &untouched, 0, ini_), 0u);
    EXPECT_EQ(untouched, '#') << "size 0 writes nothing";
}

struct WriteCase {
    const char* what;
    std::optional<std::string> before;  // no file when empty
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST_F(ProfileFile, WriteChangesOnlyTheKeyItWrites) {
    const WriteCase cases[] = {
        {"new file", std::nullopt, "Options", "GameSpeed", "10", "[Options]\nGameSpeed=10\n"},
        {"empty file", "", "Options", "GameSpeed", "10", "[Options]\nGameSpeed=10\n"},
        {"names written trimmed", std::nullopt, " S\t", " K ", "v", "[S]\nK=v\n"},
        {"new section after a blank line", "[HiScores]\nScore1=5;A\n", "Options", "K", "1",
         "[HiScores]\nScore1=5;A\n\n[Options]\nK=1\n"},
        {"no second blank line", "[A]\nx=1\n\n", "B", "K", "1", "[A]\nx=1\n\n[B]\nK=1\n"},
        {"new section in a file without final newline", "[A]\nx=1", "B", "K", "1", "[A]\nx=1\n\n[B]\nK=1\n"},
        {"replaced in place, spelling kept", "[Options]\ngamespeed = 5 \nB=2\n", "OPTIONS", "GameSpeed", "10",
         "[Options]\ngamespeed=10\nB=2\n"},
        {"indentation kept", "[S]\n  K\t= old\n", "S", "k", "new", "[S]\n  K=new\n"},
        {"quoted value replaced", "[S]\nK=\"old\"\n", "S", "K", "new", "[S]\nK=new\n"},
        {"missing key after the last key, before the blank lines", "[Options]\nA=1\n\n\n[HiScores]\nScore1=1;x\n",
         "Options", "B", "2", "[Options]\nA=1\nB=2\n\n\n[HiScores]\nScore1=1;x\n"},
        {"missing key in a section without keys", "[S]\n\n[T]\nA=1\n", "S", "K", "v", "[S]\nK=v\n\n[T]\nA=1\n"},
        {"heading without final newline", "[S]", "S", "K", "v", "[S]\nK=v\n"},
        {"last key without final newline", "[S]\nA=1", "S", "K", "v", "[S]\nA=1\nK=v\n"},
        {"CRLF: key added", "[S]\r\nA=1\r\n", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
        {"CRLF: section added", "[S]\r\nA=1\r\n", "T", "K", "v", "[S]\r\nA=1\r\n\r\n[T]\r\nK=v\r\n"},
        {"CRLF: key replaced", "[S]\r\nK=1\r\nL=2\r\n", "S", "K", "v", "[S]\r\nK=v\r\nL=2\r\n"},
        {"CRLF without final newline", "[S]\r\nA=1", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
        {"first of duplicate keys replaced", "[S]\nK=1\nK=2\n", "S", "K", "v", "[S]\nK=v\nK=2\n"},
        {"key added to the first of duplicate sections", "[S]\nA=1\n[S]\nB=2\n", "s", "K", "v",
         "[S]\nA=1\nK=v\n[S]\nB=2\n"},
        {"comments and noise kept", "; top\n[S]\n; note\nA=1\nnoise\n", "S", "K", "v",
         "; top\n[S]\n; note\nA=1\nK=v\nnoise\n"},
        {"lines before any section kept", "stray=1\n[S]\nA=1\n", "S", "stray", "2", "stray=1\n[S]\nA=1\nstray=2\n"},
        {"an empty value", "[S]\nK=1\n", "S", "K", "", "[S]\nK=\n"},
        {"high scores untouched by the options",
         "[HiScores]\r\nScore1=900;Ann\r\nScore2=5;  Bob\r\n\r\n[Options]\r\nSoundFX_Toggle=0\r\nGameSpeed=10\r\n",
         "Options", "SoundFX_Toggle", "1",
         "[HiScores]\r\nScore1=900;Ann\r\nScore2=5;  Bob\r\n\r\n[Options]\r\nSoundFX_Toggle=1\r\nGameSpeed=10\r\n"},
        {"options untouched by the high scores", "; settings\n[Options]\nSoundFX_Toggle=1\nMusic_Toggle=0\n",
         "HiScores", "Score1", "0;", "; settings\n[Options]\nSoundFX_Toggle=1\nMusic_Toggle=0\n\n[HiScores]\nScore1=0;\n"},
    };
    for (const WriteCase& c : cases) {
        fs::remove(ini_);
        if (c.before) Put(ini_, *c.before);
        EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, ini_)) << c.what;
        EXPECT_EQ(Slurp(ini_), c.after) << c.what;
        EXPECT_EQ(Read(ini_, c.section, c.key), c.value) << c.what;
    }
}

TEST_F(ProfileFile, WriteRefusesWhatWouldNotReadBack) {
    const struct {
        std::string section, key, value;
    } cases[] = {
        {"S", "K=x", "v"}, {"S]", "K", "v"},     {"S\nT", "K", "v"},   {"S", "K\n", "v"},
        {"S", "K", "a\nb"}, {"S", "K", "a\rb"},  {"", "K", "v"},       {" ", "K", "v"},
        {"S", "", "v"},    {"S", "[K]", "v"},    {"S", ";K", "v"},     {"S", "K", std::string("a\0b", 3)},
    };
    const std::string before = "[S]\nK=1\n";
    Put(ini_, before);
    for (const auto& c : cases) {
        EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, ini_)) << c.section << "/" << c.key;
        EXPECT_EQ(Slurp(ini_), before);
    }
    fs::remove(ini_);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K=x", "v", ini_));
    EXPECT_FALSE(fs::exists(ini_)) << "a refused write creates no file";
}

TEST_F(ProfileFile, WritesLeaveNoTemporaryFileAndKeepPermissions) {
    const mode_t oldMask = umask(022);
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "1", ini_));
    umask(oldMask);
    EXPECT_EQ(fs::status(ini_).permissions(), fs::perms(0644)) << "a new file follows the umask";

    fs::permissions(ini_, fs::perms(0640));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(WritePrivateProfileStringA("S", std::string("K").append(std::to_string(i)), "v", ini_));
    EXPECT_EQ(fs::status(ini_).permissions(), fs::perms(0640));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

TEST_F(ProfileFile, ReadOnlyFileIsNotReplaced) {
    const std::string before = "[Options]\nGameSpeed=10\n";
    Put(ini_, before);
    fs::permissions(ini_, fs::perms(0444));
    EXPECT_FALSE(WritePrivateProfileStringA("Options", "GameSpeed", "20", ini_));
    EXPECT_EQ(Slurp(ini_), before);
    EXPECT_EQ(fs::status(ini_).permissions(), fs::perms(0444));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

struct LinkCase {
    const char* what;
    std::string link;                 // what VOIDRAID.INI points to
    std::optional<std::string> real;  // the file at the end of the links, absent when missing
    std::string after;
};

TEST_F(ProfileFile, WriteThroughASymbolicLinkUpdatesItsTarget) {
    const LinkCase cases[] = {
        {"a link to a file", "@/real.ini", "[S]\nK=1\n", "[S]\nK=2\n"},
        {"a relative link", "real.ini", "[S]\nK=1\n", "[S]\nK=2\n"},
        {"a link to a link", "chain", "[S]\nK=1\n", "[S]\nK=2\n"},
        {"a link to nothing yet: the file is created", "@/real.ini", std::nullopt, "[S]\nK=2\n"},
        {"a link into a folder by a relative path", "sub/../real.ini", std::nullopt, "[S]\nK=2\n"},
    };
    fs::create_directory(dir_ + "/sub");
    for (const LinkCase& c : cases) {
        const std::string real = dir_ + "/real.ini";
        fs::remove(ini_);
        fs::remove(real);
        fs::remove(dir_ + "/chain");
        fs::create_symlink(dir_ + "/real.ini", dir_ + "/chain");
        if (c.real) Put(real, *c.real);
        fs::create_symlink(c.link.starts_with('@') ? dir_ + c.link.substr(1) : c.link, ini_);
        ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "2", ini_)) << c.what;
        EXPECT_TRUE(fs::is_symlink(ini_)) << c.what;
        EXPECT_EQ(Slurp(real), c.after) << c.what;
        EXPECT_EQ(Read(ini_, "S", "K"), "2") << c.what;
        EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"VOIDRAID.INI", "chain", "real.ini", "sub"}))
            << c.what;
    }

    fs::remove(ini_);
    fs::remove(dir_ + "/chain");
    fs::create_symlink(dir_ + "/chain", ini_);
    fs::create_symlink(ini_, dir_ + "/chain");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "2", ini_)) << "links round in a circle";
    EXPECT_TRUE(fs::is_symlink(ini_));
}

TEST_F(ProfileFile, SomethingElseInTheFilesPlaceIsLeftAlone) {
    fs::create_directory(ini_);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "1", ini_));
    EXPECT_TRUE(fs::is_directory(ini_));
    EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "1", dir_ + "/missing/VOIDRAID.INI"));
}

// Runs a write in a child process, optionally as an unprivileged user and with a file-size limit,
// so that failures root would never see can be provoked. Returns the write's result.
std::optional<bool> WriteInChild(const std::string& file, const std::string& value, bool unprivileged,
                                 rlim_t sizeLimit = RLIM_INFINITY) {
    const pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        if (sizeLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{sizeLimit, sizeLimit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
        }
        _exit(WritePrivateProfileStringA("Options", "GameSpeed", value, file) ? 1 : 0);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return std::nullopt;
    return WEXITSTATUS(status) == 1;
}

struct FailedWriteCase {
    const char* what;
    fs::perms dirPerms;
    fs::perms filePerms;
    bool unprivileged;
    rlim_t sizeLimit;
};

TEST_F(ProfileFile, FailedWriteLeavesTheOriginalIntact) {
    const std::string before = "[HiScores]\nScore1=900;Ann\n[Options]\nGameSpeed=10\n";
    const std::string bigValue(100000, '7');
    const FailedWriteCase cases[] = {
        {"read-only file in a read-only directory", fs::perms(0555), fs::perms(0444), true, RLIM_INFINITY},
        {"read-only directory, no room for the longer file", fs::perms(0555), fs::perms(0666), true, 4096},
        {"unreadable file in a writable directory", fs::perms(0777), fs::perms(0), true, RLIM_INFINITY},
        {"disk full while writing", fs::perms(0755), fs::perms(0644), false, 4096},
    };
    fs::permissions(dir_, fs::perms(0755));
    for (const FailedWriteCase& c : cases) {
        const std::string sub = dir_ + "/case";
        const std::string file = sub + "/VOIDRAID.INI";
        fs::create_directory(sub);
        Put(file, before);
        fs::permissions(file, c.filePerms);
        fs::permissions(sub, c.dirPerms);

        const std::optional<bool> wrote = WriteInChild(file, bigValue, c.unprivileged, c.sizeLimit);
        ASSERT_TRUE(wrote.has_value()) << c.what << ": the child could not run";
        EXPECT_FALSE(*wrote) << c.what;

        fs::permissions(sub, fs::perms(0755));
        fs::permissions(file, fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(Slurp(file), before) << c.what;
        EXPECT_EQ(Entries(sub), std::vector<std::string>{"VOIDRAID.INI"}) << c.what;
        fs::remove_all(sub);
    }
}

ino_t Inode(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

struct InPlaceCase {
    const char* what;
    fs::perms filePerms;
    std::optional<std::string> before;  // no file when absent
    std::string value;
    rlim_t sizeLimit;
    std::optional<std::string> after;  // the write fails when absent, and the file stays as before
};

// Under /tmp, which an unprivileged child can reach whatever folder the tests are given.
class ProfileAsPlayer : public ProfileFile {
protected:
    std::string Base() const override { return "/tmp"; }
};

// A folder the player may not write, holding a file the player may: the file is rewritten in
// place. Run as an unprivileged user, since root may write any folder.
TEST_F(ProfileAsPlayer, WhereTheFolderTakesNoNewFileTheFileIsWrittenInPlace) {
    const std::string before = "; mine\n[Options]\nGameSpeed=10\nMusic_Toggle=1\n";
    const InPlaceCase cases[] = {
        {"same length", fs::perms(0666), before, "20", RLIM_INFINITY,
         "; mine\n[Options]\nGameSpeed=20\nMusic_Toggle=1\n"},
        {"longer", fs::perms(0666), before, "1000", RLIM_INFINITY,
         "; mine\n[Options]\nGameSpeed=1000\nMusic_Toggle=1\n"},
        {"shorter", fs::perms(0666), before, "", RLIM_INFINITY, "; mine\n[Options]\nGameSpeed=\nMusic_Toggle=1\n"},
        {"longer than the disk takes", fs::perms(0666), before, std::string(8192, '7'), 4096, std::nullopt},
        {"a read-only file", fs::perms(0444), before, "20", RLIM_INFINITY, std::nullopt},
        {"no file to write in", fs::perms(0666), std::nullopt, "20", RLIM_INFINITY, std::nullopt},
    };
    fs::permissions(dir_, fs::perms(0755));
    const std::string sub = dir_ + "/locked";
    const std::string file = sub + "/VOIDRAID.INI";
    for (const InPlaceCase& c : cases) {
        fs::create_directory(sub);
        if (c.before) {
            Put(file, *c.before);
            fs::permissions(file, c.filePerms);
        }
        const ino_t inode = Inode(file);
        fs::permissions(sub, fs::perms(0555));
        // Through a link from a writable folder, as well as directly.
        for (const std::string& path : {file, dir_ + "/link.ini"}) {
            fs::remove(dir_ + "/link.ini");
            fs::create_symlink(file, dir_ + "/link.ini");
            if (c.before) {
                fs::permissions(sub, fs::perms(0755));
                Put(file, *c.before);
                fs::permissions(sub, fs::perms(0555));
            }
            const std::optional<bool> wrote = WriteInChild(path, c.value, true, c.sizeLimit);
            ASSERT_TRUE(wrote.has_value()) << c.what << ": the child could not run";
            EXPECT_EQ(*wrote, c.after.has_value()) << c.what << " via " << path;
            if (c.before) {
                EXPECT_EQ(Slurp(file), c.after.value_or(*c.before)) << c.what << " via " << path;
                EXPECT_EQ(Inode(file), inode) << c.what << ": the file was replaced";
            }
            EXPECT_EQ(Entries(sub), c.before ? std::vector<std::string>{"VOIDRAID.INI"}
                                                      : std::vector<std::string>{})
                << c.what;
            EXPECT_TRUE(fs::is_symlink(dir_ + "/link.ini"));
        }
        fs::permissions(sub, fs::perms(0755));
        fs::remove_all(sub);
    }
}

// The same under kills at random moments: the old file, the new one, or the new one with blanks
// at its end where it was cut short, which reads as the new one.
TEST_F(ProfileAsPlayer, AKilledWriteInPlaceLeavesAWholeFile) {
    const std::string head = "; mine\n[Options]\nGameSpeed=";
    const std::string tail = "\n[HiScores]\nScore1=5;Ann\n";
    const struct {
        const char* what;
        std::string before, value;
    } cases[] = {{"longer", "10", std::string(300, '7')}, {"shorter", std::string(300, '7'), "10"}};
    fs::permissions(dir_, fs::perms(0555));
    std::mt19937 random(5);
    for (const auto& c : cases) {
        const std::string before = head + c.before + tail;
        const std::string after = head + c.value + tail;
        const auto run = [&] {
            fs::permissions(dir_, fs::perms(0755));
            Put(ini_, before);
            fs::permissions(ini_, fs::perms(0666));
            fs::permissions(dir_, fs::perms(0555));
            const pid_t pid = fork();
            if (pid == 0) {
                if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
                _exit(WritePrivateProfileStringA("Options", "GameSpeed", c.value, ini_) ? 0 : 1);
            }
            return pid;
        };
        std::chrono::steady_clock::duration whole{};
        for (int i = 0; i < 3; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const pid_t pid = run();
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.what << ": the write failed";
            ASSERT_EQ(Slurp(ini_), after) << c.what;
            whole = std::max(whole, std::chrono::steady_clock::now() - start);
        }
        int old = 0, changed = 0;
        // Random moments until both outcomes have come, so that a run proves both.
        for (int round = 0; round < 150 || ((old == 0 || changed == 0) && round < 1500); ++round) {
            const pid_t pid = run();
            std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(whole) *
                                        (random() % 1000) / 800);
            kill(pid, SIGKILL);
            ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
            const std::string now = Slurp(ini_);
            const bool blankEnd =
                now.starts_with(after) && now.find_first_not_of(' ', after.size()) == std::string::npos;
            ASSERT_TRUE(now == before || blankEnd) << c.what << ", round " << round << ":\n" << now;
            ASSERT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
            (now == before ? old : changed) += 1;
        }
        EXPECT_GT(old, 0) << c.what << ": no kill came before the write";
        EXPECT_GT(changed, 0) << c.what << ": no kill came after the write began";
    }
}

std::string Le(std::u16string_view text) { return Utf16(text, false); }
std::string Be(std::u16string_view text) { return Utf16(text, true); }

struct EditorCase {
    const char* what;
    std::string before;
    std::string score1;  // what Score1 reads before the write
    std::string after;   // once Score2 is written "7;Zo\xC3\xAB"
};

TEST_F(ProfileFile, FilesOfOtherEditorsReadAlikeAndKeepTheirForm) {
    const EditorCase cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF[HiScores]\r\nScore1=9;Ann\r\n[Options]\r\nGameSpeed=10\r\n", "9;Ann",
         "\xEF\xBB\xBF[HiScores]\r\nScore1=9;Ann\r\nScore2=7;Zo\xC3\xAB\r\n[Options]\r\nGameSpeed=10\r\n"},
        {"UTF-16 little end first", Le(u"\uFEFF[HiScores]\r\nScore1=9;J\u00FCrgen \u20AC\r\n"),
         "9;J\xC3\xBCrgen \xE2\x82\xAC",
         Le(u"\uFEFF[HiScores]\r\nScore1=9;J\u00FCrgen \u20AC\r\nScore2=7;Zo\u00EB\r\n")},
        {"UTF-16 big end first", Be(u"\uFEFF[HiScores]\r\nScore1=9;\U0001F680\r\n"), "9;\xF0\x9F\x9A\x80",
         Be(u"\uFEFF[HiScores]\r\nScore1=9;\U0001F680\r\nScore2=7;Zo\u00EB\r\n")},
        {"UTF-16, the section added", Le(u"\uFEFF[Options]\r\nGameSpeed=10\r\n"), "<default>",
         Le(u"\uFEFF[Options]\r\nGameSpeed=10\r\n\r\n[HiScores]\r\nScore2=7;Zo\u00EB\r\n")},
        {"UTF-16, a lone surrogate and an odd last byte kept",
         Le(u"\uFEFF; \xD800!\r\n[HiScores]\r\nScore1=9;A\r\n") + "\x01", "9;A",
         Le(u"\uFEFF; \xD800!\r\n[HiScores]\r\nScore1=9;A\r\nScore2=7;Zo\u00EB\r\n") + "\x01"},
        {"UTF-16 without a final line end", Le(u"\uFEFF[HiScores]\nScore1=9;A"), "9;A",
         Le(u"\uFEFF[HiScores]\nScore1=9;A\nScore2=7;Zo\u00EB\n")},
        {"CR line ends", "[HiScores]\rScore1=9;Ann\r[Options]\rGameSpeed=10\r", "9;Ann",
         "[HiScores]\rScore1=9;Ann\rScore2=7;Zo\xC3\xAB\r[Options]\rGameSpeed=10\r"},
        {"CR line ends, the section added", "[Options]\rGameSpeed=10", "<default>",
         "[Options]\rGameSpeed=10\r\r[HiScores]\rScore2=7;Zo\xC3\xAB\r"},
        {"a mark alone", "\xEF\xBB\xBF", "<default>", "\xEF\xBB\xBF[HiScores]\nScore2=7;Zo\xC3\xAB\n"},
    };
    for (const EditorCase& c : cases) {
        Put(ini_, c.before);
        EXPECT_EQ(Read(ini_, "HiScores", "Score1"), c.score1) << c.what;
        ASSERT_TRUE(WritePrivateProfileStringA("HiScores", "Score2", "7;Zo\xC3\xAB", ini_)) << c.what;
        EXPECT_EQ(Slurp(ini_), c.after) << c.what;
        EXPECT_EQ(Read(ini_, "HiScores", "Score2"), "7;Zo\xC3\xAB") << c.what;
    }

    Put(ini_, Le(u"\uFEFF[S]\r\n"));
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "a\xFF" "b", ini_));
    EXPECT_EQ(Slurp(ini_), Le(u"\uFEFF[S]\r\nK=a\uFFFDb\r\n")) << "bytes that are not UTF-8";
}

TEST_F(ProfileFile, ABatchReachesTheFileInOneStep) {
    const std::string before = "[HiScores]\nScore1=5;Old\n\n[Options]\nGameSpeed=10\n";
    Put(ini_, before);
    {
        platform::ProfileBatch batch(ini_);
        EXPECT_TRUE(batch.Set("HiScores", "Score1", "9;New"));
        EXPECT_TRUE(batch.Set("HiScores", "Score2", "5;Old"));
        EXPECT_FALSE(batch.Set("HiScores", "Bad=", "1")) << "refused at once";
        EXPECT_EQ(Slurp(ini_), before) << "nothing before the commit";
        EXPECT_EQ(Read(ini_, "HiScores", "Score1"), "5;Old");
        EXPECT_EQ(batch.Commit(), "");
        EXPECT_EQ(Slurp(ini_), "[HiScores]\nScore1=9;New\nScore2=5;Old\n\n[Options]\nGameSpeed=10\n");
        EXPECT_EQ(batch.Commit(), "") << "nothing left to write";
        EXPECT_TRUE(batch.Set("HiScores", "Score3", "1;Late"));
    }
    EXPECT_EQ(Read(ini_, "HiScores", "Score3"), Default) << "a batch dropped uncommitted writes nothing";
}

struct BatchFailureCase {
    const char* what;
    const char* path;  // in a folder of its own
    std::function<void(const std::string& file)> prepare;
    std::string reason;
};

TEST_F(ProfileFile, AFailedBatchSaysWhyInPlainWords) {
    const BatchFailureCase cases[] = {
        {"read-only file", "VOIDRAID.INI",
         [](const std::string& f) { Put(f, "[S]\n"), fs::permissions(f, fs::perms(0444)); }, "the file is read-only"},
        {"a folder in its place", "VOIDRAID.INI", [](const std::string& f) { fs::create_directory(f); },
         "a folder stands in its place"},
        {"a missing folder", "gone/VOIDRAID.INI", [](const std::string&) {}, "its folder does not exist"},
        {"a FIFO in its place", "VOIDRAID.INI", [](const std::string& f) { mkfifo(f.c_str(), 0666); },
         "it is not a plain file"},
    };
    for (const BatchFailureCase& c : cases) {
        const std::string sub = dir_ + "/case";
        const std::string file = sub + "/" + c.path;
        fs::create_directory(sub);
        c.prepare(file);
        const std::vector<std::string> entries = Entries(sub);
        platform::ProfileBatch batch(file);
        ASSERT_TRUE(batch.Set("S", "K", "1"));
        EXPECT_EQ(batch.Commit(), c.reason) << c.what;
        EXPECT_EQ(Entries(sub), entries) << c.what << ": nothing left behind";
        fs::permissions(sub, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(sub);
    }
}

TEST_F(ProfileFile, ATemporaryFileLeftByAKilledWriteIsTakenOver) {
    const std::string leftover = dir_ + "/.VOIDRAID.INI.new";
    Put(ini_, "[S]\nK=1\n");
    fs::permissions(ini_, fs::perms(0640));
    Put(leftover, "half a fi");
    fs::permissions(leftover, fs::perms(0600));
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "2", ini_));
    EXPECT_EQ(Slurp(ini_), "[S]\nK=2\n");
    EXPECT_EQ(fs::status(ini_).permissions(), fs::perms(0640));
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

// Writer w's key k.
std::string KeyOf(int w, int k) {
    std::string key = "K";
    key.append(std::to_string(w)).append("_").append(std::to_string(k));
    return key;
}

TEST_F(ProfileFile, WritersAtTheSameTimeLoseNothing) {
    constexpr int Writers = 4;
    constexpr int KeysEach = 15;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int k = 0; k < KeysEach; ++k) {
                ok = WritePrivateProfileStringA("S", KeyOf(w, k), "v", ini_) && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < Writers; ++w) {
        for (int k = 0; k < KeysEach; ++k) {
            EXPECT_EQ(Read(ini_, "S", KeyOf(w, k)), "v") << w << "/" << k;
        }
    }
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"VOIDRAID.INI"});
}

TEST_F(ProfileFile, BinaryGarbageNeitherCrashesNorIsLost) {
    std::mt19937 random(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xFF);
    const std::string variants[] = {garbage, [&] {
                                        std::string noLines = garbage;
                                        std::erase(noLines, '\n');
                                        std::erase(noLines, '[');
                                        return noLines;
                                    }()};
    for (const std::string& before : variants) {
        Put(ini_, before);
        EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), Default);
        ASSERT_TRUE(WritePrivateProfileStringA("Options", "GameSpeed", "10", ini_));
        EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "10");
        const std::string after = Slurp(ini_);
        EXPECT_EQ(after.substr(0, before.size()), before) << "the garbage stays as it was";
        ASSERT_TRUE(WritePrivateProfileStringA("Options", "GameSpeed", "20", ini_));
        EXPECT_EQ(Slurp(ini_).size(), after.size()) << "the second write replaces the first";
    }
}

// Many or large writes: in memory where possible, so the disk's flushes do not set the pace.
class ProfileInMemory : public ProfileFile {
protected:
    std::string Base() const override { return fs::is_directory("/dev/shm") ? "/dev/shm" : ::testing::TempDir(); }
};

TEST_F(ProfileInMemory, HugeFilesAndLongLinesStayFast) {
    std::string big;
    for (int s = 0; s < 2000; ++s) {
        big += "[Section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 10; ++k) big += "Key" + std::to_string(k) + "=some value " + std::to_string(k) + "\n";
    }
    const std::string longValue(512 * 1024, 'x');
    big += "[Options]\nLong=" + longValue + "\nGameSpeed=10\n";
    Put(ini_, big);
    // As big as a settings file may be.
    ASSERT_GT(big.size(), 800u * 1024);
    ASSERT_LE(big.size(), platform::ProfileSizeLimit);

    // Processor time, which a busy machine does not stretch: about 0.005 s here (0.05 s with the
    // sanitizers); a pass that went over the file once per line or per byte would take minutes.
    const std::clock_t start = std::clock();
    EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "10");
    EXPECT_EQ(Read(ini_, "Options", "Long"), longValue.substr(0, 255));
    EXPECT_EQ(Read(ini_, "section1999", "key9"), "some value 9");
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "Long", "short", ini_));
    ASSERT_TRUE(WritePrivateProfileStringA("Section0", "Key0", "changed", ini_));
    EXPECT_EQ(Read(ini_, "Options", "GameSpeed"), "10");
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 3.0) << "five passes over a file near the size limit";

    EXPECT_EQ(Read(ini_, "Options", "Long"), "short");
    EXPECT_EQ(Read(ini_, "Section0", "Key0"), "changed");
    EXPECT_EQ(Read(ini_, "Section0", "Key1"), "some value 1");
    EXPECT_EQ(Slurp(ini_).size(), big.size() - longValue.size() + 5 - std::string("some value 0").size() + 7);
}

// Random files with a model of what each key should read, then random writes: every written
// key reads back its value, every other key reads what it read before, every other line stays.
class RandomProfile {
public:
    explicit RandomProfile(unsigned seed) : random_(seed) {}

    static constexpr const char* Sections[] = {"Options", "HiScores", "Alpha", "Beta", "Gamma"};
    static constexpr const char* Keys[] = {"GameSpeed", "Score1", "Score2", "K", "Long_Key_Name", "New"};

    std::string Build() {
        crlf_ = Pick(2) == 0;
        std::string text;
        const int blocks = Pick(8);
        if (Pick(3) == 0) AddBody(text, nullptr, false);
        for (int b = 0; b < blocks; ++b) {
            const std::string name = Sections[Pick(4)];  // Gamma never stands in a built file
            Line(text, Pad(Mixed(name), "[", "]"));
            const std::string lower = Lower(name);
            const bool first = seenSections_.insert(lower).second;
            AddBody(text, &lower, first);
        }
        if (!text.empty() && Pick(4) == 0) text.resize(text.size() - (crlf_ ? 2 : 1));
        return text;
    }

    bool Crlf() const { return crlf_; }
    const std::vector<std::string>& OtherLines() const { return otherLines_; }

    std::string Expected(const std::string& section, const std::string& key) const {
        const auto s = model_.find(Lower(section));
        if (s == model_.end()) return Default;
        const auto k = s->second.find(Lower(key));
        return k == s->second.end() ? Default : k->second;
    }
    void Wrote(const std::string& section, const std::string& key, const std::string& value) {
        model_[Lower(section)][Lower(key)] = Trimmed(value);
    }

    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    std::string Mixed(const std::string& name) {
        std::string out = name;
        for (char& c : out) {
            if (Pick(3) == 0) c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                                                : std::toupper(c));
        }
        return out;
    }
    std::string Value() {
        static const std::string alphabet = "abcXYZ019;,.-_ \xE9\xFC";
        std::string value;
        const int length = Pick(12);
        for (int i = 0; i < length; ++i) value += alphabet[static_cast<std::size_t>(Pick(static_cast<int>(alphabet.size())))];
        return value;
    }

private:
    static std::string Lower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    static std::string Trimmed(const std::string& s) {
        const std::size_t b = s.find_first_not_of(" \t");
        if (b == std::string::npos) return "";
        return s.substr(b, s.find_last_not_of(" \t") - b + 1);
    }
    std::string Blanks() { return std::string(static_cast<std::size_t>(Pick(3)), Pick(2) ? ' ' : '\t'); }
    std::string Pad(const std::string& s, const std::string& open, const std::string& close) {
        return Blanks() + open + Blanks() + s + Blanks() + close + Blanks();
    }
    void Line(std::string& text, const std::string& line) { text += line + (crlf_ ? "\r\n" : "\n"); }

    void AddBody(std::string& text, const std::string* section, bool firstOfName) {
        const int lines = Pick(6);
        for (int i = 0; i < lines; ++i) {
            switch (Pick(5)) {
                case 0: case 1: {
                    const std::string key = Keys[Pick(6)];
                    std::string value = Value();
                    std::string stored = value;
                    if (Pick(3) == 0) {
                        stored = (Pick(2) ? "\"" : "'") + value;
                        stored += stored.front();
                    } else {
                        value = Trimmed(value);
                    }
                    Line(text, Blanks() + Mixed(key) + Blanks() + "=" + Blanks() + stored + Blanks());
                    if (section && firstOfName) model_[*section].try_emplace(Lower(key), value);
                    break;
                }
                case 2: Other(text, "; comment " + std::to_string(Pick(1000))); break;
                case 3: Other(text, Mixed(Keys[Pick(6)])); break;  // a key without '='
                default: {
                    std::string garbage = "~";
                    const int length = 1 + Pick(40);
                    for (int g = 0; g < length; ++g) {
                        char c = static_cast<char>(Pick(256));
                        if (c == '\n' || c == '\r' || c == '=' || c == '[') c = '\0';
                        garbage += c;
                    }
                    Other(text, garbage);
                }
            }
        }
    }
    void Other(std::string& text, const std::string& line) {
        otherLines_.push_back(line);
        Line(text, line);
    }

    std::mt19937 random_;
    bool crlf_ = false;
    std::set<std::string> seenSections_;
    std::map<std::string, std::map<std::string, std::string>> model_;
    std::vector<std::string> otherLines_;
};

TEST_F(ProfileInMemory, RandomFilesAndWritesAgreeWithAModel) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomProfile profile(seed);
        const std::string built = profile.Build();
        // A file without any line ending yet gets the program's own.
        const bool crlf = profile.Crlf() && built.find('\n') != std::string::npos;
        Put(ini_, built);
        const auto checkAll = [&] {
            for (const char* section : RandomProfile::Sections) {
                for (const char* key : RandomProfile::Keys) {
                    ASSERT_EQ(Read(ini_, profile.Mixed(section), profile.Mixed(key)), profile.Expected(section, key))
                        << section << "/" << key << "\n" << Slurp(ini_);
                }
            }
        };
        checkAll();
        for (int w = 0; w < 8; ++w) {
            const std::string section = RandomProfile::Sections[profile.Pick(5)];
            const std::string key = RandomProfile::Keys[profile.Pick(6)];
            const std::string value = profile.Value();
            if (profile.Pick(8) == 0) {
                const std::string before = Slurp(ini_);
                ASSERT_FALSE(WritePrivateProfileStringA(section, key + "=", value, ini_));
                ASSERT_EQ(Slurp(ini_), before);
                continue;
            }
            ASSERT_TRUE(WritePrivateProfileStringA(profile.Mixed(section), profile.Mixed(key), value, ini_));
            profile.Wrote(section, key, value);
            checkAll();
        }
        const std::string after = Slurp(ini_);
        for (const std::string& line : profile.OtherLines()) {
            EXPECT_NE(after.find(line), std::string::npos) << "lost line: " << line;
        }
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (after[i] == '\n') {
                ASSERT_EQ(i > 0 && after[i - 1] == '\r', crlf) << "line ending at " << i;
            }
        }
    }
}

}  // namespace
