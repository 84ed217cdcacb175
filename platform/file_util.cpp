// POSIX file helpers.
#include "platform/file_util.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/exception.h"

namespace kvx {

void WriteFileAtomically(const std::string& path, std::string_view data) {
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) throw Exception(Format("Cannot create %s (%s)", temp.c_str(), std::strerror(errno)));
    auto fail = [&](const char* what) {
        int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        throw Exception(Format("%s %s (%s)", what, path.c_str(), std::strerror(err)));
    };
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("Cannot write");
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // mkstemp creates 0600; a module or settings file is an ordinary file.
    ::fchmod(fd, 0644);
    if (::fsync(fd) != 0) fail("Cannot write");
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw Exception(Format("Cannot write %s (%s)", path.c_str(), std::strerror(err)));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw Exception(Format("Cannot replace %s (%s)", path.c_str(), std::strerror(err)));
    }
}

std::string ReadWholeFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw Exception(Format("Failed to open %s (%d)", path.c_str(), errno));
    std::string data;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) throw Exception(Format("Failed to read %s", path.c_str()));
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace kvx
