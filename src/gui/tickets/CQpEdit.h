// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class TicketStore;

// The ticket editor widget over a TicketStore: a slot selector, the current ticket's layout
// text, the twelve field buttons (an enabled button inserts its field token at the cursor),
// the advanced mode switch and a preview of the cursor's line with sample values. Every edit
// goes back to the store at once. Enter from the main window starts a new line; Escape
// restores the ticket as it was when its slot was last selected or loaded.
class CQpEdit : public QWidget {
    Q_OBJECT
public:
    explicit CQpEdit(TicketStore& store, QWidget* parent = nullptr);

    TicketStore& Store() const { return store_; }

    QPlainTextEdit* TextArea() const { return text_; }
    QComboBox* SlotSelector() const { return slotBox_; }
    QAbstractButton* FieldButtonWidget(int button) const;
    QCheckBox* ModeBox() const { return modeBox_; }
    QLabel* PreviewLabel() const { return preview_; }

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SyncFromStore();
    void OnTextChanged();
    void OnSlotChosen(int index);
    void InsertField(int button);
    void OnKey(int key);
    void Revert();
    void UpdatePreview();

    TicketStore& store_;
    QComboBox* slotBox_ = nullptr;
    QCheckBox* modeBox_ = nullptr;
    QLabel* deviceLabel_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QLabel* preview_ = nullptr;
    QAbstractButton* buttons_[12] = {};
    // The slot whose ticket the text area holds (0 for none).
    int shownSlot_ = 0;
    // What Escape restores.
    QByteArray revertText_;
    bool syncing_ = false;
};
