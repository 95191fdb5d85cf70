// Windows-1252, the program's single-byte code page: conversion between bytes and text.
#pragma once
#include <QByteArray>
#include <QString>

namespace qv {

// The code point of one byte. The five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points of the same value, so
// every byte survives a round trip through text.
char16_t cp1252ToUnicode(unsigned char byte);

// The byte of one code point, or -1 when the code page has no such character.
int unicodeToCp1252(char32_t codePoint);

// Bytes to text: every byte becomes one character.
QString cp1252ToString(const QByteArray& bytes);
// The same into `text`, which keeps its room for the next call (one line of a file after another).
void cp1252Into(QString& text, const char* bytes, qsizetype count);

// Text to bytes: one byte per character; a character outside the code page
// becomes "?" (one "?" for a character written as a surrogate pair).
QByteArray stringToCp1252(const QString& text);

// The system's code page does not carry the bytes 0x80 to 0x8F through a conversion to text and back (the
// program's start-up finds it out).
inline bool gCodePageDiffers = false;

} // namespace qv
