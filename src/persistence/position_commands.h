#pragma once

#include <QByteArray>
#include <optional>

class Form1;

// The File menu's Save and Load: the whole position written to the position file and read back.
// The path is the bytes the system names the file by; without one (no usable home folder) both
// say so.
class PositionCommands {
public:
    PositionCommands(Form1& form, std::optional<QByteArray> path)
        : m_form(form), m_path(std::move(path)) {}

    void SaveClick();
    void LoadClick();

private:
    Form1& m_form;
    std::optional<QByteArray> m_path;
};
