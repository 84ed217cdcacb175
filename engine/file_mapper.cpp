// POSIX implementation of the read-only file mapping.
#include "engine/file_mapper.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/exception.h"

namespace kvx {

TMappedFile::TMappedFile(const std::string& fileName) : fileName_(fileName) {
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        int err = errno;
        throw EMappedFileError(Format("Failed to open %s (%d)", fileName.c_str(), err), true, err);
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        int err = errno;
        ::close(fd_);
        throw EMappedFileError(Format("Failed to open %s (%d)", fileName.c_str(), err), true, err);
    }
    size_ = static_cast<uint64_t>(st.st_size);
    // An empty file cannot be mapped (mmap answers EINVAL), which is the error we report.
    void* view = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (view == MAP_FAILED) {
        int err = errno;
        ::close(fd_);
        throw EMappedFileError(Format("File mapping failed on %s (%d)", fileName.c_str(), err), false, err);
    }
    ::madvise(view, size_, MADV_RANDOM);
    memory_ = static_cast<const uint8_t*>(view);
}

TMappedFile::~TMappedFile() {
    if (memory_) ::munmap(const_cast<uint8_t*>(memory_), size_);
    if (fd_ >= 0) ::close(fd_);
}

const uint8_t* TMappedFile::Region(uint64_t offset, uint64_t length, const char* what) const {
    if (!Contains(offset, length))
        throw Exception(Format("Module file is corrupt: the %s lies outside the file (%s).", what, fileName_.c_str()));
    return memory_ + offset;
}

}  // namespace kvx
