// SPDX-License-Identifier: MIT
#include "GuiView.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

#include "CSendCfgDlg.h"
#include "CWeighsetDlg.h"
#include "CWorkingDlg.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "editor/ControlFactory.h"
#include "editor/PageArea.h"
#include "editor/QuietPages.h"
#include "editor/WidgetControl.h"
#include "report/QtReportPrinter.h"

GuiView::GuiView(CWeighsetDlg& window)
    : window_(window),
      factory_(std::make_unique<ControlFactory>(window.Page())),
      printer_(std::make_unique<QtReportPrinter>())
{
}

GuiView::~GuiView()
{
    delete busy_.data();
    delete progress_.data();
}

ReportPrinter* GuiView::Printer()
{
    return printer_.get();
}

std::unique_ptr<EntryControl> GuiView::CreateControl(const ControlSpec& spec)
{
    WidgetControl::Hooks hooks;
    CWeighsetDlg* window = &window_;
    // The workbench is looked up at report time: controls never outlive it, but are made
    // before it is handed in only in tests of the view alone.
    hooks.command = [this](EntryControl* control, ControlNotification notification) {
        if (bench_) bench_->Pages().OnControlCommand(control, notification);
    };
    hooks.edited = [window]() { window->UpdateTitle(); };
    return factory_->Create(spec, hooks);
}

void GuiView::AddToolTip(EntryControl* control, const QByteArray& text)
{
    if (QWidget* w = WidgetControl::WidgetOf(control)) w->setToolTip(QString::fromLatin1(text));
}

void GuiView::RemoveToolTip(EntryControl* control)
{
    if (QWidget* w = WidgetControl::WidgetOf(control)) w->setToolTip(QString());
}

void GuiView::SwitchPage(int tab, const std::function<void()>& showControls)
{
    PageArea* area = window_.Page();
    QWidget* focus = QApplication::focusWidget();
    QuietPages::BeginSwitch();
    area->HideAllBut(tab);
    showControls();
    area->ShowOnly(tab);
    QuietPages::EndSwitch();
    // The focus may have moved off a control of the page that went, unannounced.
    QWidget* now = QApplication::focusWidget();
    if (now && now != focus && QuietPages::OnPage(now)) {
        QAccessibleEvent moved(now, QAccessible::Focus);
        QAccessible::updateAccessibility(&moved);
    }
}

void GuiView::SetTabs(const std::vector<TabItem>& tabs)
{
    QTabBar* bar = window_.Tabs();
    // Filling the bar is not a selection by the user.
    const QSignalBlocker quiet(bar);
    while (bar->count() > 0) bar->removeTab(0);
    for (const TabItem& tab : tabs) bar->addTab(CWeighsetDlg::TabIcon(tab.image), QString::fromLatin1(tab.name));
}

void GuiView::ShowTabControl(bool show)
{
    window_.Tabs()->setVisible(show);
}

void GuiView::SelectTab(int index)
{
    const QSignalBlocker quiet(window_.Tabs());
    window_.Tabs()->setCurrentIndex(index);
}

void GuiView::FocusTabControl()
{
    window_.Tabs()->setFocus(Qt::OtherFocusReason);
}

void GuiView::ShowTicketEditor(bool show)
{
    if (QWidget* editor = window_.TicketEditor()) {
        editor->setVisible(show);
        if (show) editor->raise();
    }
    window_.Page()->UpdateExtent();
}

void GuiView::EnableApplyButton(bool enable)
{
    window_.ApplyButton()->setEnabled(enable);
}

void GuiView::SetCommandEnabled(int id, bool enabled)
{
    if (QAction* a = window_.Action(id)) a->setEnabled(enabled);
}

void GuiView::SetCommandText(int id, const QByteArray& text)
{
    if (QAction* a = window_.Action(id)) a->setText(QString::fromLatin1(text));
}

void GuiView::SetCommandChecked(int id, bool checked)
{
    if (QAction* a = window_.Action(id)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

void GuiView::ShowBusy(const QByteArray& text)
{
    if (!busy_) busy_ = new CWorkingDlg(&window_);
    busy_->ShowAt(window_.frameGeometry().topLeft());
    busy_->SetMessage(text);
    busy_->PlayAnimation();
}

void GuiView::SetBusyMessage(const QByteArray& text)
{
    if (busy_) busy_->SetMessage(text);
}

void GuiView::CloseBusy()
{
    CWorkingDlg* busy = busy_;
    busy_ = nullptr;
    if (!busy) return;
    busy->hide();
    // It may be in the middle of an event of its own.
    busy->deleteLater();
}

CWorkingDlg* GuiView::Busy() const
{
    return busy_;
}

CSendCfgDlg* GuiView::Progress() const
{
    return progress_;
}

bool GuiView::BusyExists() const
{
    return !busy_.isNull();
}

void GuiView::ShowProgress()
{
    if (!progress_) progress_ = new CSendCfgDlg(&window_);
    progress_->PlaceAt(window_.frameGeometry().topLeft());
}

void GuiView::SetProgressText(const QByteArray& text)
{
    if (progress_) progress_->SetStatusText(text);
}

void GuiView::InitUpperBar(int low, int high)
{
    if (progress_) progress_->InitUpperBar(low, high);
}

void GuiView::InitLowerBar(int low, int high)
{
    if (progress_) progress_->InitLowerBar(low, high);
}

void GuiView::SetUpperPos(int pos)
{
    if (progress_) progress_->SetUpperPos(pos);
}

void GuiView::SetLowerPos(int pos)
{
    if (progress_) progress_->SetLowerPos(pos);
}

void GuiView::SetProgressActivity(bool active)
{
    if (progress_) progress_->SetActivity(active);
}

bool GuiView::AbortRequested() const
{
    return progress_ && progress_->AbortFlag();
}

void GuiView::CloseProgress()
{
    CSendCfgDlg* progress = progress_;
    progress_ = nullptr;
    if (!progress) return;
    progress->hide();
    progress->deleteLater();
}

bool GuiView::ProgressExists() const
{
    return !progress_.isNull();
}

void GuiView::ShowSessionPicture(bool show)
{
    window_.SessionPicture()->setVisible(show);
}

void GuiView::Beep(int kind)
{
    if (kind != kError && kind != kWarning) return;
    ++beeps_;
    QApplication::beep();
}

void GuiView::Refresh()
{
    // The title and the modified marks follow the document's own signals, and every other
    // part of the window repaints itself when it changes: only the pages are brought up to date.
    // (A repaint of the whole window would redraw the menu, the log and the picture at every
    // tab switch.)
    window_.Page()->UpdateExtent();
    window_.Page()->viewport()->update();
}

void GuiView::CloseWindow()
{
    window_.CloseFromExit();
}
