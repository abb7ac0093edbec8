#include "common/core/data_file.h"

#include <atomic>
#include <cstdio>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tallimo::common {
namespace {

std::filesystem::path TemporaryNameFor(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = path;
#if defined(__unix__) || defined(__APPLE__)
    const long process = static_cast<long>(::getpid());
#else
    const long process = 0;
#endif
    temporary += ".tmp" + std::to_string(process) + "-" + std::to_string(counter++);
    return temporary;
}

bool WriteAndSync(const std::filesystem::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
    ok = ::fsync(::fileno(file)) == 0 && ok;
#endif
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

std::FILE* OpenRegularFile(const std::filesystem::path& path) {
#if defined(__unix__) || defined(__APPLE__)
    // Should the name have been swapped for a FIFO since it was checked, a
    // non-blocking open returns at once and the check below refuses it.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat info {};
    std::FILE* file = nullptr;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode))
        file = ::fdopen(descriptor, "rb");
    if (file == nullptr)
        ::close(descriptor);
    return file;
#else
    return std::fopen(path.string().c_str(), "rb");
#endif
}

} // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxDataFileBytes)
        return false;
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr)
        return false;
    std::string read;
    read.reserve(size);
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, file);
        // The file may have grown since its size was checked.
        if (read.size() + count > kMaxDataFileBytes) {
            ok = false;
            break;
        }
        read.append(buffer, count);
        if (count < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    if (ok)
        bytes = std::move(read);
    return ok;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path temporary = TemporaryNameFor(path);
    std::error_code error;
    if (!WriteAndSync(temporary, bytes)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
#if defined(__unix__) || defined(__APPLE__)
    // Make the rename itself durable.
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const int descriptor = ::open(folder.string().c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#endif
    return true;
}

bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::string bytes;
    return ReadWholeFile(from, bytes) && WriteFileAtomically(to, bytes);
}

} // namespace tallimo::common
