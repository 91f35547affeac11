// SPDX-License-Identifier: MIT
#include "TextConv.h"

#include <clocale>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace TextConv {

namespace {
locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}
}  // namespace

double Atof(const QByteArray& text)
{
    const QByteArray s = CString(text);
    return strtod_l(s.constData(), nullptr, CLocale());
}

long long Atol(const QByteArray& text)
{
    const QByteArray s = CString(text);
    return strtoll_l(s.constData(), nullptr, 10, CLocale());
}

int Atoi(const QByteArray& text)
{
    const long long v = Atol(text);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int TruncateToInt(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= double(INT_MAX)) return INT_MAX;
    if (value <= double(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

QByteArray CString(const QByteArray& bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

QByteArray ToUpper(const QByteArray& text)
{
    QByteArray out = text;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return out;
}

QByteArray Trim(const QByteArray& text)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    int b = 0;
    int e = text.size();
    while (b < e && isSpace(text[b])) ++b;
    while (e > b && isSpace(text[e - 1])) --e;
    return text.mid(b, e - b);
}

QByteArray Dec(long long n) { return QByteArray::number(n); }

QByteArray Right(const QByteArray& text, int n)
{
    if (n <= 0) return QByteArray();
    return text.size() <= n ? text : text.right(n);
}

QByteArray Mid(const QByteArray& text, int pos, int count)
{
    if (pos < 0) pos = 0;
    if (pos >= text.size()) return QByteArray();
    return count < 0 ? text.mid(pos) : text.mid(pos, count);
}

QByteArray UpToColon(const QByteArray& text)
{
    const int colon = text.indexOf(':');
    return colon < 0 ? text : text.left(colon);
}

QByteArray Format(const char* pattern, std::initializer_list<QByteArray> args)
{
    QByteArray out;
    auto next = args.begin();
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
            if (next != args.end()) out += *next++;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace TextConv
