// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <memory>

#include "platform/View.h"

class CSendCfgDlg;
class CWeighsetDlg;
class CWorkingDlg;
class ControlFactory;
class QtReportPrinter;
class Workbench;

// The workbench's view of the main window: generated controls on the page area, the tab
// bar, the ticket editor, menu states, the busy and progress windows, the sounds.
class GuiView final : public View {
public:
    explicit GuiView(CWeighsetDlg& window);
    ~GuiView() override;

    // Where the generated controls report; set once the workbench exists.
    void SetWorkbench(Workbench* bench) { bench_ = bench; }

    ReportPrinter* Printer() override;

    std::unique_ptr<EntryControl> CreateControl(const ControlSpec& spec) override;
    void AddToolTip(EntryControl* control, const QByteArray& text) override;
    void RemoveToolTip(EntryControl* control) override;

    void SetTabs(const std::vector<TabItem>& tabs) override;
    void ShowTabControl(bool show) override;
    void SelectTab(int index) override;
    void FocusTabControl() override;

    void ShowTicketEditor(bool show) override;
    void EnableApplyButton(bool enable) override;

    void SetCommandEnabled(int id, bool enabled) override;
    void SetCommandText(int id, const QByteArray& text) override;
    void SetCommandChecked(int id, bool checked) override;

    void ShowBusy(const QByteArray& text) override;
    void SetBusyMessage(const QByteArray& text) override;
    void CloseBusy() override;
    bool BusyExists() const override;

    void ShowProgress() override;
    void SetProgressText(const QByteArray& text) override;
    void InitUpperBar(int low, int high) override;
    void InitLowerBar(int low, int high) override;
    void SetUpperPos(int pos) override;
    void SetLowerPos(int pos) override;
    void SetProgressActivity(bool active) override;
    bool AbortRequested() const override;
    void CloseProgress() override;
    bool ProgressExists() const override;

    void ShowSessionPicture(bool show) override;
    void Beep(int kind) override;
    void Refresh() override;
    void CloseWindow() override;

    CWorkingDlg* Busy() const;
    CSendCfgDlg* Progress() const;
    // How many times a sound was played (the log kinds with one).
    int BeepCount() const { return beeps_; }

private:
    CWeighsetDlg& window_;
    Workbench* bench_ = nullptr;
    std::unique_ptr<ControlFactory> factory_;
    std::unique_ptr<QtReportPrinter> printer_;
    QPointer<CWorkingDlg> busy_;
    QPointer<CSendCfgDlg> progress_;
    int beeps_ = 0;
};
