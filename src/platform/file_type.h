#pragma once

#include <sys/stat.h>

#include <cstring>
#include <string>

// Plain words for why a file cannot be used, for the messages of Save and Load.

// The system's reason for an errno value.
inline std::string reasonFor(int error) {
    return std::strerror(error);
}

// What a file of this mode is, when it is not a regular file.
inline std::string notRegular(mode_t mode) {
    const char* kind = S_ISDIR(mode)                    ? "a folder"
                       : S_ISFIFO(mode)                 ? "a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "something else";
    return std::string("it is ") + kind + ", not a regular file";
}
