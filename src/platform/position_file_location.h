#pragma once

#include <QByteArray>
#include <optional>

// The one fixed place of the position file, as the bytes the system names it by (taken from the
// environment unchanged, whether or not they are UTF-8): on Linux and other Unix systems
// $XDG_DATA_HOME/draughtsboard/Videver.txt when XDG_DATA_HOME is an absolute path, otherwise
// $HOME/.local/share/draughtsboard/Videver.txt when HOME is one. Relative or empty values are
// ignored, as the XDG rules ask; with neither there is no place, and Save and Load say so.
// On Windows it is exactly c:\Videver.txt.
std::optional<QByteArray> positionFileLocation();

// Why there is no place for the position file, as Save and Load tell the user.
inline constexpr char noPositionFileLocation[] =
    "there is no home folder to keep it in (neither HOME nor XDG_DATA_HOME is an absolute path)";
