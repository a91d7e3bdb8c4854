#include "platform/profile.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/profile_file.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

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

// Lines end at CR LF, LF or a lone CR, as editors on any system leave them.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(Line& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = pos_;
        while (end < text_.size() && !IsLineEnd(text_[end])) ++end;
        line.begin = pos_;
        line.end = end;
        if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ++end;
        line.next = end < text_.size() ? end + 1 : end;
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

bool HasAny(std::string_view s, std::string_view chars) { return s.find_first_of(chars) != std::string_view::npos; }

constexpr std::string_view LineBreaks("\r\n\0", 3);

// Names and values that would not read back as written, or would break the file's lines.
bool SectionNameAllowed(std::string_view name) { return !name.empty() && !HasAny(name, LineBreaks) && !HasAny(name, "]"); }

bool KeyNameAllowed(std::string_view name) {
    return !name.empty() && name.front() != '[' && name.front() != ';' && !HasAny(name, LineBreaks) &&
           !HasAny(name, "=");
}

bool ValueAllowed(std::string_view value) { return !HasAny(value, LineBreaks); }

// New lines take the ending of the file's first line.
std::string_view LineEndingOf(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos || text[end] == '\n') return "\n";
    return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

bool LastLineBlank(std::string_view text) {
    // text ends with a line ending here.
    Line line;
    Line last;
    LineReader reader(text);
    while (reader.Next(line)) last = line;
    return Trim(text.substr(last.begin, last.end - last.begin)).empty();
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
        if (place.insertAt > 0 && !IsLineEnd(text[place.insertAt - 1])) out.append(eol);
        out.append(key).append("=").append(value).append(eol);
        out.append(text.substr(place.insertAt));
    } else {
        out.append(text);
        if (!out.empty()) {
            if (!IsLineEnd(out.back())) out.append(eol);
            if (!LastLineBlank(out)) out.append(eol);
        }
        out.append("[").append(section).append("]").append(eol);
        out.append(key).append("=").append(value).append(eol);
    }
    return out;
}

}  // namespace

ProfileReader::ProfileReader(const std::string& file) {
    std::string reason;
    const ProfileRead read = ReadProfileText(file, text_, reason);
    tooLarge_ = read == ProfileRead::TooLarge;
    if (read == ProfileRead::Failed) unreadable_ = reason;
}

std::uint32_t ProfileReader::GetString(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size) const {
    if (size == 0 || buffer == nullptr) return 0;
    std::string_view result = TrimEnd(def);
    const Place place = Locate(text_, Trim(section), Trim(key));
    if (place.keyFound) result = Unquote(place.key.value);
    const std::size_t count = std::min<std::size_t>(result.size(), size - 1);
    std::memcpy(buffer, result.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

ProfileBatch::ProfileBatch(std::string file) : file_(std::move(file)) {}

bool ProfileBatch::Set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    if (!SectionNameAllowed(sectionName) || !KeyNameAllowed(keyName) || !ValueAllowed(value)) return false;
    writes_.push_back({std::string(sectionName), std::string(keyName), value});
    return true;
}

std::string ProfileBatch::Commit() {
    if (writes_.empty()) return {};
    return Commit([](const ProfileReader&) {});
}

std::string ProfileBatch::Commit(const std::function<void(const ProfileReader& now)>& plan) {
    const std::vector<Write> gathered = std::exchange(writes_, {});
    const std::string reason = RewriteProfile(file_, [&](std::string_view text) {
        ProfileReader now;
        now.text_ = text;
        writes_ = gathered;
        plan(now);
        std::string out(text);
        for (const Write& write : writes_) out = WithKey(out, write.section, write.key, write.value);
        return out;
    });
    writes_.clear();
    return reason;
}

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key, const std::string& def,
                                       char* buffer, std::uint32_t size, const std::string& file) {
    return ProfileReader(file).GetString(section, key, def, buffer, size);
}

bool WritePrivateProfileStringA(const std::string& section, const std::string& key, const std::string& value,
                                const std::string& file) {
    ProfileBatch batch(file);
    return batch.Set(section, key, value) && batch.Commit().empty();
}

}  // namespace platform
