#pragma once

#include "platform/position_file_location.h"

class Form1;

// The File menu's Save and Load: the whole position written to the position file and read back.
// Without a place for the file (no usable home folder) both say so.
class PositionCommands {
public:
    PositionCommands(Form1& form, PositionFileLocation location)
        : m_form(form), m_location(std::move(location)) {}

    void SaveClick();
    void LoadClick();

private:
    Form1& m_form;
    PositionFileLocation m_location;
};
