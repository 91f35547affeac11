// SPDX-License-Identifier: MIT
#include "CIPAddressCtrl.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "model/TextConv.h"

namespace {
constexpr int kFieldDigits = 3;
constexpr int kFieldCount = 4;
}  // namespace

CIPAddressCtrl::CIPAddressCtrl(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3, 1, 3, 1);
    row->setSpacing(0);
    const QFontMetrics fm(font());
    const int fieldWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 4;
    for (int i = 0; i < kFieldCount; ++i) {
        auto* f = new QLineEdit(this);
        f->setObjectName(QStringLiteral("field%1").arg(i));
        f->setFrame(false);
        f->setAlignment(Qt::AlignCenter);
        f->setMaxLength(kFieldDigits);
        f->setMinimumWidth(fieldWidth);
        f->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), f));
        f->installEventFilter(this);
        connect(f, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
        fields_[i] = f;
        row->addWidget(f, 1);
        if (i + 1 < kFieldCount) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignCenter);
            row->addWidget(dot);
        }
    }
    setFocusProxy(fields_[0]);
}

std::array<int, 4> CIPAddressCtrl::ParseAddress(const QByteArray& dotted)
{
    std::array<int, 4> out{0, 0, 0, 0};
    const QList<QByteArray> parts = dotted.split('.');
    for (int i = 0; i < kFieldCount && i < parts.size(); ++i) {
        // The control keeps one byte per field, so an oversized part wraps as a byte does.
        out[i] = TextConv::Atoi(parts[i]) & 0xff;
    }
    return out;
}

QByteArray CIPAddressCtrl::FormatAddress(const std::array<int, 4>& b)
{
    return TextConv::Format("%d.%d.%d.%d", {TextConv::Dec(b[0]), TextConv::Dec(b[1]), TextConv::Dec(b[2]),
                                            TextConv::Dec(b[3])});
}

void CIPAddressCtrl::SetAddress(const std::array<int, 4>& bytes)
{
    for (int i = 0; i < kFieldCount; ++i) fields_[i]->setText(QString::number(bytes[i] & 0xff));
}

void CIPAddressCtrl::SetAddressText(const QByteArray& dotted)
{
    SetAddress(ParseAddress(dotted));
}

std::array<int, 4> CIPAddressCtrl::Address() const
{
    std::array<int, 4> out{};
    for (int i = 0; i < kFieldCount; ++i) out[i] = fields_[i]->text().toInt();
    return out;
}

QByteArray CIPAddressCtrl::AddressText() const
{
    return FormatAddress(Address());
}

void CIPAddressCtrl::OnFieldEdited(int index)
{
    QLineEdit* f = fields_[index];
    int value = f->text().toInt();
    if (value > kAddressFieldMax) {
        value = kAddressFieldMax;
        f->setText(QString::number(value));
    }
    Q_EMIT FieldChanged(index, value);
    if (f->text().size() == kFieldDigits && f->cursorPosition() == kFieldDigits && index + 1 < kFieldCount) {
        FocusField(index + 1, false);
    }
}

void CIPAddressCtrl::FocusField(int index, bool atEnd)
{
    QLineEdit* f = fields_[index];
    f->setFocus(Qt::OtherFocusReason);
    if (atEnd) {
        f->deselect();
        f->setCursorPosition(f->text().size());
    } else {
        f->selectAll();
    }
}

bool CIPAddressCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    int index = -1;
    for (int i = 0; i < kFieldCount; ++i) {
        if (fields_[i] == watched) index = i;
    }
    if (index < 0) return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* f = fields_[index];
    switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Space:
        if (index + 1 < kFieldCount && !f->text().isEmpty()) FocusField(index + 1, false);
        return true;
    case Qt::Key_Backspace:
        if (index > 0 && f->cursorPosition() == 0 && !f->hasSelectedText()) {
            FocusField(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Left:
        if (index > 0 && f->cursorPosition() == 0 && key->modifiers() == Qt::NoModifier) {
            FocusField(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (index + 1 < kFieldCount && f->cursorPosition() == f->text().size() &&
            key->modifiers() == Qt::NoModifier) {
            FocusField(index + 1, false);
            fields_[index + 1]->deselect();
            fields_[index + 1]->setCursorPosition(0);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
