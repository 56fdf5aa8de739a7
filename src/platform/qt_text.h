// Where CP932 texts meet Qt: conversion to and from QString.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace tovi {

// CP932 bytes to a QString for display; bytes that do not decode show as U+FFFD.
QString Cp932ToQt(const std::string& cp932);

// A QString to CP932 bytes; nothing when a character has no CP932 spelling.
std::optional<std::string> TryQtToCp932(const QString& text);

// Number of CP932 bytes of text, or -1 when it cannot be encoded.
int Cp932Length(const QString& text);

// The bytes of a file name chosen in a dialog, as the file system takes them;
// nothing when they could name another file than the one chosen: a name
// with a NUL (the path would end there), with a character the file-name
// encoding cannot spell (it would be replaced), or with U+FFFD, which stands
// for bytes that did not decode, so that the name's real bytes are lost.
std::optional<std::string> TryQtToFileName(const QString& name);

}  // namespace tovi
