#pragma once

#include <stdexcept>
#include <string>

// Every fault the program detects is one of these. They are thrown where the fault happens and
// caught and shown by the main window's event dispatch, which carries on; Save and Load add the
// file's name to a file's failure on the way.
class ProgramError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value that had to fit a 16-bit signed integer did not.
class OverflowError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// An index outside the declared range of a grid or a collection.
class IndexError : public ProgramError {
public:
    using ProgramError::ProgramError;
};
