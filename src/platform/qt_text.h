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

}  // namespace tovi
