// The one door for the user's files. Every file the user names (settings files, matrix files, D2V
// projects, scripts) is read through FileReader or read_regular_file, and every file the program
// writes for the user goes through AtomicFileWriter or write_file_atomically.
//
// Reading: only a regular file (after following links) of at most the size the caller allows is
// read. A FIFO, a device or a folder is refused at once, without waiting for a writer or reading an
// endless device, and the refusal is a status of its own.
//
// Writing: the bytes go to a new temporary file in the target's folder, which is flushed to the disk
// and only then renamed over the target. So a full disk, a failing disk or a crash leaves the old
// file whole; a failed write removes its temporary file and nothing else. A target that exists and is
// no regular file (a device, a FIFO, a folder) is never written. A symbolic link as target stays a
// link: the file it leads to is replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz::platform {

enum class ReadStatus {
    Ok,
    NotFound,        // nothing of that name, or a folder on the way is missing
    CannotOpen,      // it exists but cannot be opened (no permission, ...)
    NotRegularFile,  // a folder, a FIFO, a device or a socket (after following links)
    TooLarge,        // larger than the caller's limit, or grew past it while being read
    ReadFailed,      // the system reported an error while reading
};

// Which kinds of file an open accepts. A pipe is accepted only where the user may mean a stream (the
// script driver's command file); it is opened blocking, as reading standard input is.
enum class AcceptedFiles { RegularOnly, RegularOrPipe };

// A user file opened for reading in pieces. Closed by the destructor.
class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    ReadStatus open(const std::string& path, uint64_t max_bytes, AcceptedFiles accepted = AcceptedFiles::RegularOnly);
    // Up to `size` bytes into `buffer`; 0 at the end of the file, and also after a failure, which
    // status() then tells.
    size_t read(char* buffer, size_t size);
    ReadStatus status() const { return status_; }
    // The size of the regular file when it was opened (0 for a pipe).
    uint64_t size_bytes() const { return size_bytes_; }
    void close();

private:
    int descriptor_ = -1;
    uint64_t max_bytes_ = 0;
    uint64_t read_bytes_ = 0;
    uint64_t size_bytes_ = 0;
    ReadStatus status_ = ReadStatus::NotFound;
};

struct FileContents {
    ReadStatus status = ReadStatus::NotFound;
    std::string bytes;  // the whole file when status is Ok, else empty
};
// The whole of a regular file of at most `max_bytes` bytes.
FileContents read_regular_file(const std::string& path, uint64_t max_bytes);

enum class WriteStatus {
    Ok,
    TargetNotRegularFile,  // the target exists and is a folder, a device, a FIFO or a socket
    CannotCreate,          // no temporary file could be made beside the target (missing folder, no
                           // permission, read-only target, a loop of links)
    DiskFull,              // the disk or the user's quota is full
    WriteFailed,           // any other error while writing or flushing
    ReplaceFailed,         // the complete temporary file could not be renamed over the target
};

// Writes a file as a whole: begin, write any number of times, then commit. Until commit succeeds the
// target is untouched; a writer destroyed or abandoned before that removes its temporary file.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Finds the file behind `path` (through symbolic links), refuses a target that is no regular file
    // or that we may not write, and creates the temporary file in the same folder.
    WriteStatus begin(const std::string& path);
    // Appends bytes. After a failure every later call returns that failure.
    WriteStatus write(std::string_view bytes);
    // Flushes the temporary file to the disk, closes it and renames it over the target.
    WriteStatus commit();
    // Removes the temporary file; the target stays as it was.
    void abandon();

private:
    WriteStatus fail(WriteStatus status);

    int descriptor_ = -1;
    std::string target_;
    std::string temporary_;
    uint64_t written_bytes_ = 0;
    WriteStatus status_ = WriteStatus::CannotCreate;
};

// The whole new content of `path`, written as AtomicFileWriter does.
WriteStatus write_file_atomically(const std::string& path, std::string_view bytes);

// For tests only: makes the writes of AtomicFileWriter fail as a full or failing disk would, so that
// what a failed save leaves behind can be checked on any machine. All off by default; a test sets
// them, runs its save and sets WriteFaults{} again. Not meant for use by more than one thread.
struct WriteFaults {
    int64_t disk_full_after_bytes = -1;  // a write beyond this many bytes of one file fails: disk full
    bool sync_fails = false;             // flushing the file to the disk fails
    bool replace_fails = false;          // renaming the temporary file over the target fails
};
void set_write_faults_for_testing(const WriteFaults& faults);

}  // namespace qz::platform
