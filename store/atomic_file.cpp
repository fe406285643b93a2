#include "store/atomic_file.h"

#include "store/paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

fs::path TempNameBeside(const fs::path& target) {
    std::random_device rd;
    const std::uint64_t random = (std::uint64_t{rd()} << 32) | rd();
    std::ostringstream name;
    name << Utf8Of(target.filename()) << kTempMark << std::hex << std::setfill('0')
         << std::setw(kTempDigits) << random;
    return target.parent_path() / PathOf(name.str());
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

// Temporary files of ours that an interrupted write left beside `target`. Only old ones
// go: a fresh one may belong to another running copy that is writing now.
void RemoveStaleTemps(const fs::path& target) {
    const std::string prefix = Utf8Of(target.filename()) + std::string(kTempMark);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = Utf8Of(entry.path().filename());
        if (IsOurTempName(name, prefix) && entry.is_regular_file(ec) && !entry.is_symlink(ec) &&
            entry.last_write_time(ec) < staleBefore)
            fs::remove(entry.path(), ec);
    }
}

#ifdef _WIN32

// The system's error as the C library's, for the learner's message.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

bool WriteAndFlush(HANDLE file, const std::string& content) {
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size() && FlushFileBuffers(file);
}

// Where no new file can be made beside it (a read-only folder), a writable file is
// rewritten where it stands: not atomic, but nothing is lost.
bool RewriteInPlace(const fs::path& target, const std::string& content) {
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = WriteAndFlush(file, content);
    return CloseHandle(file) && written;
}

} // namespace

// Written beside the old file, flushed to the disk, then moved over it with write-through.
bool ReplaceFileAtomically(const fs::path& target, const std::string& content) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    if (existed && (attributes & FILE_ATTRIBUTE_READONLY)) {
        errno = EACCES; // a read-only file stays untouched, as the platform leaves it
        return false;
    }
    const fs::path temp = TempNameBeside(target);
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = ErrnoOf(error);
        return existed && error == ERROR_ACCESS_DENIED && RewriteInPlace(target, content);
    }
    bool ok = WriteAndFlush(file, content);
    int error = ok ? 0 : ErrnoOf(GetLastError());
    CloseHandle(file);
    if (ok && !MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = ErrnoOf(GetLastError());
    }
    if (!ok) {
        DeleteFileW(temp.c_str());
        errno = error;
        return false;
    }
    RemoveStaleTemps(target);
    return true;
}

#else

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

#endif
