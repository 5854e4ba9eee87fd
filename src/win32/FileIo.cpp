#include "win32/FileIo.h"

#include <algorithm>
#include <new>

namespace datrelle::win32 {
namespace {

// Largest piece handed to ReadFile and WriteFile at once: their counts are DWORDs.
constexpr std::size_t kChunk = 1u << 30;

}  // namespace

std::optional<std::string> ReadToEnd(HANDLE file) {
    LARGE_INTEGER size;
    LARGE_INTEGER position;
    if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, {}, &position, FILE_CURRENT) ||
        size.QuadPart < position.QuadPart) {
        return std::nullopt;
    }
    std::string bytes;
    try {
        const auto total = static_cast<unsigned long long>(size.QuadPart - position.QuadPart);
        if (total > bytes.max_size()) {
            return std::nullopt;
        }
        bytes.resize(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // larger than the memory the program can have
    }
    std::size_t used = 0;
    while (used < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - used, kChunk));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + used, piece, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            break;  // the file became shorter since its size was taken
        }
        used += read;
    }
    bytes.resize(used);
    return bytes;
}

bool WriteAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(content.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), piece, &written, nullptr) || written != piece) {
            return false;
        }
        content.remove_prefix(piece);
    }
    return true;
}

}  // namespace datrelle::win32
