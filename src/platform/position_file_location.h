#pragma once

#include <QString>

// The one fixed place of the position file: Videver.txt in the application's data folder
// (~/.local/share/draughtsboard/ on Linux, honouring XDG_DATA_HOME); c:\Videver.txt on Windows.
QString positionFileLocation();
