// POSIX implementation of the user-file door (platform/files.h).
#include "platform/files.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qz::platform {

namespace {

WriteFaults g_write_faults;

constexpr int kMaxLinkHops = 40;          // as the kernel's own limit when it follows links
constexpr size_t kMaxTemporaryBase = 200;  // keeps the temporary name within a name's 255 bytes
constexpr size_t kReadPiece = 64 * 1024;

ReadStatus open_failure(int error) {
    return error == ENOENT || error == ENOTDIR ? ReadStatus::NotFound : ReadStatus::CannotOpen;
}

WriteStatus write_failure(int error) {
    return error == ENOSPC || error == EDQUOT ? WriteStatus::DiskFull : WriteStatus::WriteFailed;
}

std::string folder_of(const std::string& path) {
    size_t last = path.find_last_of('/');
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string read_link(const std::string& path) {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
};

// The file a write to `path` replaces: symbolic links are followed to their end, a dangling link to
// the file it names (which the write then creates), so the user's link is never replaced by a file.
WriteStatus find_target(const std::string& path, Target& target) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) return WriteStatus::CannotCreate;
            target.path = current;
            return WriteStatus::Ok;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.path = current;
            target.exists = true;
            target.info = info;
            return S_ISREG(info.st_mode) ? WriteStatus::Ok : WriteStatus::TargetNotRegularFile;
        }
        std::string link = read_link(current);
        if (link.empty()) return WriteStatus::CannotCreate;
        current = link.front() == '/' ? link : folder_of(current) + link;
    }
    return WriteStatus::CannotCreate;  // a loop of links
}

// A new file beside the target, hidden, named after it and unique to this process; created with
// O_EXCL, so the program only ever removes a file it made itself.
int create_temporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    std::string folder = folder_of(target);
    std::string base = target.substr(folder.size()).substr(0, kMaxTemporaryBase);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (descriptor >= 0) return descriptor;
        if (errno != EEXIST) break;
    }
    temporary.clear();
    return -1;
}

bool write_all(int descriptor, const char* data, size_t size) {
    while (size > 0) {
        ssize_t put = ::write(descriptor, data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

// Makes the rename itself last. The new file is complete and in place whatever this returns, so a
// failure here is not a failed write.
void sync_folder_of(const std::string& path) {
    std::string folder = folder_of(path);
    int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

// ---- Reading ----

FileReader::~FileReader() { close(); }

void FileReader::close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
}

ReadStatus FileReader::open(const std::string& path, uint64_t max_bytes, AcceptedFiles accepted) {
    close();
    read_bytes_ = 0;
    size_bytes_ = 0;
    max_bytes_ = max_bytes;
    // The name is looked at first so that a device is never opened at all; the opened descriptor is
    // checked again below, so a file swapped in between is caught too.
    struct stat info {};
    if (path.empty()) return status_ = ReadStatus::NotFound;
    if (::stat(path.c_str(), &info) != 0) return status_ = open_failure(errno);
    const bool pipe = accepted == AcceptedFiles::RegularOrPipe && S_ISFIFO(info.st_mode);
    if (!S_ISREG(info.st_mode) && !pipe) return status_ = ReadStatus::NotRegularFile;

    // Without O_NONBLOCK a FIFO swapped in for a regular file would block the open until a writer came.
    int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (pipe ? 0 : O_NONBLOCK);
    int descriptor = ::open(path.c_str(), flags);
    if (descriptor < 0) return status_ = open_failure(errno);
    if (::fstat(descriptor, &info) != 0) {
        ::close(descriptor);
        return status_ = ReadStatus::CannotOpen;
    }
    if (!S_ISREG(info.st_mode) && !(pipe && S_ISFIFO(info.st_mode))) {
        ::close(descriptor);
        return status_ = ReadStatus::NotRegularFile;
    }
    if (S_ISREG(info.st_mode)) {
        size_bytes_ = static_cast<uint64_t>(info.st_size);
        if (size_bytes_ > max_bytes) {
            ::close(descriptor);
            return status_ = ReadStatus::TooLarge;
        }
        ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    }
    descriptor_ = descriptor;
    return status_ = ReadStatus::Ok;
}

size_t FileReader::read(char* buffer, size_t size) {
    if (descriptor_ < 0 || status_ != ReadStatus::Ok || size == 0) return 0;
    for (;;) {
        ssize_t got = ::read(descriptor_, buffer, size);
        if (got < 0) {
            if (errno == EINTR) continue;
            status_ = ReadStatus::ReadFailed;
            return 0;
        }
        read_bytes_ += static_cast<uint64_t>(got);
        // A file that grows while it is read (or a pipe that never ends) is stopped at the limit.
        if (read_bytes_ > max_bytes_) {
            status_ = ReadStatus::TooLarge;
            return 0;
        }
        return static_cast<size_t>(got);
    }
}

FileContents read_regular_file(const std::string& path, uint64_t max_bytes) {
    FileContents contents;
    FileReader file;
    contents.status = file.open(path, max_bytes);
    if (contents.status != ReadStatus::Ok) return contents;
    contents.bytes.reserve(static_cast<size_t>(file.size_bytes()));
    char piece[kReadPiece];
    while (size_t got = file.read(piece, sizeof piece)) contents.bytes.append(piece, got);
    contents.status = file.status();
    if (contents.status != ReadStatus::Ok) contents.bytes.clear();
    return contents;
}

// ---- Writing ----

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

void AtomicFileWriter::abandon() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    if (status_ == WriteStatus::Ok) status_ = WriteStatus::WriteFailed;
}

WriteStatus AtomicFileWriter::fail(WriteStatus status) {
    abandon();
    return status_ = status;
}

WriteStatus AtomicFileWriter::begin(const std::string& path) {
    abandon();
    written_bytes_ = 0;
    Target target;
    if (path.empty()) return status_ = WriteStatus::CannotCreate;
    WriteStatus found = find_target(path, target);
    if (found != WriteStatus::Ok) return status_ = found;
    // A file the user may not write stays as it is, although the folder would let us replace it.
    if (target.exists && ::access(target.path.c_str(), W_OK) != 0) return status_ = WriteStatus::CannotCreate;

    descriptor_ = create_temporary(target.path, temporary_);
    if (descriptor_ < 0) return status_ = WriteStatus::CannotCreate;
    target_ = target.path;
    if (target.exists) {
        // The new file keeps the old one's permissions and, where we may, its owner.
        ::fchmod(descriptor_, target.info.st_mode & 07777);
        if (::fchown(descriptor_, target.info.st_uid, target.info.st_gid) != 0) {
            // Only the owner's own processes or root may give a file away; the file stays ours then.
        }
    }
    return status_ = WriteStatus::Ok;
}

WriteStatus AtomicFileWriter::write(std::string_view bytes) {
    if (status_ != WriteStatus::Ok) return status_;
    size_t allowed = bytes.size();
    bool disk_full = false;
    if (g_write_faults.disk_full_after_bytes >= 0) {
        uint64_t limit = static_cast<uint64_t>(g_write_faults.disk_full_after_bytes);
        uint64_t room = written_bytes_ >= limit ? 0 : limit - written_bytes_;
        if (room < allowed) {
            allowed = static_cast<size_t>(room);
            disk_full = true;
        }
    }
    if (!write_all(descriptor_, bytes.data(), allowed)) return fail(write_failure(errno));
    written_bytes_ += allowed;
    if (disk_full) return fail(WriteStatus::DiskFull);
    return WriteStatus::Ok;
}

WriteStatus AtomicFileWriter::commit() {
    if (status_ != WriteStatus::Ok) return fail(status_);
    // A full disk may show itself only when the data is flushed or the file closed.
    if (g_write_faults.sync_fails) return fail(WriteStatus::WriteFailed);
    if (::fsync(descriptor_) != 0) return fail(write_failure(errno));
    int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) return fail(write_failure(errno));
    if (g_write_faults.replace_fails || ::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(WriteStatus::ReplaceFailed);
    temporary_.clear();
    sync_folder_of(target_);
    return WriteStatus::Ok;
}

WriteStatus write_file_atomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    WriteStatus status = writer.begin(path);
    if (status == WriteStatus::Ok) status = writer.write(bytes);
    if (status == WriteStatus::Ok) status = writer.commit();
    return status;
}

void set_write_faults_for_testing(const WriteFaults& faults) { g_write_faults = faults; }

}  // namespace qz::platform
