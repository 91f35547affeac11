// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>

class ConfigEntry;

// What kind of window a generated control is. Captions and group frames are
// static decoration; the others carry their entry in their user data.
enum class ControlKind { Caption, Edit, Combo, UpDown, CheckFrame, Radio, GroupFrame, Button };

enum class ControlFont { Caption, Control };

// What a generated control reports to the command handler.
enum class ControlNotification { SelectionChanged, FocusLost, Clicked };

// A rectangle in client pixels given as left, top, right, bottom (right and bottom exclusive).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Identifier of captions and group frames.
constexpr int kNoControlId = 0xFFFF;

// Everything needed to create one generated control.
struct ControlSpec {
    ControlKind kind = ControlKind::Caption;
    int id = kNoControlId;
    ConfigEntry* entry = nullptr;  // the window user data; null for captions and frames
    PixelRect rect;
    QByteArray text;
    ControlFont font = ControlFont::Control;
    bool numeric = false;      // edit boxes: digits and one point only
    bool writable = true;      // edit boxes: accepts typing
    bool autoHScroll = true;   // edit boxes
    bool groupStart = false;   // first radio button of its group
    class EntryControl* buddy = nullptr;  // up-down: the edit box it drives
};

// One window control of an entry, seen through the operations that the model,
// the rules and the events need. The editor backs it with a widget; the core
// and the command line use PlainEntryControl.
class EntryControl {
public:
    explicit EntryControl(const ControlSpec& spec) : spec_(spec) {}
    virtual ~EntryControl() = default;
    EntryControl(const EntryControl&) = delete;
    EntryControl& operator=(const EntryControl&) = delete;

    ControlKind Kind() const { return spec_.kind; }
    int Id() const { return spec_.id; }
    ConfigEntry* Entry() const { return spec_.entry; }
    const PixelRect& Rect() const { return spec_.rect; }
    const ControlSpec& Spec() const { return spec_; }
    bool IsNumeric() const { return spec_.numeric; }
    EntryControl* Buddy() const { return spec_.buddy; }
    bool IsStatic() const { return spec_.kind == ControlKind::Caption; }

    // The window text. A drop-down list reports its selected item (empty with no selection);
    // an up-down reports nothing of its own (its buddy holds the number).
    virtual QByteArray Text() const = 0;
    // Sets the window text. A drop-down list selects the item with exactly that text, if any.
    virtual void SetText(const QByteArray& text) = 0;

    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;

    // Edit boxes: a box that is not writable refuses typing and draws read-only but stays enabled.
    virtual bool IsWritable() const = 0;
    virtual void SetWritable(bool writable) = 0;

    // Radio buttons.
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;

    // Drop-down lists.
    virtual void AddItem(const QByteArray& text) = 0;
    virtual int ItemCount() const = 0;
    virtual QByteArray ItemText(int index) const = 0;
    virtual int CurrentIndex() const = 0;
    virtual void SetCurrentIndex(int index) = 0;

    // Up-down controls: the position is clamped to the range and written into the buddy as digits.
    virtual void SetRange(int low, int high) = 0;
    virtual int Low() const = 0;
    virtual int High() const = 0;
    virtual void SetPos(int pos) = 0;
    virtual int Pos() const = 0;

    // Repaint at once (after a change of the writable flag).
    virtual void Redraw() {}

private:
    ControlSpec spec_;
};

// An in-memory control: the state a window would hold, without a window.
class PlainEntryControl final : public EntryControl {
public:
    explicit PlainEntryControl(const ControlSpec& spec);

    QByteArray Text() const override;
    void SetText(const QByteArray& text) override;
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool IsWritable() const override { return writable_; }
    void SetWritable(bool writable) override { writable_ = writable; }
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override;
    void AddItem(const QByteArray& text) override { items_.append(text); }
    int ItemCount() const override { return int(items_.size()); }
    QByteArray ItemText(int index) const override;
    int CurrentIndex() const override { return current_; }
    void SetCurrentIndex(int index) override;
    void SetRange(int low, int high) override;
    int Low() const override { return low_; }
    int High() const override { return high_; }
    void SetPos(int pos) override;
    int Pos() const override { return pos_; }

private:
    QByteArray text_;
    bool enabled_ = true;
    bool visible_ = false;
    bool writable_ = true;
    bool checked_ = false;
    QList<QByteArray> items_;
    int current_ = -1;
    int low_ = 0;
    int high_ = 100;
    int pos_ = 0;
};
