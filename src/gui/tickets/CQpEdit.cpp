// SPDX-License-Identifier: MIT
#include "CQpEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "tickets/TicketFormats.h"
#include "tickets/TicketStore.h"

namespace {

constexpr int kEnterKey = 13;
constexpr int kEscapeKey = 27;
constexpr int kButtonColumns = 6;
constexpr int kButtonOn = 2;
constexpr int kDecimalFormats = 6;
constexpr int kPreferredWidth = 520;
constexpr int kPreferredHeight = 300;

QString L1(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

}  // namespace

CQpEdit::CQpEdit(TicketStore& store, QWidget* parent) : QWidget(parent), store_(store)
{
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Slot"), this));
    slotBox_ = new QComboBox(this);
    slotBox_->setObjectName(QStringLiteral("ticketSlot"));
    top->addWidget(slotBox_);
    modeBox_ = new QCheckBox(tr("Advanced"), this);
    modeBox_->setObjectName(QStringLiteral("ticketAdvanced"));
    modeBox_->setToolTip(tr("Advanced mode: custom text fields"));
    top->addWidget(modeBox_);
    top->addStretch(1);
    deviceLabel_ = new QLabel(this);
    top->addWidget(deviceLabel_);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("ticketText"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setTabChangesFocus(true);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("ticketPreview"));
    preview_->setTextFormat(Qt::PlainText);
    preview_->setToolTip(tr("The line at the cursor with sample values"));

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int b = 0; b < TicketFormats::kFieldButtonCount; ++b) {
        auto* button = new QPushButton(L1(TicketFormats::FieldCaption(b)), this);
        button->setObjectName(QStringLiteral("ticketField%1").arg(b));
        button->setToolTip(tr("Insert %1").arg(L1(TicketFormats::FieldToken(b))));
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, [this, b]() { InsertField(b); });
        grid->addWidget(button, b / kButtonColumns, b % kButtonColumns);
        buttons_[b] = button;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(text_, 1);
    layout->addWidget(preview_);
    layout->addLayout(grid);

    connect(slotBox_, qOverload<int>(&QComboBox::activated), this, &CQpEdit::OnSlotChosen);
    connect(modeBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_) store_.SetEditorMode(on ? 1 : 0);
    });
    connect(text_, &QPlainTextEdit::textChanged, this, &CQpEdit::OnTextChanged);
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &CQpEdit::UpdatePreview);
    connect(&store_, &TicketStore::Changed, this, &CQpEdit::SyncFromStore);
    connect(&store_, &TicketStore::KeySent, this, &CQpEdit::OnKey);

    SyncFromStore();
}

QAbstractButton* CQpEdit::FieldButtonWidget(int button) const
{
    return button >= 0 && button < TicketFormats::kFieldButtonCount ? buttons_[button] : nullptr;
}

QSize CQpEdit::sizeHint() const
{
    return QSize(kPreferredWidth, kPreferredHeight);
}

void CQpEdit::SyncFromStore()
{
    syncing_ = true;
    const int count = store_.TicketCount();
    const int current = store_.CurrentTicket();
    const bool slotValid = current >= 1 && current <= count;

    if (slotBox_->count() != count) {
        slotBox_->clear();
        for (int s = 1; s <= count; ++s) slotBox_->addItem(QString::number(s));
    }
    slotBox_->setCurrentIndex(slotValid ? current - 1 : -1);

    const int slot = slotValid ? current : 0;
    const QByteArray stored = store_.Ticket(slot);
    const bool sameSlot = slot == shownSlot_;
    if (!sameSlot || TicketFormats::FromEditorText(text_->document()->toRawText()) != stored) {
        // A new slot or a change from outside (load, import, Escape): that is what Escape restores.
        text_->setPlainText(TicketFormats::ToEditorText(stored));
        revertText_ = stored;
        shownSlot_ = slot;
    }

    const bool editable = store_.IsEditorEnabled() && slotValid;
    text_->setReadOnly(!editable);
    slotBox_->setEnabled(store_.IsEditorEnabled() && count > 0);
    modeBox_->setChecked(store_.EditorMode() == 1);
    for (int b = 0; b < TicketFormats::kFieldButtonCount; ++b) {
        buttons_[b]->setEnabled(editable && store_.FieldButton(short(b)) == kButtonOn);
    }
    const QByteArray model = store_.DeviceModel();
    deviceLabel_->setText(model.isEmpty() ? QString()
                                          : tr("Model %1 %2").arg(L1(model), L1(store_.DeviceVersion())));
    syncing_ = false;
    UpdatePreview();
}

void CQpEdit::OnTextChanged()
{
    if (syncing_ || shownSlot_ == 0) return;
    // The raw text keeps non-breaking spaces (Latin-1 0xA0) that the plain text would turn into blanks.
    store_.SetTicket(shownSlot_, TicketFormats::FromEditorText(text_->document()->toRawText()));
    UpdatePreview();
}

void CQpEdit::OnSlotChosen(int index)
{
    if (syncing_ || index < 0) return;
    store_.SetCurrentTicket(short(index + 1));
}

void CQpEdit::InsertField(int button)
{
    if (text_->isReadOnly()) return;
    text_->textCursor().insertText(L1(TicketFormats::FieldToken(button)));
    text_->setFocus();
}

void CQpEdit::OnKey(int key)
{
    if (key == kEnterKey) {
        if (!text_->isReadOnly()) text_->textCursor().insertText(QStringLiteral("\n"));
    } else if (key == kEscapeKey) {
        Revert();
    }
}

void CQpEdit::Revert()
{
    if (shownSlot_ == 0 || text_->isReadOnly()) return;
    store_.SetTicket(shownSlot_, revertText_);
}

void CQpEdit::keyPressEvent(QKeyEvent* event)
{
    // The text area ignores Escape and passes it up here.
    if (event->key() == Qt::Key_Escape) {
        Revert();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CQpEdit::UpdatePreview()
{
    TicketFormats::PreviewProperties p;
    p.unitText = store_.UnitText();
    p.timeFormat = store_.TimeFormat();
    for (int n = 0; n < kDecimalFormats; ++n) p.decimalFormat[n] = store_.DecimalFormat(n + 1);
    const QByteArray line = TicketFormats::FromEditorText(text_->textCursor().block().text());
    preview_->setText(TicketFormats::RenderPreview(line, p));
}
