#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

// '\r' counts as a blank so that a stray carriage return never becomes part of a name or value.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return TrimEnd(s);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

// A value in matching quotes is handed out without them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

struct Line {
    std::size_t begin = 0;  // first character
    std::size_t end = 0;    // one past the last character, line ending excluded
    std::size_t next = 0;   // start of the following line
};

// Lines end at '\n'; a '\r' just before it belongs to the ending, so CRLF and LF files read alike.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(Line& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t newline = text_.find('\n', pos_);
        line.begin = pos_;
        if (newline == std::string_view::npos) {
            line.end = line.next = text_.size();
        } else {
            line.end = newline > pos_ && text_[newline - 1] == '\r' ? newline - 1 : newline;
            line.next = newline + 1;
        }
        pos_ = line.next;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

enum class LineKind { Other, Section, Key };

struct Entry {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // a key's value, trimmed
    std::size_t nameEnd = 0;  // offset in the line where a key's spelling ends
};

// Blank lines, comments (';'), lines without '=' and '[' without ']' are kept but never match.
Entry Classify(std::string_view content) {
    Entry entry;
    std::size_t first = 0;
    while (first < content.size() && IsBlank(content[first])) ++first;
    if (first == content.size() || content[first] == ';') return entry;
    if (content[first] == '[') {
        const std::size_t close = content.find(']', first + 1);
        if (close != std::string_view::npos) {
            entry.kind = LineKind::Section;
            entry.name = Trim(content.substr(first + 1, close - first - 1));
        }
        return entry;
    }
    const std::size_t equals = content.find('=', first);
    if (equals == std::string_view::npos) return entry;
    entry.kind = LineKind::Key;
    entry.name = TrimEnd(content.substr(first, equals - first));
    entry.nameEnd = first + entry.name.size();
    entry.value = Trim(content.substr(equals + 1));
    return entry;
}

// Where a key stands, or would go. Only the first section of a name counts, and in it the
// first line of the key.
struct Place {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t insertAt = 0;  // just after the section's last key line, or its heading
    Line keyLine;
    Entry key;
};

Place Locate(std::string_view text, std::string_view section, std::string_view key) {
    Place place;
    LineReader reader(text);
    Line line;
    bool inSection = false;
    while (reader.Next(line)) {
        const Entry entry = Classify(text.substr(line.begin, line.end - line.begin));
        if (entry.kind == LineKind::Section) {
            if (inSection) break;
            if (SameName(entry.name, section)) {
                inSection = place.sectionFound = true;
                place.insertAt = line.next;
            }
        } else if (inSection && entry.kind == LineKind::Key) {
            if (SameName(entry.name, key)) {
                place.keyFound = true;
                place.keyLine = line;
                place.key = entry;
                return place;
            }
            place.insertAt = line.next;
        }
    }
    return place;
}

enum class FileState { Read, Missing, Failed };

FileState ReadWholeFile(const std::string& path, std::string& text, struct stat& info) {
    // O_NONBLOCK keeps a FIFO at the path from hanging us; it is refused below.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? FileState::Missing : FileState::Failed;
    FileState state = FileState::Read;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        state = FileState::Failed;
    } else {
        text.clear();
        text.reserve(static_cast<std::size_t>(info.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t got = read(fd, chunk, sizeof chunk);
            if (got > 0) {
                text.append(chunk, static_cast<std::size_t>(got));
            } else if (got == 0) {
                break;
            } else if (errno != EINTR) {
                state = FileState::Failed;
                break;
            }
        }
    }
    close(fd);
    return state;
}

bool HasAny(std::string_view s, std::string_view chars) { return s.find_first_of(chars) != std::string_view::npos; }

constexpr std::string_view LineBreaks("\r\n\0", 3);

// Names and values that would not read back as written, or would break the file's lines.
bool SectionNameAllowed(std::string_view name) { return !name.empty() && !HasAny(name, LineBreaks) && !HasAny(name, "]"); }

bool KeyNameAllowed(std::string_view name) {
    return !name.empty() && name.front() != '[' && name.front() != ';' && !HasAny(name, LineBreaks) &&
           !HasAny(name, "=");
}

bool ValueAllowed(std::string_view value) { return !HasAny(value, LineBreaks); }

std::string_view LineEndingOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

bool LastLineBlank(std::string_view text) {
    // text ends with '\n' here.
    std::string_view body = text.substr(0, text.size() - 1);
    const std::size_t start = body.rfind('\n');
    return Trim(start == std::string_view::npos ? body : body.substr(start + 1)).empty();
}

std::string WithKey(std::string_view text, std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view eol = LineEndingOf(text);
    const Place place = Locate(text, section, key);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 16);
    if (place.keyFound) {
        // The key keeps its spelling and indentation; only what follows it changes.
        out.append(text.substr(0, place.keyLine.begin + place.key.nameEnd));
        out.append("=").append(value);
        out.append(text.substr(place.keyLine.end));
    } else if (place.sectionFound) {
        out.append(text.substr(0, place.insertAt));
        if (place.insertAt > 0 && text[place.insertAt - 1] != '\n') out.append(eol);
        out.append(key).append("=").append(value).append(eol);
        out.append(text.substr(place.insertAt));
    } else {
        out.append(text);
        if (!out.empty()) {
            if (out.back() != '\n') out.append(eol);
            if (!LastLineBlank(out)) out.append(eol);
        }
        out.append("[").append(section).append("]").append(eol);
        out.append(key).append("=").append(value).append(eol);
    }
    return out;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t put = write(fd, data.data(), data.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes a sibling file and renames it over the target, so a crash at any moment leaves either
// the old file or the new one, never a part of one. original is null when there is no target yet.
bool ReplaceFile(const std::string& target, std::string_view content, const struct stat* original) {
    static std::atomic<unsigned> serial{0};
    const std::string directory = DirectoryOf(target);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = directory + "/.profile-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".tmp";
        // 0666 lets the umask decide a new file's permissions, as for any file the program creates.
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(fd, content);
    if (ok && original) {
        if (original->st_uid != geteuid() || original->st_gid != getegid()) {
            // Best effort: only a privileged process may hand the file back to its owner.
            [[maybe_unused]] const int ignored = fchown(fd, original->st_uid, original->st_gid);
        }
        ok = fchmod(fd, original->st_mode & 07777) == 0;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

// The rename would replace even a file without write permission; such a file is meant to stay.
bool MayReplace(const std::string& path, const struct stat& info) {
    return access(path.c_str(), W_OK) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file) {
    if (size == 0 || buffer == nullptr) return 0;
    std::string text;
    struct stat info {};
    std::string_view result = TrimEnd(def);
    if (ReadWholeFile(file, text, info) == FileState::Read) {
        const Place place = Locate(text, Trim(section), Trim(key));
        if (place.keyFound) result = Unquote(place.key.value);
    }
    const std::size_t count = std::min<std::size_t>(result.size(), size - 1);
    std::memcpy(buffer, result.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file) {
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    if (!SectionNameAllowed(sectionName) || !KeyNameAllowed(keyName) || !ValueAllowed(value)) return false;

    // Through a symbolic link the file it points to is replaced, not the link.
    std::string target = file;
    if (char* real = realpath(file.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    std::string text;
    struct stat info {};
    const FileState state = ReadWholeFile(target, text, info);
    if (state == FileState::Failed) return false;
    if (state == FileState::Read && !MayReplace(target, info)) return false;
    return ReplaceFile(target, WithKey(text, sectionName, keyName, value), state == FileState::Read ? &info : nullptr);
}

}  // namespace platform
