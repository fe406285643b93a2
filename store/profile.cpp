#include "store/profile.h"

#include "store/atomic_file.h"
#include "store/paths.h"
#include "store/text_util.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr std::string_view kNativeEol = "\r\n";
#else
constexpr std::string_view kNativeEol = "\n";
#endif
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Blanks as the platform's profile functions skip them: ASCII white space and ^Z, the old
// end-of-file mark some editors and copies leave behind.
bool IsBlank(char c) {
    return text::IsBlank(c) || c == '\x1A';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return text::SameIgnoringCase(Trim(a), Trim(b));
}

// One physical line: its text without terminator, and the terminator it had.
struct Line {
    std::string text;
    std::string eol;
};

enum class Encoding { Bytes, Utf8Bom, Utf16Le, Utf16Be };

struct IniFile {
    Encoding encoding = Encoding::Bytes; // kept when the file is written back
    std::vector<Line> lines;
    std::string eol{kNativeEol}; // used for lines we add
};

std::FILE* OpenToRead(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb"); // the path's own UTF-16, whatever the code page
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

// Nothing for a file that cannot be read, a folder or a device among them, with errno
// telling why. Read with the C library: a stream would first set up the C++ locales,
// which is a tenth of a millisecond and a quarter of a megabyte of start-up.
std::optional<std::string> ReadWhole(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec) && !fs::is_regular_file(path, ec)) {
        errno = EISDIR;
        return std::nullopt;
    }
    std::FILE* file = OpenToRead(path);
    if (!file)
        return std::nullopt;
    std::string data;
    char block[4096];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        data.append(block, got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        errno = error;
        return std::nullopt;
    }
    return data;
}

// A file saved as "Unicode" by Notepad is UTF-16 with a byte-order mark; it is read as
// text and written back the same way.
IniFile Parse(std::string_view raw) {
    IniFile ini;
    std::string decoded;
    std::string_view data = raw;
    if (raw.starts_with(kUtf16LeBom) || raw.starts_with(kUtf16BeBom)) {
        const bool little = raw.starts_with(kUtf16LeBom);
        ini.encoding = little ? Encoding::Utf16Le : Encoding::Utf16Be;
        decoded = text::Utf16ToUtf8(raw.substr(2), little);
        data = decoded;
    } else if (raw.starts_with(kUtf8Bom)) {
        ini.encoding = Encoding::Utf8Bom;
        data.remove_prefix(kUtf8Bom.size());
    }
    // A line ends at CR LF, LF or a CR alone, as the platform splits them.
    bool eolSeen = false;
    while (!data.empty()) {
        const size_t end = std::min(data.find_first_of("\r\n"), data.size());
        const size_t eolLength = end == data.size() ? 0 : data.substr(end, 2) == "\r\n" ? 2 : 1;
        Line line{std::string(data.substr(0, end)), std::string(data.substr(end, eolLength))};
        data.remove_prefix(end + eolLength);
        if (!eolSeen && eolLength > 0) {
            ini.eol = line.eol;
            eolSeen = true;
        }
        ini.lines.push_back(std::move(line));
    }
    return ini;
}

// As the platform reads a header: "[" up to the last "]" of the line. A line without a
// closing "]" opens no section and ends none.
std::optional<std::string_view> SectionName(std::string_view text) {
    text = Trim(text);
    const size_t close = text.rfind(']');
    if (!text.starts_with('[') || close == std::string_view::npos)
        return std::nullopt;
    return text.substr(1, close - 1);
}

bool IsComment(std::string_view text) {
    text = Trim(text);
    return text.starts_with(';');
}

bool IsKeyLine(std::string_view text) {
    return !IsComment(text) && text.find('=') != std::string_view::npos;
}

// Where the first section of that name starts and where its last key line is.
struct SectionSpan {
    size_t header = 0;
    size_t lastEntry = 0; // last key line; the header itself when the section has none
};

std::optional<SectionSpan> FindSection(const IniFile& ini, std::string_view section) {
    std::optional<SectionSpan> span;
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        auto name = SectionName(ini.lines[i].text);
        if (name) {
            if (span)
                break;
            if (SameName(*name, section))
                span = SectionSpan{i, i};
        } else if (span && IsKeyLine(ini.lines[i].text)) {
            span->lastEntry = i;
        }
    }
    return span;
}

std::optional<size_t> FindKey(const IniFile& ini, const SectionSpan& span, std::string_view key) {
    for (size_t i = span.header + 1; i <= span.lastEntry && i < ini.lines.size(); ++i) {
        const std::string& text = ini.lines[i].text;
        if (IsKeyLine(text) && SameName(std::string_view(text).substr(0, text.find('=')), key))
            return i;
    }
    return std::nullopt;
}

// Quotes around a whole value are not part of it: "30" reads as 30, as on the platform.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::string> LookUp(const char* section, const char* key, const std::string& path) {
    if (!section || !key)
        return std::nullopt;
    auto data = ReadWhole(PathOf(path));
    if (!data)
        return std::nullopt;
    IniFile ini = Parse(*data);
    auto span = FindSection(ini, section);
    if (!span)
        return std::nullopt;
    auto at = FindKey(ini, *span, key);
    if (!at)
        return std::nullopt;
    const std::string& text = ini.lines[*at].text;
    return std::string(Unquote(Trim(std::string_view(text).substr(text.find('=') + 1))));
}

std::string Serialise(const IniFile& ini) {
    std::string out;
    for (const Line& line : ini.lines)
        out += line.text + line.eol;
    switch (ini.encoding) {
    case Encoding::Bytes:
        return out;
    case Encoding::Utf8Bom:
        return std::string(kUtf8Bom) + out;
    case Encoding::Utf16Le:
        return std::string(kUtf16LeBom) + text::Utf8ToUtf16(out, true);
    case Encoding::Utf16Be:
        return std::string(kUtf16BeBom) + text::Utf8ToUtf16(out, false);
    }
    return out;
}

void InsertLine(IniFile& ini, size_t at, std::string text) {
    // The line before the new one may have had no terminator (end of file).
    if (at > 0 && ini.lines[at - 1].eol.empty())
        ini.lines[at - 1].eol = ini.eol;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     Line{std::move(text), ini.eol});
}

void SetKey(IniFile& ini, std::string_view section, std::string_view key, std::string_view value) {
    auto span = FindSection(ini, section);
    if (!span) {
        size_t end = ini.lines.size();
        std::string header = "[";
        header.append(section).append("]");
        InsertLine(ini, end, std::move(header));
        InsertLine(ini, end + 1, std::string(key) + "=" + std::string(value));
        return;
    }
    if (auto at = FindKey(ini, *span, key)) {
        std::string& text = ini.lines[*at].text;
        text = text.substr(0, text.find('=') + 1) + std::string(value);
        return;
    }
    InsertLine(ini, span->lastEntry + 1, std::string(key) + "=" + std::string(value));
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// A settings file that is a link is written through to what it names (even a file not
// there yet), and stays a link, as editors do.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path to = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

} // namespace

std::string GetCurrentDirectoryA() {
    std::error_code ec;
    fs::path dir = fs::current_path(ec);
    return ec ? std::string() : Utf8Of(dir);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    return Utf8Of(PathOf(dir) / PathOf(name));
}

namespace {

// A character's value as a digit of any base up to 36; 36 for one that is no digit.
UINT DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<UINT>(c - '0');
    if (c >= 'a' && c <= 'z')
        return static_cast<UINT>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z')
        return static_cast<UINT>(c - 'A' + 10);
    return 36;
}

// The platform reads the value into a buffer of 30 characters and takes the number from it.
constexpr size_t kNumberCharacters = 29;

// The number at the start of a value as the platform reads it: control characters and
// blanks skipped, a sign, then decimal digits, or hexadecimal, octal or binary ones after
// "0x", "0o" or "0b". Unsigned arithmetic: huge numbers wrap instead of overflowing.
UINT LeadingNumber(std::string_view s) {
    s = s.substr(0, kNumberCharacters);
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    UINT base = 10;
    if (s.size() >= 2 && s[0] == '0') {
        base = s[1] == 'x' ? 16 : s[1] == 'o' ? 8 : s[1] == 'b' ? 2 : 10;
        if (base != 10)
            s.remove_prefix(2);
    }
    UINT n = 0;
    for (char c : s) {
        const UINT digit = DigitValue(c);
        if (digit >= base)
            break;
        n = n * base + digit;
    }
    return negative ? 0u - n : n;
}

} // namespace

UINT GetPrivateProfileIntA(const char* section, const char* key, int nDefault,
                           const std::string& path) {
    auto value = LookUp(section, key, path);
    if (!value || value->empty())
        return static_cast<UINT>(nDefault);
    return LeadingNumber(*value);
}

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* out,
                               DWORD nSize, const std::string& path) {
    if (!out || nSize == 0)
        return 0;
    auto value = LookUp(section, key, path);
    std::string_view text = value ? std::string_view(*value) : Trim(def ? def : "");
    size_t n = std::min<size_t>(text.size(), nSize - 1);
    text.copy(out, n);
    out[n] = '\0';
    return static_cast<DWORD>(n);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const std::string& path) {
    if (!key || !value)
        return FALSE;
    return WriteProfileKeys(section ? section : "", {{key, value}}, path);
}

namespace {

// Anything that would turn into extra lines or a broken section header is refused.
// So is a key that would read back as a section header or a comment.
bool IsWritable(std::string_view sec, std::string_view k, std::string_view value) {
    return !sec.empty() && !k.empty() && !HasLineBreak(sec) && !HasLineBreak(k) &&
           !HasLineBreak(value) && sec.find(']') == std::string_view::npos &&
           k.find('=') == std::string_view::npos && k.front() != '[' && k.front() != ';';
}

} // namespace

BOOL WriteProfileKeys(const std::string& section, const std::vector<ProfileKey>& keys,
                      const std::string& path) {
    const std::string_view sec = Trim(section);
    if (path.empty() || keys.empty())
        return FALSE;
    for (const ProfileKey& key : keys)
        if (!IsWritable(sec, Trim(key.name), key.value)) {
            errno = EINVAL;
            return FALSE;
        }

    std::error_code ec;
    const fs::path target = FollowLinks(PathOf(path));

    std::string before;
    if (fs::exists(target, ec)) {
        errno = 0;
        auto data = ReadWhole(target);
        if (!data) {
            if (errno == 0)
                errno = EIO;
            return FALSE;
        }
        before = std::move(*data);
    }
    IniFile ini = Parse(before);
    for (const ProfileKey& key : keys)
        SetKey(ini, sec, Trim(key.name), key.value);
    std::string after = Serialise(ini);
    if (after == before && !before.empty())
        return TRUE;
    return ReplaceFileAtomically(target, after) ? TRUE : FALSE;
}

std::string LastWriteFailure() {
    switch (errno) {
    case EACCES:
    case EPERM:
        return "文件是只读的，或没有写入的权限";
    case EROFS:
        return "所在的磁盘是只读的";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "磁盘已满";
    case EIO:
        return "读写磁盘时出错";
    case EISDIR:
        return "那里是一个文件夹，不是文件";
    case EINVAL:
        return "要写的内容不是设置文件能存的";
    default:
        return "写入失败（系统错误 " + std::to_string(errno) + "）";
    }
}
