// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>

// Conversions with the C library's meaning, independent of the process locale.
// Every number in templates, controls and device replies is held as 8-bit text
// and converted only for checks, formatting and comparisons.
namespace TextConv {

// Like atof: leading white space, optional sign, digits, fraction, exponent; anything else stops.
double Atof(const QByteArray& text);
// Like atoi/atol: leading white space, optional sign, decimal digits; saturates instead of overflowing.
int Atoi(const QByteArray& text);
long long Atol(const QByteArray& text);
// A number truncated toward zero like a C cast to int, saturating where the cast would be
// undefined (out of range; NaN gives 0).
int TruncateToInt(double value);
// The text truncated at its first NUL byte, as a C string would see it.
QByteArray CString(const QByteArray& bytes);
// ASCII upper case (the C locale's toupper); other bytes unchanged.
QByteArray ToUpper(const QByteArray& text);
// Trims spaces, tabs, CR, LF, VT and FF at both ends (CString::Trim).
QByteArray Trim(const QByteArray& text);
// "%d" of an integer.
QByteArray Dec(long long n);
// The last n characters (all of them when shorter).
QByteArray Right(const QByteArray& text, int n);
// Characters from position pos on (empty past the end).
QByteArray Mid(const QByteArray& text, int pos, int count = -1);
// The text before the first ':' (all of it when there is none).
QByteArray UpToColon(const QByteArray& text);

// A message from a pattern: each "%s" or "%d" takes the next argument's text, in order.
QByteArray Format(const char* pattern, std::initializer_list<QByteArray> args);

// 8-bit text at a file or link boundary: every byte maps to one character and back.
inline QString L1(const QByteArray& bytes) { return QString::fromLatin1(bytes); }
inline QByteArray L1(const QString& text) { return text.toLatin1(); }

}  // namespace TextConv
