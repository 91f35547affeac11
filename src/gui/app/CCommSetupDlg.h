// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QStringList>

#include "platform/CommSettings.h"
#include "platform/Prompts.h"

class CIPAddressCtrl;
class QComboBox;
class QLineEdit;

// "Communication settings": the serial port and its line settings, or TCP/IP with address,
// port and time-out, plus the host of a remote session. It edits the settings record in
// place: an address takes effect as soon as one of its fields changes (even if the dialog is
// then cancelled), everything else only on OK. Its questions go through the given prompts.
class CCommSetupDlg : public QDialog {
    Q_OBJECT
public:
    // `linkOpen`: a device link is up, so OK first asks whether to disconnect.
    CCommSetupDlg(CommSettings& settings, Prompts& prompts, bool linkOpen, QWidget* parent = nullptr);

    QComboBox* PrimaryCombo() const { return primary_; }
    QComboBox* AlternateCombo() const { return alternate_; }
    QComboBox* PortSpeedCombo() const { return portSpeed_; }
    QComboBox* DataBitsCombo() const { return dataBits_; }
    QComboBox* StopBitsCombo() const { return stopBits_; }
    QComboBox* ParityCombo() const { return parity_; }
    CIPAddressCtrl* AddressCtrl() const { return address_; }
    QLineEdit* PortNumberEdit() const { return portNumber_; }
    QLineEdit* TimeOutEdit() const { return timeOut_; }
    CIPAddressCtrl* HostServerCtrl() const { return hostServer_; }

    // The items of the Primary list: "COM1" to "COM18", "TCP/IP" and the serial ports found on
    // this machine, sorted as the list shows them.
    static QStringList PrimaryItems();
    static QStringList AlternateItems();
    // Orders items as a sorted list box does: case-insensitively, character by character.
    static void SortItems(QStringList& items);

public Q_SLOTS:
    // OK: the disconnect question, then the checks; stays open when a check fails.
    void accept() override;

private:
    void OnInitDialog();
    // Greys the serial or the TCP/IP controls for the chosen primary port.
    void ApplyPortType(const QString& port);
    // Checks the controls and, when they pass, stores them in the record.
    bool TransferControls();
    void Complain(const QByteArray& text);

    CommSettings& settings_;
    Prompts& prompts_;
    bool linkOpen_;

    QComboBox* primary_;
    QComboBox* alternate_;
    QComboBox* portSpeed_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* parity_;
    CIPAddressCtrl* address_;
    QLineEdit* portNumber_;
    QLineEdit* timeOut_;
    CIPAddressCtrl* hostServer_;
};

// The accepted TCP/IP time-out, in milliseconds.
inline constexpr unsigned kTcpIpTimeoutMin = 100;
inline constexpr unsigned kTcpIpTimeoutMax = 30000;
// The serial port names offered: "COM1" to "COM18" as primary, "COM1" to "COM9" as alternate.
inline constexpr int kPrimaryComPorts = 18;
inline constexpr int kAlternateComPorts = 9;
