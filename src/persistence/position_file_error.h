#pragma once

#include <string>

#include "platform/errors.h"

// Saving or loading the position file failed. The message is one sentence that names the file
// once: what could not be done, then why ("The position could not be loaded from
// /home/ann/.local/share/draughtsboard/Videver.txt: there is no such file.").
class PositionFileError : public ProgramError {
public:
    PositionFileError(const std::string& failure, const std::string& reason)
        : ProgramError(failure + ": " + reason + ".") {}
};
