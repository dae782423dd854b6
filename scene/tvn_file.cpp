// tvn files on disk: whole-file reads and atomic replacement on save (POSIX).
#include "scene/tvn_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool setError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
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

} // namespace

bool loadSceneFile(const std::string& path, CTorvaneDoc& doc, std::string* error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return setError(error, systemError("cannot open", path));
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool readFailed = std::ferror(f) != 0;
    std::fclose(f);
    if (readFailed)
        return setError(error, "cannot read " + path);
    std::string detail;
    if (!doc.loadBytes(bytes.data(), bytes.size(), &detail))
        return setError(error, path + ": " + detail);
    return true;
}

bool saveSceneFile(const std::string& path, const CTorvaneDoc& doc, std::string* error) {
    const std::vector<unsigned char> bytes = doc.toBytes();

    std::string tmpl = path + ".tmp-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return setError(error, systemError("cannot write", path));
    const std::string tmpPath(name.data());

    // Keep the permissions of the file we replace; a new file gets the usual 0666 & ~umask.
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    bool ok = writeAll(fd, reinterpret_cast<const char*>(bytes.data()), bytes.size()) &&
              ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    std::string reason = ok ? "" : systemError("cannot write", path);
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = systemError("cannot write", path);
    }
    if (ok && ::rename(tmpPath.c_str(), path.c_str()) != 0) {
        ok = false;
        reason = systemError("cannot replace", path);
    }
    if (!ok) {
        ::unlink(tmpPath.c_str());
        return setError(error, reason);
    }
    return true;
}
