// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

class QIODevice;

// The ticket editor's data and its named interface: one ticket layout per slot
// (1 to TicketCount), the field buttons, the formats shown, and the file forms.
// The CQpEdit widget shows and edits a store; the command line uses one directly.
// The file formats are described in docs/ticket-formats.md.
class TicketStore : public QObject {
    Q_OBJECT
public:
    explicit TicketStore(QObject* parent = nullptr);
    ~TicketStore() override;

    // Slot selection and count. Changing the count keeps the tickets of the slots that remain.
    short CurrentTicket() const;
    void SetCurrentTicket(short slot);
    short TicketCount() const;
    void SetTicketCount(short count);

    // The layout text of a slot (1-based); LF-separated lines of 8-bit text with field tokens.
    QByteArray Ticket(int slot) const;
    void SetTicket(int slot, const QByteArray& layout);

    // Writes the current ticket: format 0 is the download form (.dvc), 1 the print form (.tkt).
    // Returns 0 on failure.
    short SaveTicketToFile(const QString& path, short format);
    // Loads an exported ticket (.vtk) into the current slot. Returns 0 on failure.
    short ImportTicket(const QString& path, short flags);
    // Appends the export sections to a configuration file just written.
    short WriteTicketsToFile(const QString& path);
    // The ticket data that goes after the slots section of a saved configuration (empty
    // without slots).
    QByteArray TicketData() const;
    // Reads ticket data from the reader's stream to its end.
    short LoadTicketData(QIODevice& stream, short flags);
    short IsTicketModified() const;
    void SetTicketFolder(const QString& folder);
    QString TicketFolder() const;
    void EnableEditor(short enable);
    bool IsEditorEnabled() const;
    // Enter (13) or Escape (27) forwarded from the main window on the print page.
    void SendKey(int key, int a, int b);
    // Field buttons 0 to 11; state 1 is off, 2 is on.
    void SetFieldButton(short button, short state);
    short FieldButton(short button) const;
    short EditorMode() const;
    void SetEditorMode(short mode);

    // Text properties set by the main window.
    void SetDeviceModel(const QByteArray& text);
    void SetDeviceVersion(const QByteArray& text);
    void SetDeviceFields(const QByteArray& text);
    void SetUnitText(const QByteArray& text);
    void SetTimeFormat(const QByteArray& text);
    // n is 1 to 6.
    void SetDecimalFormat(int n, const QByteArray& text);
    QByteArray DeviceModel() const;
    QByteArray DeviceVersion() const;
    QByteArray DeviceFields() const;
    QByteArray UnitText() const;
    QByteArray TimeFormat() const;
    QByteArray DecimalFormat(int n) const;

    // Marks the store unmodified (after the data was loaded or saved).
    void ClearModified();
    // Why the last file method returned 0 (empty after a success).
    QByteArray LastProblem() const;

Q_SIGNALS:
    // Something the widget shows changed (slots, current slot, text, buttons, properties).
    void Changed();
    void KeySent(int key);

private:
    struct Impl;
    Impl* d;
};
