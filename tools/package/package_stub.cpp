// The content package: this program with a tar archive appended. Run as
//   vrndata.giz -d/destination/folder/
// it unpacks the archive into the folder (created if needed) and exits with 0,
// or with a non-zero code and a message on the first problem. A package whose
// archive names an absolute path, a ".." component, a link or anything but a
// plain file or folder is refused before a single file is written.
#include "PackageTrailer.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <fcntl.h>

namespace {

enum ExitCode { kOk = 0, kUsage = 2, kNoPayload = 3, kRefused = 4, kFailed = 5 };

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "vrndata: %s\n", message.c_str());
    return code;
}

// The appended archive: a byte range of our own executable.
struct Payload {
    int fd = -1;
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::uint64_t pos = 0;
    unsigned char buffer[64 * 1024];
};

la_ssize_t ReadPayload(struct archive*, void* data, const void** block)
{
    auto* p = static_cast<Payload*>(data);
    const std::uint64_t left = p->end - p->pos;
    const size_t want = left < sizeof p->buffer ? static_cast<size_t>(left) : sizeof p->buffer;
    if (want == 0)
        return 0;
    const ssize_t got = pread(p->fd, p->buffer, want, static_cast<off_t>(p->pos));
    if (got < 0)
        return ARCHIVE_FATAL;
    p->pos += static_cast<std::uint64_t>(got);
    *block = p->buffer;
    return got;
}

bool LocatePayload(Payload* p, std::string* error)
{
    p->fd = open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    if (p->fd < 0) {
        *error = std::string("cannot read the package itself: ") + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(p->fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) < package_trailer::kSize) {
        *error = "the package carries no content";
        return false;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    unsigned char trailer[package_trailer::kSize];
    if (pread(p->fd, trailer, sizeof trailer, static_cast<off_t>(size - sizeof trailer))
            != static_cast<ssize_t>(sizeof trailer)
        || !package_trailer::Read(trailer, &p->begin) || p->begin >= size - sizeof trailer) {
        *error = "the package carries no content";
        return false;
    }
    p->end = size - sizeof trailer;
    return true;
}

struct archive* OpenArchive(Payload* p)
{
    p->pos = p->begin;
    struct archive* a = archive_read_new();
    archive_read_support_format_tar(a);
    archive_read_support_filter_gzip(a);
    if (archive_read_open(a, p, nullptr, ReadPayload, nullptr) != ARCHIVE_OK) {
        std::fprintf(stderr, "vrndata: the archive cannot be read: %s\n", archive_error_string(a));
        archive_read_free(a);
        return nullptr;
    }
    return a;
}

// Why an entry must not be unpacked, or empty when it may.
std::string RefusalOf(struct archive_entry* entry)
{
    const char* name = archive_entry_pathname(entry);
    if (name == nullptr || *name == '\0')
        return "an entry without a usable name";
    const std::string path(name);
    if (path[0] == '/')
        return "absolute path " + path;
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        if (path.compare(start, slash - start, "..") == 0 && slash - start == 2)
            return "path leaving the folder " + path;
        start = slash + 1;
    }
    if (archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr)
        return "link " + path;
    const auto type = archive_entry_filetype(entry);
    if (type != AE_IFREG && type != AE_IFDIR)
        return "special file " + path;
    return std::string();
}

// First pass: look at every entry before anything touches the folder.
int CheckEntries(Payload* p)
{
    struct archive* a = OpenArchive(p);
    if (a == nullptr)
        return kFailed;
    int result = kOk;
    struct archive_entry* entry = nullptr;
    int r;
    while ((r = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        const std::string refusal = RefusalOf(entry);
        if (!refusal.empty()) {
            result = Fail(kRefused, "refusing " + refusal);
            break;
        }
        archive_read_data_skip(a);
    }
    if (result == kOk && r != ARCHIVE_EOF)
        result = Fail(kFailed, std::string("the archive is damaged: ") + archive_error_string(a));
    archive_read_free(a);
    return result;
}

bool MakeFolders(const std::string& folder)
{
    std::string partial;
    size_t start = 0;
    while (start <= folder.size()) {
        size_t slash = folder.find('/', start);
        if (slash == std::string::npos)
            slash = folder.size();
        partial = folder.substr(0, slash);
        if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        start = slash + 1;
    }
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int Extract(Payload* p)
{
    struct archive* a = OpenArchive(p);
    if (a == nullptr)
        return kFailed;
    struct archive* disk = archive_write_disk_new();
    archive_write_disk_set_options(disk, ARCHIVE_EXTRACT_SECURE_NODOTDOT
                                             | ARCHIVE_EXTRACT_SECURE_SYMLINKS
                                             | ARCHIVE_EXTRACT_SECURE_NOABSOLUTEPATHS);
    archive_write_disk_set_standard_lookup(disk);

    int result = kOk;
    struct archive_entry* entry = nullptr;
    int r;
    while ((r = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        const std::string refusal = RefusalOf(entry);
        if (!refusal.empty()) {
            result = Fail(kRefused, "refusing " + refusal);
            break;
        }
        if (archive_write_header(disk, entry) != ARCHIVE_OK) {
            result = Fail(kFailed, std::string("cannot write ") + archive_entry_pathname(entry) + ": "
                                       + archive_error_string(disk));
            break;
        }
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        int d;
        while ((d = archive_read_data_block(a, &block, &size, &offset)) == ARCHIVE_OK) {
            if (archive_write_data_block(disk, block, size, offset) != ARCHIVE_OK) {
                d = ARCHIVE_FATAL;
                break;
            }
        }
        if (d != ARCHIVE_EOF) {
            result = Fail(kFailed, std::string("cannot unpack ") + archive_entry_pathname(entry) + ": "
                                       + archive_error_string(a) + " / " + archive_error_string(disk));
            break;
        }
        if (archive_write_finish_entry(disk) != ARCHIVE_OK) {
            result = Fail(kFailed, std::string("cannot finish ") + archive_entry_pathname(entry) + ": "
                                       + archive_error_string(disk));
            break;
        }
    }
    if (result == kOk && r != ARCHIVE_EOF)
        result = Fail(kFailed, std::string("the archive is damaged: ") + archive_error_string(a));
    if (archive_write_close(disk) != ARCHIVE_OK && result == kOk)
        result = Fail(kFailed, std::string("cannot finish unpacking: ") + archive_error_string(disk));
    archive_write_free(disk);
    archive_read_free(a);
    return result;
}

// "-d/folder/" (the documented form) or "-d /folder/".
std::string DestinationFrom(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg(argv[i]);
        if (arg == "-d" && i + 1 < argc)
            return argv[i + 1];
        if (arg.size() > 2 && arg.compare(0, 2, "-d") == 0)
            return arg.substr(2);
    }
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    // Entry names are UTF-8; without a UTF-8 locale libarchive cannot convert them.
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
        std::setlocale(LC_CTYPE, "");

    std::string folder = DestinationFrom(argc, argv);
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty())
        return Fail(kUsage, "usage: vrndata -d<destination folder>/");

    Payload payload;
    std::string error;
    if (!LocatePayload(&payload, &error))
        return Fail(kNoPayload, error);

    if (int r = CheckEntries(&payload); r != kOk)
        return r;
    if (!MakeFolders(folder))
        return Fail(kFailed, "cannot create folder " + folder + ": " + std::strerror(errno));
    if (chdir(folder.c_str()) != 0)
        return Fail(kFailed, "cannot enter folder " + folder + ": " + std::strerror(errno));
    return Extract(&payload);
}
