#include "store/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <iomanip>
#include <random>
#include <sstream>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempMark = ".tmp-";

constexpr size_t kTempDigits = 16;

std::string TempNameBeside(const fs::path& target) {
    std::random_device rd;
    const std::uint64_t random = (std::uint64_t{rd()} << 32) | rd();
    std::ostringstream name;
    name << target.filename().string() << kTempMark << std::hex << std::setfill('0')
         << std::setw(kTempDigits) << random;
    return (target.parent_path() / name.str()).string();
}

// "<file>.tmp-" and hexadecimal digits, as TempNameBeside makes them (earlier versions
// left out leading zeros).
bool IsOurTempName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix))
        return false;
    const std::string_view digits = name.substr(prefix.size());
    return !digits.empty() && digits.size() <= kTempDigits &&
           digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Flushes the folder's entry for a renamed file, so that a power cut keeps the rename.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Temporary files of ours that an interrupted write left beside `target`. Only old ones
// go: a fresh one may belong to another running copy that is writing now.
void RemoveStaleTemps(const fs::path& target) {
    const std::string prefix = target.filename().string() + std::string(kTempMark);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsOurTempName(name, prefix) && entry.is_regular_file(ec) && !entry.is_symlink(ec) &&
            entry.last_write_time(ec) < staleBefore)
            fs::remove(entry.path(), ec);
    }
}

// Where no new file can be made beside it (a read-only folder), a writable file is
// rewritten where it stands: not atomic, but nothing is lost.
bool RewriteInPlace(const fs::path& target, const std::string& content) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, content);
    return ::close(fd) == 0 && written;
}

} // namespace

bool ReplaceFileAtomically(const fs::path& target, const std::string& content) {
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A read-only file stays untouched, as the platform would leave it.
    if (existed && ::access(target.c_str(), W_OK) != 0)
        return false;
    const mode_t mode = existed ? (old.st_mode & 07777) : 0666;
    const std::string temp = TempNameBeside(target);
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0666);
    if (fd < 0)
        return existed && (errno == EACCES || errno == EPERM || errno == EROFS) &&
               RewriteInPlace(target, content);
    bool ok = (!existed || ::fchmod(fd, mode) == 0) && WriteAll(fd, content);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        errno = error; // the caller tells the learner why
        return false;
    }
    SyncFolder(target.parent_path());
    RemoveStaleTemps(target);
    return true;
}
