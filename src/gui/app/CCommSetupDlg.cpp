// SPDX-License-Identifier: MIT
#include "CCommSetupDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSerialPortInfo>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "CIPAddressCtrl.h"
#include "model/TextConv.h"

Q_DECLARE_LOGGING_CATEGORY(lcDialogs)

namespace {

const char kDisconnectText[] = "This will close the current device configuration, Continue?";
const char kDisconnectCaption[] = "Disconnect";
const char kPositiveIntegerText[] = "Please enter a positive integer.";

QString L1(const QByteArray& b)
{
    return QString::fromLatin1(b);
}

QComboBox* MakeCombo(QWidget* parent, const char* name, QStringList items, bool sorted)
{
    if (sorted) CCommSetupDlg::SortItems(items);
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    // A typed value stays a typed value: no completion, and it is never added to the list.
    c->setCompleter(nullptr);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    return c;
}

// Puts a stored value into a combo the way the list's own select-string works: the item that
// equals it, else the first item that begins with it (ignoring case), else the bare text.
void SetComboText(QComboBox* c, const QByteArray& value)
{
    const QString v = L1(value);
    int index = v.isEmpty() ? -1 : c->findText(v, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && !v.isEmpty()) index = c->findText(v, Qt::MatchStartsWith);
    c->setCurrentIndex(index);
    if (index < 0) c->setEditText(v);
}

QByteArray ComboText(const QComboBox* c)
{
    return c->currentText().toLatin1();
}

QLineEdit* MakeNumberEdit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

// Widths of the controls in dialog units, as the dialog was laid out: a dialog unit across
// is a quarter of the font's average character width.
constexpr int kPortWidthDlu = 60;
constexpr int kPortSpeedWidthDlu = 51;
constexpr int kBitsWidthDlu = 35;
constexpr int kParityWidthDlu = 39;
constexpr int kAddressWidthDlu = 100;
constexpr int kPortNumberWidthDlu = 75;
constexpr int kTimeOutWidthDlu = 40;
// A port list is wide enough for a device path such as "/dev/ttyUSB0".
constexpr int kPortNameChars = 12;

int DluToPixelsX(const QFontMetrics& metrics, int units)
{
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int average = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return (units * average + 2) / 4;
}

// Gives a control its dialog-unit width, or what it needs to show its items when that is more.
void FixWidth(QWidget* w, int units)
{
    w->setFixedWidth(std::max(DluToPixelsX(w->fontMetrics(), units), w->minimumSizeHint().width()));
}

QStringList ComPorts(int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i) out << QStringLiteral("COM%1").arg(i);
    return out;
}

// The serial devices this machine has, by their device paths.
QStringList DetectedPorts()
{
    QStringList out;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        const QString path = info.systemLocation();
        if (!path.isEmpty() && !out.contains(path)) out << path;
    }
    return out;
}

}  // namespace

void CCommSetupDlg::SortItems(QStringList& items)
{
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

QStringList CCommSetupDlg::PrimaryItems()
{
    QStringList items = ComPorts(kPrimaryComPorts);
    items << QString::fromLatin1(kTcpPortName);
    for (const QString& p : DetectedPorts()) {
        if (!items.contains(p)) items << p;
    }
    SortItems(items);
    return items;
}

QStringList CCommSetupDlg::AlternateItems()
{
    QStringList items = ComPorts(kAlternateComPorts);
    items << QStringLiteral("NONE");
    // The ticket printer hangs on a serial port too; offer this machine's devices by path.
    for (const QString& p : DetectedPorts()) {
        if (!items.contains(p)) items << p;
    }
    SortItems(items);
    return items;
}

CCommSetupDlg::CCommSetupDlg(CommSettings& settings, Prompts& prompts, bool linkOpen, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), linkOpen_(linkOpen)
{
    setObjectName(QStringLiteral("CCommSetupDlg"));
    setWindowTitle(QStringLiteral("Communication settings"));

    // Port type
    auto* portType = new QGroupBox(QStringLiteral("Port type"), this);
    primary_ = MakeCombo(portType, "primary", PrimaryItems(), false);
    alternate_ = MakeCombo(portType, "alternate", AlternateItems(), false);
    auto* primaryLabel = new QLabel(QStringLiteral("Primary"), portType);
    primaryLabel->setBuddy(primary_);
    auto* alternateLabel = new QLabel(QStringLiteral("Alternate"), portType);
    alternateLabel->setBuddy(alternate_);
    for (QComboBox* c : {primary_, alternate_}) {
        // The list of this machine's devices must not widen the dialog.
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(kPortNameChars);
        FixWidth(c, kPortWidthDlu);
    }
    auto* portRow = new QHBoxLayout(portType);
    portRow->addWidget(primaryLabel);
    portRow->addWidget(primary_);
    portRow->addSpacing(12);
    portRow->addWidget(alternateLabel);
    portRow->addWidget(alternate_);
    portRow->addStretch(1);

    // Serial setup
    auto* serial = new QGroupBox(QStringLiteral("Serial setup"), this);
    portSpeed_ = MakeCombo(serial, "portSpeed",
                           {QStringLiteral("38400"), QStringLiteral("19200"), QStringLiteral("9600"),
                            QStringLiteral("4800"), QStringLiteral("2400"), QStringLiteral("1200")},
                           false);
    dataBits_ = MakeCombo(serial, "dataBits", {QStringLiteral("8 bits"), QStringLiteral("7 bits")}, true);
    stopBits_ = MakeCombo(serial, "stopBits", {QStringLiteral("1 bit"), QStringLiteral("2 bits")}, true);
    parity_ = MakeCombo(serial, "parity", {QStringLiteral("None"), QStringLiteral("Even"), QStringLiteral("Odd")},
                        true);
    auto* serialGrid = new QGridLayout(serial);
    const std::tuple<const char*, QComboBox*, int> serialControls[] = {{"Port speed", portSpeed_, kPortSpeedWidthDlu},
                                                                       {"Data bits", dataBits_, kBitsWidthDlu},
                                                                       {"Stop bits", stopBits_, kBitsWidthDlu},
                                                                       {"Parity", parity_, kParityWidthDlu}};
    int column = 0;
    for (const auto& [label, combo, width] : serialControls) {
        auto* l = new QLabel(QString::fromLatin1(label), serial);
        l->setBuddy(combo);
        FixWidth(combo, width);
        serialGrid->addWidget(l, 0, column);
        serialGrid->addWidget(combo, 1, column);
        ++column;
    }
    serialGrid->setColumnStretch(column, 1);

    // TCP/IP setup
    auto* tcp = new QGroupBox(QStringLiteral("TCP/IP setup"), this);
    address_ = new CIPAddressCtrl(tcp);
    address_->setObjectName(QStringLiteral("address"));
    portNumber_ = MakeNumberEdit(tcp, "portNumber");
    timeOut_ = MakeNumberEdit(tcp, "timeOut");
    hostServer_ = new CIPAddressCtrl(tcp);
    hostServer_->setObjectName(QStringLiteral("hostServer"));
    auto* tcpGrid = new QGridLayout(tcp);
    const std::tuple<const char*, QWidget*, int> tcpControls[] = {{"Address", address_, kAddressWidthDlu},
                                                                  {"Port number", portNumber_, kPortNumberWidthDlu},
                                                                  {"Time out ", timeOut_, kTimeOutWidthDlu}};
    column = 0;
    for (const auto& [label, control, width] : tcpControls) {
        auto* l = new QLabel(QString::fromLatin1(label), tcp);
        l->setBuddy(control);
        FixWidth(control, width);
        tcpGrid->addWidget(l, 0, column);
        tcpGrid->addWidget(control, 1, column);
        ++column;
    }
    FixWidth(hostServer_, kAddressWidthDlu);
    auto* hostLabel = new QLabel(QStringLiteral("Host server for remote session"), tcp);
    hostLabel->setBuddy(hostServer_);
    tcpGrid->addWidget(hostLabel, 2, 0, Qt::AlignRight);
    tcpGrid->addWidget(hostServer_, 2, 1, 1, 2, Qt::AlignLeft);
    tcpGrid->setColumnStretch(column, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCommSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCommSetupDlg::reject);

    auto* all = new QVBoxLayout(this);
    // A dialog of fixed size, as small as its controls allow.
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addWidget(portType);
    all->addWidget(serial);
    all->addWidget(tcp);
    all->addWidget(buttons);

    connect(primary_, &QComboBox::activated, this, [this](int index) { ApplyPortType(primary_->itemText(index)); });
    // A device path is typed rather than picked; the controls follow what is typed as well.
    connect(primary_->lineEdit(), &QLineEdit::textEdited, this, &CCommSetupDlg::ApplyPortType);
    connect(address_, &CIPAddressCtrl::FieldChanged, this,
            [this] { settings_.remoteAddress = address_->AddressText(); });
    connect(hostServer_, &CIPAddressCtrl::FieldChanged, this,
            [this] { settings_.serverAddress = hostServer_->AddressText(); });

    OnInitDialog();
}

void CCommSetupDlg::OnInitDialog()
{
    address_->SetAddressText(settings_.remoteAddress);
    hostServer_->SetAddressText(settings_.serverAddress);
    SetComboText(primary_, settings_.port);
    SetComboText(alternate_, settings_.alternatePort);
    SetComboText(portSpeed_, settings_.baudRate);
    SetComboText(dataBits_, settings_.dataBits);
    SetComboText(stopBits_, settings_.stopBits);
    SetComboText(parity_, settings_.parity);
    portNumber_->setText(L1(settings_.remotePort));
    timeOut_->setText(QString::number(settings_.tcpIpTimeout));
    ApplyPortType(L1(settings_.port));
}

void CCommSetupDlg::ApplyPortType(const QString& port)
{
    const bool tcp = port == QLatin1String(kTcpPortName);
    for (QWidget* w : {static_cast<QWidget*>(portSpeed_), static_cast<QWidget*>(dataBits_),
                       static_cast<QWidget*>(stopBits_), static_cast<QWidget*>(parity_)}) {
        w->setEnabled(!tcp);
    }
    for (QWidget* w : {static_cast<QWidget*>(portNumber_), static_cast<QWidget*>(address_),
                       static_cast<QWidget*>(timeOut_)}) {
        w->setEnabled(tcp);
    }
}

void CCommSetupDlg::Complain(const QByteArray& text)
{
    prompts_.MessageBox(text, QByteArray(), Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
}

bool CCommSetupDlg::TransferControls()
{
    // Everything is checked before anything is stored, so a refused OK changes nothing.
    const QString timeoutText = timeOut_->text().trimmed();
    const bool digitsOnly = !timeoutText.isEmpty() &&
                            std::all_of(timeoutText.begin(), timeoutText.end(), [](QChar c) { return c.isDigit(); });
    bool refused = false;
    unsigned timeout = 0;
    if (!digitsOnly) {
        Complain(kPositiveIntegerText);
        refused = true;
    } else {
        bool fits = false;
        const qulonglong v = timeoutText.toULongLong(&fits);
        if (!fits || v < kTcpIpTimeoutMin || v > kTcpIpTimeoutMax) {
            Complain(TextConv::Format("Please enter an integer between %d and %d.",
                                      {TextConv::Dec(kTcpIpTimeoutMin), TextConv::Dec(kTcpIpTimeoutMax)}));
            refused = true;
        } else {
            timeout = unsigned(v);
        }
    }
    if (refused) {
        qCDebug(lcDialogs) << "time-out refused:" << timeoutText;
        timeOut_->setFocus(Qt::OtherFocusReason);
        timeOut_->selectAll();
        return false;
    }

    settings_.dataBits = ComboText(dataBits_);
    settings_.port = ComboText(primary_);
    settings_.baudRate = ComboText(portSpeed_);
    settings_.remotePort = portNumber_->text().toLatin1();
    settings_.stopBits = ComboText(stopBits_);
    settings_.parity = ComboText(parity_);
    settings_.alternatePort = ComboText(alternate_);
    settings_.tcpIpTimeout = timeout;
    return true;
}

void CCommSetupDlg::accept()
{
    if (linkOpen_) {
        const Prompts::Answer a = prompts_.MessageBox(kDisconnectText, kDisconnectCaption, Prompts::Buttons::YesNo,
                                                      Prompts::Icon::Question);
        if (a != Prompts::Answer::Yes) {
            reject();
            return;
        }
    }
    if (!TransferControls()) return;
    settings_.remoteAddress = address_->AddressText();
    settings_.serverAddress = hostServer_->AddressText();
    QDialog::accept();
}
