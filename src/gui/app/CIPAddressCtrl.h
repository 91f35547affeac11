// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFrame>
#include <array>

class QLineEdit;

// An IPv4 address entry: four fields of 0 to 255 in one box. Typing three digits or a dot
// moves on to the next field; Backspace in an empty field goes back. A blank field reads
// as 0. Every edit of a field is reported at once.
class CIPAddressCtrl : public QFrame {
    Q_OBJECT
public:
    explicit CIPAddressCtrl(QWidget* parent = nullptr);

    // Sets the four fields; each value is taken as a byte.
    void SetAddress(const std::array<int, 4>& bytes);
    // Sets the fields from a dotted text read part by part: each part's leading digits, a
    // missing part 0.
    void SetAddressText(const QByteArray& dotted);
    std::array<int, 4> Address() const;
    // The address as "%d.%d.%d.%d".
    QByteArray AddressText() const;

    QLineEdit* Field(int index) const { return fields_[index]; }

    // The four bytes of a dotted text, read as SetAddressText reads it.
    static std::array<int, 4> ParseAddress(const QByteArray& dotted);
    static QByteArray FormatAddress(const std::array<int, 4>& bytes);

Q_SIGNALS:
    // The user changed field `index` (0 to 3) to `value`.
    void FieldChanged(int index, int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFieldEdited(int index);
    void FocusField(int index, bool atEnd);

    std::array<QLineEdit*, 4> fields_{};
};

inline constexpr int kAddressFieldMax = 255;
