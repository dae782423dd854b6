// tvn files on disk (POSIX): bounded reads of regular files, and saves that replace the
// target atomically, or rewrite it in place when it has several hard links.
#include "scene/tvn_file.h"

#include "scene/byte_order.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxLinkDepth = 40; // as the kernel's own limit for a path
constexpr std::size_t kRandomSuffixLength = 6;

bool setError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Closes a file descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd; }

  private:
    int fd;
};

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads up to size bytes into out; fewer only where the file ends. Returns how many, or
// -1 on a read error.
ssize_t readUpTo(int fd, unsigned char* out, std::size_t size) {
    std::size_t have = 0;
    while (have < size) {
        const ssize_t n = ::read(fd, out + have, size - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(have);
}

// Reads a file front to back through one buffer of fixed size: the loader sees a window
// of it, and a load needs no memory that grows with the file beside the scene itself.
class FileWindow : public TvnByteSource {
  public:
    explicit FileWindow(int fd) : fd(fd), buffer(kBufferBytes) {}

    std::span<const unsigned char> bytesFrom(std::uint64_t offset, std::size_t wanted,
                                             std::uint64_t limit) override {
        std::size_t skip = static_cast<std::size_t>(std::min<std::uint64_t>(offset - start, have));
        if (have - skip < wanted && error == 0) {
            // What is still ahead moves to the front; the rest of the buffer is refilled.
            std::memmove(buffer.data(), buffer.data() + skip, have - skip);
            have -= skip;
            start += skip;
            skip = 0;
            const std::uint64_t next = start + have;
            const std::uint64_t room = buffer.size() - have;
            const ssize_t n = readUpTo(fd, buffer.data() + have,
                                       static_cast<std::size_t>(std::min(
                                           room, limit > next ? limit - next : std::uint64_t{0})));
            if (n < 0)
                error = errno;
            else
                have += static_cast<std::size_t>(n);
        }
        return {buffer.data() + skip, have - skip};
    }
    int readError() const { return error; }

  private:
    static constexpr std::size_t kBufferBytes = 256 * 1024; // stays in the processor's cache
    int fd;
    std::vector<unsigned char> buffer;
    std::uint64_t start = 0; // file offset of buffer[0]
    std::size_t have = 0;    // bytes of the file in the buffer
    int error = 0;
};

// The file a save to path must replace: path itself, or the end of its chain of
// symbolic links (which may not exist yet: saving through a dangling link creates it).
bool resolveLinks(const std::string& path, std::string& target, std::string* error) {
    std::string p = path;
    for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return setError(error, systemError("cannot write", path));
            target = p;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = p;
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0)
            return setError(error, systemError("cannot write", path));
        link.resize(static_cast<std::size_t>(n));
        p = link.front() == '/' ? link : directoryOf(p) + "/" + link;
    }
    errno = ELOOP;
    return setError(error, systemError("cannot write", path));
}

// Removes the temporary files of earlier saves to target that were killed before they
// finished. A save in progress holds a lock on its temporary file, so only abandoned
// ones can be locked here.
void removeAbandonedTemporaries(const std::string& target) {
    DIR* dir = ::opendir(directoryOf(target).c_str());
    if (!dir)
        return;
    const std::string prefix = baseName(target) + kSaveTemporaryMarker;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kRandomSuffixLength || !name.starts_with(prefix))
            continue;
        const Descriptor file(
            ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// After a rename the new name lives in the folder's own data; without this a power
// loss could bring the old file back.
void syncDirectory(const std::string& dir) {
    const Descriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a folder; the rename itself has succeeded.
    if (folder.get() >= 0)
        ::fsync(folder.get());
}

// Writes a scene's image to a file descriptor and counts the bytes; keeps the reason a
// write failed.
class DescriptorSink : public TvnByteSink {
  public:
    explicit DescriptorSink(int fd) : fd(fd) {}
    bool put(const unsigned char* data, std::size_t size) override {
        if (!writeAll(fd, data, size)) {
            error = errno;
            return false;
        }
        written += size;
        return true;
    }
    std::uint64_t bytesWritten() const { return written; }
    // Puts the reason of a failed write back into errno.
    void restoreErrno() const {
        if (error != 0)
            errno = error;
    }

  private:
    int fd;
    std::uint64_t written = 0;
    int error = 0;
};

// A file with several names (hard links) must keep its inode, so it is rewritten where it
// is. Space is reserved first, so that a full disk fails before the old scene is touched;
// touched says whether writing had begun when it failed.
bool rewriteInPlace(const std::string& target, const struct stat& expected, const CTorvaneDoc& doc,
                    std::uint64_t bytes, bool& touched) {
    touched = false;
    const Descriptor file(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0)
        return false;
    if (st.st_dev != expected.st_dev || st.st_ino != expected.st_ino) {
        errno = EBUSY; // replaced under our feet
        return false;
    }
    const auto size = static_cast<off_t>(bytes);
    if (const int err = ::posix_fallocate(file.get(), 0, size); err != 0) {
        errno = err;
        return false;
    }
    touched = true;
    DescriptorSink sink(file.get());
    if (!doc.writeTo(sink)) {
        sink.restoreErrno();
        return false;
    }
    return ::ftruncate(file.get(), size) == 0 && ::fsync(file.get()) == 0;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool loadSceneFile(const std::string& path, CTorvaneDoc& doc, std::string* error,
                   LoadNotes* notes) {
    // Non-blocking, so that a FIFO is refused at once instead of waiting for a writer.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return setError(error, systemError("cannot open", path));
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        return setError(error, systemError("cannot read", path));
    if (!S_ISREG(st.st_mode))
        return setError(error, path + " is not a regular file");
    const auto fileSize = static_cast<std::uint64_t>(st.st_size);

    FileWindow window(file.get());
    std::string detail;
    LoadNotes found;
    const bool loaded = doc.loadFrom(window, fileSize, &detail, &found);
    if (window.readError() != 0) {
        errno = window.readError();
        return setError(error, systemError("cannot read", path));
    }
    if (!loaded)
        return setError(error, path + ": " + detail);
    if (notes)
        *notes = found;
    return true;
}

bool saveSceneFile(const std::string& path, const CTorvaneDoc& doc, std::string* error) {
    std::string target;
    if (!resolveLinks(path, target, error))
        return false;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return setError(error, "cannot save over " + path + ": it is not a regular file");
    removeAbandonedTemporaries(target);

    const std::string pattern = target + kSaveTemporaryMarker + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const Descriptor tmp(::mkstemp(name.data()));
    if (tmp.get() < 0)
        return setError(error, systemError("cannot write", path));
    const std::string tmpPath(name.data());
    // Held until the save is over: marks the file as in use for a concurrent save's clean-up.
    ::flock(tmp.get(), LOCK_EX);

    // The owner first: changing it clears set-id bits that the mode then restores.
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(tmp.get(), st.st_uid, st.st_gid) != 0) {
        // Not allowed to give it away: the new file is ours, as any file we create.
    }
    const mode_t mode = exists ? st.st_mode & 07777 : newFileMode();
    DescriptorSink sink(tmp.get());
    // A scene the loader would refuse is found by the same walk that writes it.
    std::string unsavable;
    const bool written = doc.writeTo(sink, &unsavable);
    if (!unsavable.empty()) {
        ::unlink(tmpPath.c_str());
        return setError(error, path + ": " + unsavable);
    }
    sink.restoreErrno();
    if (!written || ::fchmod(tmp.get(), mode) != 0 || ::fsync(tmp.get()) != 0) {
        const std::string reason = systemError("cannot write", path);
        ::unlink(tmpPath.c_str());
        return setError(error, reason);
    }

    if (exists && st.st_nlink > 1) {
        bool touched = false;
        if (!rewriteInPlace(target, st, doc, sink.bytesWritten(), touched)) {
            std::string reason = systemError("cannot write", path);
            if (touched) // the complete new scene is still in the temporary file
                return setError(error, reason + " (the scene is in " + tmpPath + ")");
            ::unlink(tmpPath.c_str());
            return setError(error, reason);
        }
        ::unlink(tmpPath.c_str());
        return true;
    }
    if (::rename(tmpPath.c_str(), target.c_str()) != 0) {
        const std::string reason = systemError("cannot replace", path);
        ::unlink(tmpPath.c_str());
        return setError(error, reason);
    }
    syncDirectory(directoryOf(target));
    return true;
}
