#pragma once

#include <QString>
#include <string>

// Where Save and Load keep the position: path, and on Windows a fallback that Load reads when
// nothing lies at path. Without a place, path is empty and missing says why.
struct PositionFileLocation {
    QString path{};
    QString fallback{};
    std::string missing{};
};

// $XDG_DATA_HOME/draughtsboard/Videver.txt, else $HOME/.local/share/draughtsboard/Videver.txt,
// ignoring relative or empty values as the XDG rules ask, and refusing a name that is not UTF-8
// rather than bending it into another folder. On Windows the same in the user's local data
// folder, falling back to c:\Videver.txt.
PositionFileLocation positionFileLocation();
