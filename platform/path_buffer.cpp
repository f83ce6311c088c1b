#include "platform/path_buffer.h"

#include <cstring>

std::size_t BoundedLength(const char* text, std::size_t size) {
    std::size_t length = 0;
    while (length < size && text[length] != '\0') ++length;
    return length;
}

bool ComposeBounded(char* out, std::size_t outSize, const TextPiece* pieces,
                    std::size_t count) {
    if (outSize == 0) return false;
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // Room for this piece and the terminator?
        if (pieces[i].length >= outSize - total) {
            out[0] = '\0';
            return false;
        }
        total += pieces[i].length;
    }
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(out + at, pieces[i].text, pieces[i].length);
        at += pieces[i].length;
    }
    out[at] = '\0';
    return true;
}

bool JoinPath(char* out, std::size_t outSize, const char* directory,
              const char* name) {
    const TextPiece pieces[] = {
        {directory, std::strlen(directory)},
        {"\\", 1},
        {name, std::strlen(name)},
    };
    return ComposeBounded(out, outSize, pieces, 3);
}

bool CopyText(char* out, std::size_t outSize, const char* text) {
    const TextPiece piece = {text, std::strlen(text)};
    return ComposeBounded(out, outSize, &piece, 1);
}

bool IsAbsolutePath(const char* path) {
    const char c = path[0];
    const bool driveLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (driveLetter && path[1] == ':') return path[2] == '\0' || path[2] == '\\';
    return path[0] == '\\' && path[1] == '\\';
}
