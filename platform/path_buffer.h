// Bounded composition of paths and names. Every path the uninstaller builds
// goes through JoinPath: the result either fits its buffer whole, with its
// terminator, or the buffer is left empty and the call says so. A path is
// never cut short, because a shortened path can name another file.
#pragma once

#include <cstddef>

#include "platform/platform_services.h"

constexpr std::size_t PATH_SIZE = platform::MAX_PATH;

// A run of characters, not necessarily terminated.
struct TextPiece {
    const char* text;
    std::size_t length;
};

// Length of the string in a buffer of `size` bytes, or `size` when no
// terminator lies within it.
std::size_t BoundedLength(const char* text, std::size_t size);

// Writes the pieces one after the other into `out` and terminates it. When
// the whole does not fit in `outSize` bytes, `out` becomes "" and the result
// is false. `out` must not overlap any piece.
bool ComposeBounded(char* out, std::size_t outSize, const TextPiece* pieces,
                    std::size_t count);

// directory + "\" + name, nothing normalised and no other separator added or
// removed.
bool JoinPath(char* out, std::size_t outSize, const char* directory,
              const char* name);

// A copy of `text`, whole or not at all.
bool CopyText(char* out, std::size_t outSize, const char* text);

// True for a path that names the same place whatever the current drive and
// directory: a drive letter and a colon followed by a backslash or by nothing
// more ("C:" is the root of C: once a backslash is joined to it), or two
// backslashes (a network path). "", "\Plugins", "Orlatune" and "C:Orlatune"
// are not.
bool IsAbsolutePath(const char* path);

template <std::size_t N>
bool JoinPath(char (&out)[N], const char* directory, const char* name) {
    return JoinPath(out, N, directory, name);
}

template <std::size_t N>
bool CopyText(char (&out)[N], const char* text) {
    return CopyText(out, N, text);
}
