#pragma once

#include <QByteArray>
#include <string>

// Text from a file or from the environment as a message can show it whole: a byte that would be
// invisible or would stop or garble the message appears as \x and two hex digits (a NUL as \x00,
// a form feed as \x0c).

// For a field of the position file, which is single-byte text: every byte outside printable
// ASCII (0x20 to 0x7e) is escaped.
std::string visibleField(const QByteArray& field);

// For a path: control bytes are escaped, and so are the bytes from 0x80 up unless the whole
// path is valid UTF-8, in which case it is shown as the characters it spells. Of those, the ones
// that would reorder, break or hide the text around them (controls, bidirectional marks, line and
// paragraph separators, zero-width and other format characters) appear as \u and four hex digits
// (a right-to-left override as \u202e), or \U and eight beyond the first 65536.
std::string visiblePath(const QByteArray& path);
