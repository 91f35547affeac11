// SPDX-License-Identifier: MIT
// Placeholder: replaced by the ticket store.
#include "TicketStore.h"
#include <QIODevice>
struct TicketStore::Impl { short current = 1; short count = 0; short buttons[12] = {}; QString folder; };
TicketStore::TicketStore(QObject* p) : QObject(p), d(new Impl) {}
TicketStore::~TicketStore() { delete d; }
short TicketStore::CurrentTicket() const { return d->current; }
void TicketStore::SetCurrentTicket(short s) { d->current = s; }
short TicketStore::TicketCount() const { return d->count; }
void TicketStore::SetTicketCount(short c) { d->count = c; }
QByteArray TicketStore::Ticket(int) const { return {}; }
void TicketStore::SetTicket(int, const QByteArray&) {}
short TicketStore::SaveTicketToFile(const QString&, short) { return 0; }
short TicketStore::ImportTicket(const QString&, short) { return 0; }
short TicketStore::WriteTicketsToFile(const QString&) { return 0; }
short TicketStore::AppendTicketData(const QString&) { return 0; }
short TicketStore::LoadTicketData(QIODevice& s, short) { s.readAll(); return 1; }
short TicketStore::IsTicketModified() const { return 0; }
void TicketStore::SetTicketFolder(const QString& f) { d->folder = f; }
QString TicketStore::TicketFolder() const { return d->folder; }
void TicketStore::EnableEditor(short) {}
bool TicketStore::IsEditorEnabled() const { return false; }
void TicketStore::SendKey(int k, int, int) { Q_EMIT KeySent(k); }
void TicketStore::SetFieldButton(short b, short s) { if (b >= 0 && b < 12) d->buttons[b] = s; }
short TicketStore::FieldButton(short b) const { return b >= 0 && b < 12 ? d->buttons[b] : 0; }
short TicketStore::EditorMode() const { return 0; }
void TicketStore::SetEditorMode(short) {}
void TicketStore::SetDeviceModel(const QByteArray&) {}
void TicketStore::SetDeviceVersion(const QByteArray&) {}
void TicketStore::SetDeviceFields(const QByteArray&) {}
void TicketStore::SetUnitText(const QByteArray&) {}
void TicketStore::SetTimeFormat(const QByteArray&) {}
void TicketStore::SetDecimalFormat(int, const QByteArray&) {}
QByteArray TicketStore::DeviceModel() const { return {}; }
QByteArray TicketStore::DeviceVersion() const { return {}; }
QByteArray TicketStore::DeviceFields() const { return {}; }
QByteArray TicketStore::UnitText() const { return {}; }
QByteArray TicketStore::TimeFormat() const { return {}; }
QByteArray TicketStore::DecimalFormat(int) const { return {}; }
void TicketStore::ClearModified() {}
