// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <memory>
#include <vector>

#include "model/ConfigModel.h"
#include "model/EntryControl.h"

class ReportPrinter;

// What the workbench asks of the window: pages and their controls, the tab control, the
// busy and progress windows, menu states, the ticket editor's visibility. The window
// implements it with widgets; the command line and the core tests with HeadlessView.
class View {
public:
    virtual ~View() = default;

    // The printers the report can go to; null where there are none to offer (no window).
    virtual ReportPrinter* Printer() { return nullptr; }

    // Generated controls (children of the page area, created hidden).
    virtual std::unique_ptr<EntryControl> CreateControl(const ControlSpec& spec) = 0;
    virtual void AddToolTip(EntryControl* control, const QByteArray& text) = 0;
    virtual void RemoveToolTip(EntryControl* control) = 0;

    // The tab control.
    virtual void SetTabs(const std::vector<TabItem>& tabs) = 0;
    virtual void ShowTabControl(bool show) = 0;
    virtual void SelectTab(int index) = 0;
    virtual void FocusTabControl() = 0;

    // The ticket editor and the hidden Apply button.
    virtual void ShowTicketEditor(bool show) = 0;
    virtual void EnableApplyButton(bool enable) = 0;

    // Menu items.
    virtual void SetCommandEnabled(int id, bool enabled) = 0;
    virtual void SetCommandText(int id, const QByteArray& text) = 0;
    virtual void SetCommandChecked(int id, bool checked) = 0;

    // The busy window: shown over the main window with its animation.
    virtual void ShowBusy(const QByteArray& text) = 0;
    virtual void SetBusyMessage(const QByteArray& text) = 0;
    virtual void CloseBusy() = 0;
    virtual bool BusyExists() const = 0;

    // The progress window with its two bars and Abort.
    virtual void ShowProgress() = 0;
    virtual void SetProgressText(const QByteArray& text) = 0;
    virtual void InitUpperBar(int low, int high) = 0;
    virtual void InitLowerBar(int low, int high) = 0;
    virtual void SetUpperPos(int pos) = 0;
    virtual void SetLowerPos(int pos) = 0;
    virtual void SetProgressActivity(bool active) = 0;
    virtual bool AbortRequested() const = 0;
    virtual void CloseProgress() = 0;
    virtual bool ProgressExists() const = 0;

    // The remote-session picture.
    virtual void ShowSessionPicture(bool show) = 0;

    // Sound for the log kinds that have one (Error and Warning).
    virtual void Beep(int kind) = 0;
    // Paint now (the window's UpdateWindow / UpdateData(FALSE)).
    virtual void Refresh() = 0;
    // Ends the program's window (Exit).
    virtual void CloseWindow() = 0;
};

// A view without windows: controls are PlainEntryControl, everything else is remembered
// so tests and the command line can look at it.
class HeadlessView : public View {
public:
    std::unique_ptr<EntryControl> CreateControl(const ControlSpec& spec) override;
    void AddToolTip(EntryControl* control, const QByteArray& text) override;
    void RemoveToolTip(EntryControl* control) override;
    void SetTabs(const std::vector<TabItem>& t) override { tabs = t; }
    void ShowTabControl(bool show) override { tabControlVisible = show; }
    void SelectTab(int index) override { selectedTab = index; }
    void FocusTabControl() override {}
    void ShowTicketEditor(bool show) override { ticketEditorVisible = show; }
    void EnableApplyButton(bool enable) override { applyEnabled = enable; }
    void SetCommandEnabled(int id, bool enabled) override;
    void SetCommandText(int id, const QByteArray& text) override;
    void SetCommandChecked(int id, bool checked) override;
    void ShowBusy(const QByteArray& text) override;
    void SetBusyMessage(const QByteArray& text) override;
    void CloseBusy() override { busyVisible = false; }
    bool BusyExists() const override { return busyVisible; }
    void ShowProgress() override;
    void SetProgressText(const QByteArray& text) override { progressText = text; }
    void InitUpperBar(int low, int high) override;
    void InitLowerBar(int low, int high) override;
    void SetUpperPos(int pos) override { upperPos = pos; }
    void SetLowerPos(int pos) override { lowerPos = pos; }
    void SetProgressActivity(bool active) override { progressActivity = active; }
    bool AbortRequested() const override { return abortRequested; }
    void CloseProgress() override { progressVisible = false; }
    bool ProgressExists() const override { return progressVisible; }
    void ShowSessionPicture(bool show) override { sessionPictureVisible = show; }
    void Beep(int kind) override { beeps.push_back(kind); }
    void Refresh() override {}
    void CloseWindow() override { closed = true; }

    bool IsCommandEnabled(int id) const;
    QByteArray CommandText(int id) const;

    std::vector<TabItem> tabs;
    bool tabControlVisible = false;
    int selectedTab = -1;
    bool ticketEditorVisible = false;
    bool applyEnabled = false;
    bool busyVisible = false;
    std::vector<QByteArray> busyMessages;
    bool progressVisible = false;
    QByteArray progressText;
    int upperLow = 0, upperHigh = 0, upperPos = 0;
    int lowerLow = 0, lowerHigh = 0, lowerPos = 0;
    bool progressActivity = false;
    bool abortRequested = false;
    bool sessionPictureVisible = false;
    std::vector<int> beeps;
    bool closed = false;
    int toolTipCount = 0;

    struct CommandState {
        int id = 0;
        bool enabled = true;
        bool checked = false;
        QByteArray text;
        bool hasText = false;
    };
    std::vector<CommandState> commands;

private:
    CommandState& State(int id);
};
