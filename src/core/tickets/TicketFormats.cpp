// SPDX-License-Identifier: MIT
#include "TicketFormats.h"

namespace TicketFormats {

namespace {

struct FieldInfo {
    const char* token;
    const char* caption;
};

// Two-letter names follow the indicator's own display field codes where one exists.
constexpr FieldInfo kFields[kFieldButtonCount] = {
    {"{GR}", "Gross"},   // gross weight
    {"{NF}", "Net"},     // net (and tare) weight
    {"{TM}", "Time"},
    {"{DT}", "Date"},
    {"{ID}", "ID"},
    {"{CN}", "Number"},  // consecutive number
    {"{UF}", "Units"},   // units / unit factor
    {"{TX}", "Text"},    // custom text, advanced mode only
    {"{GA}", "Accum"},   // counting / accumulation
    {"{LN}", "Line"},    // separator line
    {"{HT}", "Header"},  // header text
    {"{BM}", "Logo"},    // bitmap
};

constexpr char kSectionStart[] = "TICKET:";
constexpr char kSectionEnd[] = "END:";
constexpr char kLineStart[] = "L:";
constexpr char kContinuation[] = "+:";
constexpr char kDataMarker[] = "TICKETDATA:";
constexpr int kPrefixLength = 2;
// Every byte at most "\xHH".
constexpr int kLongestEscape = 4;
// Section numbers are 16-bit slot numbers.
constexpr int kMaxSlot = 32767;
// More digits than any slot or length needs; keeps the arithmetic far from overflow.
constexpr int kMaxDigits = 9;

// Delimiters a person can read in a print form file, tried first.
constexpr char kPreferredDelimiters[] = "~^|`#@$%&*+=";

constexpr ushort kControlPictureBase = 0x2400;
constexpr ushort kDeletePicture = 0x2421;
constexpr uchar kDelete = 0x7F;

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsLiteral(uchar b)
{
    return b >= 0x20 && b <= 0x7E && b != '\\' && b != '/';
}

QByteArray HexEscape(uchar b)
{
    QByteArray out("\\x");
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 0x0F];
    return out;
}

// Strict decimal: digits only, no sign, no spaces, bounded.
bool ParseNumber(const QByteArray& text, int maximum, int& value)
{
    if (text.isEmpty() || text.size() > kMaxDigits) return false;
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v > maximum) return false;
    value = int(v);
    return true;
}

// The fields of "TICKET:<slot>:<length>:".
bool ParseSectionHeader(const QByteArray& line, int& slot, int& length)
{
    const QList<QByteArray> parts = line.mid(int(sizeof(kSectionStart)) - 1).split(':');
    if (parts.size() < 2) return false;
    return ParseNumber(parts[0], kMaxSlot, slot) && slot >= 1 && ParseNumber(parts[1], kMaxTicketBytes, length);
}

QByteArray SampleNumber(double value, const QByteArray& format)
{
    return QByteArray::number(value, 'f', PreviewDecimals(format));
}

}  // namespace

QByteArray FieldToken(int button)
{
    return button >= 0 && button < kFieldButtonCount ? QByteArray(kFields[button].token) : QByteArray();
}

QByteArray FieldCaption(int button)
{
    return button >= 0 && button < kFieldButtonCount ? QByteArray(kFields[button].caption) : QByteArray();
}

// --- download form ---

QByteArray EncodeDownloadForm(const QByteArray& layout)
{
    QByteArray out;
    out.reserve(layout.size() + layout.count('\n'));
    for (char c : layout) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

QByteArray DecodeDownloadForm(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out += bytes[i];
    }
    return out;
}

// --- print form ---

bool ChooseDelimiter(const QByteArray& body, const QByteArray& headerText, char* delimiter)
{
    auto absent = [&](char d) { return d != 0 && d != '\n' && d != '\r' && !body.contains(d) && !headerText.contains(d); };
    for (const char* p = kPreferredDelimiters; *p; ++p) {
        if (absent(*p)) {
            *delimiter = *p;
            return true;
        }
    }
    for (int b = 1; b < 256; ++b) {
        if (absent(char(b))) {
            *delimiter = char(b);
            return true;
        }
    }
    // Every byte occurs in the body: any d still works when the body never holds "dd" and does
    // not end with d, since the reader stops at the first "dd".
    for (int b = 1; b < 256; ++b) {
        const char d = char(b);
        if (d == '\n' || d == '\r' || headerText.contains(d)) continue;
        if (body.contains(QByteArray(2, d)) || body.endsWith(d)) continue;
        *delimiter = d;
        return true;
    }
    return false;
}

bool EncodePrintForm(const QByteArray& layout, const QByteArray& headerText, QByteArray& out)
{
    const QByteArray body = EncodeDownloadForm(layout);
    char d = 0;
    if (!ChooseDelimiter(body, headerText, &d)) return false;
    out.clear();
    out.reserve(body.size() + headerText.size() + 4);
    out += d;
    out += headerText;
    out += d;
    out += body;
    out += d;
    out += d;
    return true;
}

bool DecodePrintForm(const QByteArray& bytes, QByteArray& layout, QByteArray* headerText)
{
    if (bytes.isEmpty()) return false;
    const char d = bytes[0];
    const int headerEnd = bytes.indexOf(d, 1);
    if (headerEnd < 0) return false;
    const int bodyStart = headerEnd + 1;
    const int end = bytes.indexOf(QByteArray(2, d), bodyStart);
    const QByteArray body = end < 0 ? bytes.mid(bodyStart) : bytes.mid(bodyStart, end - bodyStart);
    if (headerText) *headerText = bytes.mid(1, headerEnd - 1);
    layout = DecodeDownloadForm(body);
    return true;
}

// --- sections ---

QByteArray Escape(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (IsLiteral(b)) {
            out += c;
        } else if (b == '\\') {
            out += "\\\\";
        } else {
            out += HexEscape(b);
        }
    }
    return out;
}

bool Unescape(const QByteArray& text, QByteArray& bytes)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 1 >= text.size()) return false;
        if (text[i + 1] == '\\') {
            out += '\\';
            ++i;
            continue;
        }
        if (text[i + 1] != 'x' || i + 3 >= text.size()) return false;
        const int hi = HexValue(text[i + 2]);
        const int lo = HexValue(text[i + 3]);
        if (hi < 0 || lo < 0) return false;
        out += char(hi * 16 + lo);
        i += 3;
    }
    bytes = out;
    return true;
}

QList<QByteArray> EncodeSection(int slot, const QByteArray& layout)
{
    QList<QByteArray> lines;
    lines.append(QByteArray(kSectionStart) + QByteArray::number(slot) + ':' + QByteArray::number(layout.size()) + ':');
    const int room = kMaxDataLineLength - kPrefixLength;
    for (const QByteArray& ticketLine : layout.split('\n')) {
        QByteArray chunk;
        bool first = true;
        auto flush = [&]() {
            // A space that ends a line could be lost to trimming; spell it out.
            if (chunk.endsWith(' ')) {
                chunk.chop(1);
                chunk += HexEscape(' ');
            }
            lines.append((first ? QByteArray(kLineStart) : QByteArray(kContinuation)) + chunk);
            chunk.clear();
            first = false;
        };
        for (char c : ticketLine) {
            const QByteArray unit = Escape(QByteArray(1, c));
            if (chunk.size() + unit.size() > room - kLongestEscape) flush();
            chunk += unit;
        }
        flush();
    }
    lines.append(kSectionEnd);
    return lines;
}

QList<QByteArray> EncodeTicketData(const std::vector<SlotTicket>& tickets)
{
    QList<QByteArray> lines;
    // The marker line opens the data and tells its version.
    lines.append(QByteArray(kDataMarker) + QByteArray::number(kTicketDataVersion) + ':');
    for (const SlotTicket& t : tickets) lines += EncodeSection(t.slot, t.layout);
    return lines;
}

ParseResult ParseSections(const QByteArray& text, int maxSections)
{
    ParseResult result;
    bool inSection = false;
    bool broken = false;
    bool haveLine = false;
    QByteArray problem;
    SlotTicket current;
    int expected = 0;

    auto drop = [&](const QByteArray& why) {
        ++result.badSections;
        if (result.firstProblem.isEmpty()) {
            result.firstProblem = why + " (slot " + QByteArray::number(current.slot) + ")";
        }
        inSection = false;
    };

    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        if (inSection && line.startsWith(kSectionStart)) drop("section not closed");
        if (!inSection) {
            if (!line.startsWith(kSectionStart)) continue;
            int slot = 0;
            if (!ParseSectionHeader(line, slot, expected)) {
                current.slot = 0;
                drop("unreadable section header");
                continue;
            }
            inSection = true;
            broken = false;
            haveLine = false;
            problem.clear();
            current = SlotTicket{slot, {}};
            continue;
        }
        if (line == kSectionEnd) {
            if (broken) {
                drop(problem);
            } else if (current.layout.size() != expected) {
                drop("length does not match");
            } else {
                result.tickets.push_back(current);
                if (maxSections > 0 && int(result.tickets.size()) >= maxSections) return result;
            }
            inSection = false;
            continue;
        }
        if (broken) continue;
        QByteArray bytes;
        const bool isLine = line.startsWith(kLineStart);
        const bool isMore = line.startsWith(kContinuation);
        if (!isLine && !isMore) {
            broken = true;
            problem = "unexpected line in section";
        } else if (isMore && !haveLine) {
            broken = true;
            problem = "continuation before any line";
        } else if (!Unescape(line.mid(kPrefixLength), bytes)) {
            broken = true;
            problem = "broken escape";
        } else {
            if (isLine && haveLine) current.layout += '\n';
            current.layout += bytes;
            haveLine = true;
            if (current.layout.size() > kMaxTicketBytes) {
                broken = true;
                problem = "ticket too long";
            }
        }
    }
    if (inSection) drop("section not closed");
    return result;
}

QByteArray JoinLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

QList<QByteArray> SplitLines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (text.isEmpty() || text.endsWith('\n')) lines.removeLast();
    for (QByteArray& l : lines) {
        if (l.endsWith('\r')) l.chop(1);
    }
    return lines;
}

// --- editor text ---

QString ToEditorText(const QByteArray& layout)
{
    QString out;
    out.reserve(layout.size());
    for (char c : layout) {
        const uchar b = uchar(c);
        if (b < 0x20 && b != '\n') {
            out += QChar(ushort(kControlPictureBase + b));
        } else if (b == kDelete) {
            out += QChar(kDeletePicture);
        } else {
            out += QChar(ushort(b));
        }
    }
    return out;
}

QByteArray FromEditorText(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const ushort u = text[i].unicode();
        if (u == '\r') {
            // A typed or pasted line break; the CR itself is shown as a picture when it is data.
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        } else if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator) {
            out += '\n';
        } else if (u >= kControlPictureBase && u < kControlPictureBase + 0x20) {
            out += char(u - kControlPictureBase);
        } else if (u == kDeletePicture) {
            out += char(kDelete);
        } else if (u < 0x100) {
            out += char(u);
        } else {
            out += '?';
        }
    }
    return out;
}

// --- preview ---

int PreviewDecimals(const QByteArray& format)
{
    if (format.isEmpty()) return 1;
    const int dot = format.lastIndexOf('.');
    if (dot < 0) return 0;
    int n = 0;
    for (int i = dot + 1; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) ++n;
    return n;
}

QString RenderPreview(const QByteArray& line, const PreviewProperties& p)
{
    const QByteArray unit = p.unitText.isEmpty() ? QByteArray("lb") : p.unitText;
    const bool twelveHour = p.timeFormat.contains("12");
    const QByteArray samples[kFieldButtonCount] = {
        SampleNumber(1234.5, p.decimalFormat[0]) + ' ' + unit,
        SampleNumber(1034.5, p.decimalFormat[1]) + ' ' + unit,
        twelveHour ? QByteArray("1:45 PM") : QByteArray("13:45"),
        "2024-01-31",
        "ID000123",
        "000042",
        unit,
        "Custom text",
        SampleNumber(56789.0, p.decimalFormat[2]) + ' ' + unit,
        QByteArray(24, '-'),
        "HEADER",
        "[logo]",
    };
    QByteArray out = line;
    for (int b = 0; b < kFieldButtonCount; ++b) out.replace(FieldToken(b), samples[b]);
    // Control codes by name, as external ticket sources write them: not every font has the
    // control pictures the text area uses.
    QByteArray named;
    for (char c : out) {
        const uchar b = uchar(c);
        if (b >= 0x20 && b != kDelete) {
            named += c;
            continue;
        }
        switch (b) {
        case 0x02: named += "<STX>"; break;
        case 0x03: named += "<ETX>"; break;
        case 0x0A: named += "<LF>"; break;
        case 0x0C: named += "<FF>"; break;
        case 0x0D: named += "<CR>"; break;
        case 0x1B: named += "<ESC>"; break;
        default: named += "<0x" + QByteArray(1, kHexDigits[b >> 4]) + kHexDigits[b & 0x0F] + '>'; break;
        }
    }
    return QString::fromLatin1(named);
}

}  // namespace TicketFormats
