// SPDX-License-Identifier: MIT
#include "TicketStore.h"

#include <QFile>
#include <QIODevice>
#include <QLoggingCategory>
#include <QSaveFile>
#include <algorithm>

#include "TicketFormats.h"

Q_LOGGING_CATEGORY(lcTickets, "tarelink.tickets", QtWarningMsg)

namespace {

// Bounds on what is read from outside; real configurations and tickets are tiny.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr qint64 kReadChunk = 64 * 1024;
constexpr int kDecimalFormatCount = 6;

bool ReadWholeFile(const QString& path, QByteArray& bytes, QByteArray& problem)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        problem = "cannot open " + QFile::encodeName(path);
        return false;
    }
    if (f.size() > kMaxFileBytes) {
        problem = "file too large: " + QFile::encodeName(path);
        return false;
    }
    bytes = f.readAll();
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QByteArray& problem)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        problem = "cannot write " + QFile::encodeName(path);
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        problem = "cannot write " + QFile::encodeName(path) + ": " + f.errorString().toLocal8Bit();
        return false;
    }
    return true;
}

// Appending after the last line: the file must end with a line end first.
QByteArray WithLineEnd(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.endsWith('\n')) return bytes;
    return bytes + "\r\n";
}

}  // namespace

struct TicketStore::Impl {
    short current = 1;
    std::vector<QByteArray> tickets;  // slot s at index s - 1
    short buttons[TicketFormats::kFieldButtonCount] = {};
    short editorMode = 0;
    bool modified = false;
    bool enabled = false;
    QString folder;
    QByteArray deviceModel;
    QByteArray deviceVersion;
    QByteArray deviceFields;
    QByteArray unitText;
    QByteArray timeFormat;
    QByteArray decimalFormats[kDecimalFormatCount];
    QByteArray problem;

    bool ValidSlot(int slot) const { return slot >= 1 && slot <= int(tickets.size()); }
    std::vector<TicketFormats::SlotTicket> All() const
    {
        std::vector<TicketFormats::SlotTicket> out;
        for (size_t i = 0; i < tickets.size(); ++i) out.push_back({int(i) + 1, tickets[i]});
        return out;
    }
};

TicketStore::TicketStore(QObject* parent) : QObject(parent), d(new Impl) {}

TicketStore::~TicketStore()
{
    delete d;
}

short TicketStore::CurrentTicket() const
{
    return d->current;
}

void TicketStore::SetCurrentTicket(short slot)
{
    if (slot == d->current) return;
    d->current = slot;
    Q_EMIT Changed();
}

short TicketStore::TicketCount() const
{
    return short(d->tickets.size());
}

void TicketStore::SetTicketCount(short count)
{
    const int n = std::max<int>(0, count);
    if (n == int(d->tickets.size())) return;
    d->tickets.resize(size_t(n));
    d->current = short(std::clamp<int>(d->current, 1, std::max(1, n)));
    Q_EMIT Changed();
}

QByteArray TicketStore::Ticket(int slot) const
{
    return d->ValidSlot(slot) ? d->tickets[size_t(slot - 1)] : QByteArray();
}

void TicketStore::SetTicket(int slot, const QByteArray& layout)
{
    if (!d->ValidSlot(slot)) return;
    QByteArray& t = d->tickets[size_t(slot - 1)];
    if (t == layout) return;
    t = layout;
    d->modified = true;
    Q_EMIT Changed();
}

short TicketStore::SaveTicketToFile(const QString& path, short format)
{
    d->problem.clear();
    if (!d->ValidSlot(d->current)) {
        d->problem = "no ticket in slot " + QByteArray::number(d->current);
        return 0;
    }
    const QByteArray& layout = d->tickets[size_t(d->current - 1)];
    QByteArray bytes;
    if (format == 0) {
        bytes = TicketFormats::EncodeDownloadForm(layout);
    } else if (format == 1) {
        const QByteArray header = "TKT:" + QByteArray::number(d->current) + ':' + d->deviceModel + ':'
            + d->deviceVersion + ':';
        if (!TicketFormats::EncodePrintForm(layout, header, bytes)) {
            d->problem = "no delimiter fits this ticket";
            return 0;
        }
    } else {
        d->problem = "unknown ticket format " + QByteArray::number(format);
        return 0;
    }
    if (!WriteWholeFile(path, bytes, d->problem)) {
        qCDebug(lcTickets) << d->problem;
        return 0;
    }
    return 1;
}

short TicketStore::ImportTicket(const QString& path, short)
{
    d->problem.clear();
    if (!d->ValidSlot(d->current)) {
        d->problem = "no slot to import into";
        return 0;
    }
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes, d->problem)) return 0;
    const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(bytes, 1);
    if (parsed.tickets.empty()) {
        d->problem = parsed.badSections ? parsed.firstProblem : QByteArray("no ticket in the file");
        qCDebug(lcTickets) << "import" << path << d->problem;
        return 0;
    }
    SetTicket(d->current, parsed.tickets.front().layout);
    return 1;
}

short TicketStore::WriteTicketsToFile(const QString& path)
{
    d->problem.clear();
    if (!d->ValidSlot(d->current)) {
        d->problem = "no ticket in slot " + QByteArray::number(d->current);
        return 0;
    }
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes, d->problem)) return 0;
    // The export cut takes the first section after the slots section: the current slot's.
    QList<QByteArray> lines = TicketFormats::EncodeSection(d->current, d->tickets[size_t(d->current - 1)]);
    for (int slot = 1; slot <= int(d->tickets.size()); ++slot) {
        if (slot != d->current) lines += TicketFormats::EncodeSection(slot, d->tickets[size_t(slot - 1)]);
    }
    if (!WriteWholeFile(path, WithLineEnd(bytes) + TicketFormats::JoinLines(lines), d->problem)) return 0;
    return 1;
}

QByteArray TicketStore::TicketData() const
{
    if (d->tickets.empty()) return QByteArray();
    return TicketFormats::JoinLines(TicketFormats::EncodeTicketData(d->All()));
}

short TicketStore::LoadTicketData(QIODevice& stream, short)
{
    d->problem.clear();
    // Read in chunks: the stream may be a pipe or a socket whose size is unknown.
    QByteArray bytes;
    while (!stream.atEnd()) {
        const QByteArray chunk = stream.read(kReadChunk);
        if (chunk.isEmpty()) break;
        // Past the bound the rest is drained to the end of the stream, not kept.
        if (!d->problem.isEmpty() || bytes.size() + chunk.size() > kMaxFileBytes) {
            d->problem = "ticket data too long";
            continue;
        }
        bytes += chunk;
    }
    // A new document: every slot starts empty, then takes what the file holds for it.
    for (QByteArray& t : d->tickets) t.clear();
    const TicketFormats::ParseResult parsed = TicketFormats::ParseSections(bytes);
    for (const TicketFormats::SlotTicket& t : parsed.tickets) {
        if (d->ValidSlot(t.slot)) {
            d->tickets[size_t(t.slot - 1)] = t.layout;
        } else {
            qCDebug(lcTickets) << "ticket data for slot" << t.slot << "beyond the slot count" << d->tickets.size();
        }
    }
    if (parsed.badSections && d->problem.isEmpty()) d->problem = parsed.firstProblem;
    d->modified = false;
    Q_EMIT Changed();
    if (!d->problem.isEmpty()) {
        qCDebug(lcTickets) << "ticket data:" << d->problem;
        return 0;
    }
    return 1;
}

short TicketStore::IsTicketModified() const
{
    return d->modified ? 1 : 0;
}

void TicketStore::SetTicketFolder(const QString& folder)
{
    d->folder = folder;
}

QString TicketStore::TicketFolder() const
{
    return d->folder;
}

void TicketStore::EnableEditor(short enable)
{
    const bool on = enable != 0;
    if (on == d->enabled) return;
    d->enabled = on;
    Q_EMIT Changed();
}

bool TicketStore::IsEditorEnabled() const
{
    return d->enabled;
}

void TicketStore::SendKey(int key, int, int)
{
    Q_EMIT KeySent(key);
}

void TicketStore::SetFieldButton(short button, short state)
{
    if (button < 0 || button >= TicketFormats::kFieldButtonCount || d->buttons[button] == state) return;
    d->buttons[button] = state;
    Q_EMIT Changed();
}

short TicketStore::FieldButton(short button) const
{
    return button >= 0 && button < TicketFormats::kFieldButtonCount ? d->buttons[button] : 0;
}

short TicketStore::EditorMode() const
{
    return d->editorMode;
}

void TicketStore::SetEditorMode(short mode)
{
    if (mode == d->editorMode) return;
    d->editorMode = mode;
    // Custom text belongs to the advanced mode; once the buttons are set up it follows the mode.
    constexpr short kCustomTextButton = 7;
    if (d->buttons[kCustomTextButton] != 0) d->buttons[kCustomTextButton] = mode == 1 ? 2 : 1;
    Q_EMIT Changed();
}

namespace {
void SetText(TicketStore* store, QByteArray& field, const QByteArray& text)
{
    if (field == text) return;
    field = text;
    Q_EMIT store->Changed();
}
}  // namespace

void TicketStore::SetDeviceModel(const QByteArray& text)
{
    SetText(this, d->deviceModel, text);
}

void TicketStore::SetDeviceVersion(const QByteArray& text)
{
    SetText(this, d->deviceVersion, text);
}

void TicketStore::SetDeviceFields(const QByteArray& text)
{
    SetText(this, d->deviceFields, text);
}

void TicketStore::SetUnitText(const QByteArray& text)
{
    SetText(this, d->unitText, text);
}

void TicketStore::SetTimeFormat(const QByteArray& text)
{
    SetText(this, d->timeFormat, text);
}

void TicketStore::SetDecimalFormat(int n, const QByteArray& text)
{
    if (n >= 1 && n <= kDecimalFormatCount) SetText(this, d->decimalFormats[n - 1], text);
}

QByteArray TicketStore::DeviceModel() const
{
    return d->deviceModel;
}

QByteArray TicketStore::DeviceVersion() const
{
    return d->deviceVersion;
}

QByteArray TicketStore::DeviceFields() const
{
    return d->deviceFields;
}

QByteArray TicketStore::UnitText() const
{
    return d->unitText;
}

QByteArray TicketStore::TimeFormat() const
{
    return d->timeFormat;
}

QByteArray TicketStore::DecimalFormat(int n) const
{
    return n >= 1 && n <= kDecimalFormatCount ? d->decimalFormats[n - 1] : QByteArray();
}

void TicketStore::ClearModified()
{
    d->modified = false;
}

QByteArray TicketStore::LastProblem() const
{
    return d->problem;
}
