// The old runtime's text functions: 1-based Mid/InStr/Left/Right, trims, Replace, Split, Join, Chr/Asc, Like.
#pragma once
#include <QString>
#include <QStringList>

namespace qv {

// How texts are compared: exactly (binary) or ignoring case (text).
enum VbCompareMethod { vbBinaryCompare = 0, vbTextCompare = 1 };

// Characters are counted from 1. Arguments the runtime refused raise ErrInvalidCall: a start below 1, a
// negative length or count.

int Len(const QString& s);
// The characters of s from `start` on (all the rest, or at most `length` of them); "" when start lies
// beyond the end.
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int length);
// The first / last n characters (all of s when it is shorter).
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);

// The position of the first `find` in s at or after `start`; 0 when there is none or s is empty, or when
// start lies beyond the end of s; `start` when find is empty.
int InStr(const QString& s, const QString& find);
int InStr(int start, const QString& s, const QString& find, VbCompareMethod compare = vbBinaryCompare);
// The position of the last `find` in s that ends at or before `start` (-1: the end of s); 0 when there is
// none or start lies beyond the end; `start` (Len(s) for -1) when find is empty.
int InStrRev(const QString& s, const QString& find, int start = -1,
             VbCompareMethod compare = vbBinaryCompare);

// Trims remove only blanks (the space character), not tabs or line breaks.
QString LTrim(const QString& s);
QString RTrim(const QString& s);
QString Trim(const QString& s);
// The same without a copy: the part of `s` between its leading and trailing blanks.
QStringView Trim(QStringView s);
QString UCase(const QString& s);
QString LCase(const QString& s);

// s from `start` on, with `count` occurrences (-1: all) of find replaced, searching left to right; the
// characters before start are not part of the result. An empty find leaves the text as it is.
QString Replace(const QString& s, const QString& find, const QString& replacement, int start = 1,
                int count = -1, VbCompareMethod compare = vbBinaryCompare);
// The pieces of s between the delimiters; an empty s gives no pieces, an empty delimiter the whole s as the
// one piece. With a limit (-1: none) the last piece holds the rest of the text.
QStringList Split(const QString& s, const QString& delimiter = QStringLiteral(" "), int limit = -1,
                  VbCompareMethod compare = vbBinaryCompare);
QString Join(const QStringList& parts, const QString& delimiter = QStringLiteral(" "));

// n blanks; n copies of a character (its code, or the first character of a text).
QString Space(int n);
QString String(int n, QChar c);
QString String(int n, int charCode);
QString String(int n, const QString& s);

// The character of an ANSI code (0 to 255, Windows-1252; its five unassigned codes give the same code
// point) and of a UTF-16 code (-32768 to 65535, negative ones counted from 65536).
QString Chr(int code);
QString ChrW(int code);
// The ANSI code of the first character (63, "?", for a character the code page lacks), its UTF-16 code,
// and the low byte of that code. An empty text raises ErrInvalidCall.
int Asc(const QString& s);
int AscW(const QString& s);
int AscB(const QString& s);

// The Like operator, comparing exactly (case matters): "*" any run of characters, "?" any one character,
// "#" one digit, "[abc]" / "[a-z]" one character of the list, "[!abc]" one character not in it; a special
// character is matched literally inside brackets ("[*]"). An unclosed bracket raises ErrInvalidPattern.
bool Like(const QString& s, const QString& pattern);

} // namespace qv
