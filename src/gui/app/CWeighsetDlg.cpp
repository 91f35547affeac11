// SPDX-License-Identifier: MIT
#include "CWeighsetDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

#include "Artwork.h"
#include "CSendCfgDlg.h"
#include "CStaticEx.h"
#include "CWorkingDlg.h"
#include "CommandTable.h"
#include "GuiView.h"
#include "QtPrompts.h"
#include "SettingFinder.h"
#include "SplashDlg.h"
#include "StatusLog.h"
#include "SupportCommands.h"
#include "ToolTipTiming.h"
#include "Workbench.h"
#include "editor/ModifiedMarks.h"
#include "editor/PageArea.h"
#include "editor/WidgetControl.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "tickets/CQpEdit.h"
#include "tickets/TicketStore.h"

Q_LOGGING_CATEGORY(lcWindow, "tarelink.window", QtWarningMsg)

namespace {

constexpr char kLogoFile[] = "itarelink256.bmp";
constexpr char kNoSplashVariable[] = "TARELINK_NO_SPLASH";

// The status log's columns.
constexpr int kTypeColumnWidth = 100;
constexpr int kLogHeight = 150;

// Where the ticket editor sits on the print page, in page pixels.
constexpr int kTicketEditorLeft = 10;
constexpr int kTicketEditorTop = 10;

constexpr int kInitialWidth = 980;
constexpr int kInitialHeight = 720;

const char* const kLogIconFiles[] = {
    ":/tarelink/log-error.png",
    ":/tarelink/log-warning.png",
    ":/tarelink/log-commerror.png",
    ":/tarelink/log-information.png",
};

// Image indexes 0 to 8 of the tab bar; 9 means no icon.
const char* const kTabIconFiles[] = {
    ":/tarelink/tab-setup.png",    ":/tarelink/tab-calibration.png", ":/tarelink/tab-digital.png",
    ":/tarelink/tab-printing.png", ":/tarelink/tab-serial.png",      ":/tarelink/tab-modelinfo.png",
    ":/tarelink/tab-extended.png", ":/tarelink/tab-analog.png",      ":/tarelink/tab-variables.png",
};

constexpr char kSessionPictureFile[] = ":/tarelink/session.png";

// A setting found with Ctrl+F is framed this long, this far around its controls.
constexpr int kFoundHighlightMs = 1500;
constexpr int kFoundHighlightMargin = 4;
// Room kept around a found setting when the page scrolls to it.
constexpr int kFoundScrollMargin = 40;

// The type column is 100 pixels, or wider when the longest type with its icon needs more
// in the font of this desktop.
int TypeColumnWidth(const QTreeWidget& log)
{
    const int icon = log.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &log);
    const int margins = 4 * log.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &log) + icon / 2;
    int text = 0;
    for (int kind = kError; kind <= kInformation; ++kind) {
        text = std::max(text, log.fontMetrics().horizontalAdvance(QString::fromLatin1(StatusLog::KindLabel(kind))));
    }
    return std::max(kTypeColumnWidth, icon + text + margins);
}

}  // namespace

// The icons live in the widget library, which is static: its resources must be asked for,
// from outside any namespace.
static void LoadResources()
{
    Q_INIT_RESOURCE(tarelink);
}

CWeighsetDlg::CWeighsetDlg(Prompts* prompts, QWidget* parent) : QMainWindow(parent)
{
    LoadResources();
    ToolTipTiming::Install();
    setObjectName(QStringLiteral("CWeighsetDlg"));
    setWindowIcon(Artwork::MainIcon());
    BuildWidgets();
    BuildMenus();

    if (!prompts) {
        ownPrompts_ = std::make_unique<QtPrompts>(this);
        prompts = ownPrompts_.get();
    }
    view_ = std::make_unique<GuiView>(*this);
    bench_ = std::make_unique<Workbench>(*prompts, *view_);
    view_->SetWorkbench(bench_.get());
    marks_ = std::make_unique<ModifiedMarks>(*bench_, *tabs_);
    BuildFinder();

    ticketEditor_ = new CQpEdit(bench_->Tickets(), page_->Content());
    ticketEditor_->setObjectName(QStringLiteral("ticketEditor"));
    ticketEditor_->move(kTicketEditorLeft, kTicketEditorTop);
    ticketEditor_->resize(ticketEditor_->sizeHint());
    ticketEditor_->hide();

    StatusLog& log = bench_->Log();
    connect(&log, &StatusLog::LineAdded, this, &CWeighsetDlg::AddLogLine);
    connect(&log, &StatusLog::Cleared, logView_, &QTreeWidget::clear);
    // A read emits DocumentChanged itself once it is over (ReadFinished follows it).
    connect(bench_.get(), &Workbench::DocumentChanged, this, &CWeighsetDlg::OnDocumentChanged);
    connect(&bench_->Tickets(), &TicketStore::Changed, this, &CWeighsetDlg::OnDocumentChanged);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0) bench_->Pages().SelectTab(index);
    });

    bench_->Initialize(SettingsStore::Load(), Folders::Compute());
    logo_->LoadBitmapFile(bench_->Dirs().FindResourceFile(QLatin1String(kLogoFile)));

    // Ctrl+letter reaches the menu whichever control has the focus, before an edit box
    // can take it for itself (Ctrl+X would cut).
    qApp->installEventFilter(this);
    resize(kInitialWidth, kInitialHeight);
    UpdateTitle();
}

CWeighsetDlg::~CWeighsetDlg()
{
    qApp->removeEventFilter(this);
    Shutdown();
    // The ticket editor works on the workbench's ticket store, and the generated controls
    // report to the workbench: both go before it does.
    delete ticketEditor_;
    ticketEditor_ = nullptr;
    marks_.reset();
    bench_.reset();
    view_.reset();
}

void CWeighsetDlg::BuildWidgets()
{
    auto* central = new QWidget(this);
    auto* outer = new QHBoxLayout(central);

    auto* side = new QVBoxLayout;
    logo_ = new CStaticEx(central);
    side->addWidget(logo_);
    side->addStretch(1);
    sessionPicture_ = new QLabel(central);
    sessionPicture_->setObjectName(QStringLiteral("sessionPicture"));
    sessionPicture_->setPixmap(QPixmap(QString::fromLatin1(kSessionPictureFile)));
    sessionPicture_->setToolTip(tr("Remote configuration session"));
    sessionPicture_->hide();
    side->addWidget(sessionPicture_, 0, Qt::AlignHCenter);
    outer->addLayout(side);

    auto* main = new QVBoxLayout;
    main->setSpacing(0);
    tabs_ = new QTabBar(central);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setDrawBase(true);
    // Hidden until a configuration is shown.
    tabs_->hide();
    tabRow_ = new QHBoxLayout;
    tabRow_->addWidget(tabs_, 1);
    main->addLayout(tabRow_);
    page_ = new PageArea(central);
    page_->setObjectName(QStringLiteral("pageArea"));
    main->addWidget(page_, 1);
    main->addSpacing(6);

    logView_ = new QTreeWidget(central);
    logView_->setObjectName(QStringLiteral("statusLog"));
    logView_->setColumnCount(2);
    logView_->setHeaderLabels({tr("Type"), tr("Message")});
    logView_->setRootIsDecorated(false);
    logView_->setSortingEnabled(false);
    logView_->setUniformRowHeights(true);
    logView_->setSelectionMode(QAbstractItemView::SingleSelection);
    logView_->header()->setSectionsClickable(false);
    // The message column takes the rest of the width, however wide the window is.
    logView_->header()->setStretchLastSection(true);
    logView_->setColumnWidth(0, TypeColumnWidth(*logView_));
    logView_->setFixedHeight(kLogHeight);
    logView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(logView_, &QWidget::customContextMenuRequested, this, [this](const QPoint&) { bench_->Log().Clear(); });
    main->addWidget(logView_);

    auto* buttons = new QHBoxLayout;
    apply_ = new QPushButton(tr("Apply"), central);
    apply_->setObjectName(QStringLiteral("applyButton"));
    apply_->setEnabled(false);
    apply_->setAutoDefault(false);
    // It carries Update device's identifier but is never shown.
    apply_->hide();
    connect(apply_, &QPushButton::clicked, this, [this]() { RunCommand(kCmdUpdateDevice); });
    buttons->addWidget(apply_);
    buttons->addStretch(1);
    close_ = new QPushButton(tr("Close"), central);
    close_->setObjectName(QStringLiteral("closeButton"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, [this]() { RunCommand(kCmdExit); });
    buttons->addWidget(close_);
    main->addSpacing(6);
    main->addLayout(buttons);

    outer->addLayout(main, 1);
    setCentralWidget(central);
}

void CWeighsetDlg::BuildMenus()
{
    std::map<QByteArray, QMenu*> popups;
    for (const QByteArray& popup : CommandTable::Popups()) {
        popups[popup] = menuBar()->addMenu(QString::fromLatin1(popup));
    }
    auto connectCommand = [this](QAction* action, int id) {
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id]() { RunCommand(id); });
        actions_[id] = action;
    };
    std::set<QMenu*> extended;
    for (const MenuItem& item : CommandTable::MenuItems()) {
        QMenu* menu = popups[QByteArray(item.popup)];
        // One separator before the first of a menu's added commands.
        if (item.afterSeparator && extended.insert(menu).second) menu->addSeparator();
        // The text after the tab is what the menu shows in the shortcut column.
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        if (item.shortcutKey) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(item.shortcutKey)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setCheckable(item.checkable);
        connectCommand(action, item.id);
    }
}

void CWeighsetDlg::BuildFinder()
{
    finder_ = new SettingFinder(*bench_, centralWidget());
    tabRow_->addWidget(finder_, 0, Qt::AlignRight | Qt::AlignVCenter);
    connect(finder_, &SettingFinder::EntryChosen, this, &CWeighsetDlg::GoToEntry);

    // A window action of its own: Ctrl+F is not one of the command table's shortcuts.
    auto* findAction = new QAction(tr("&Find setting"), this);
    findAction->setObjectName(QStringLiteral("findSettingAction"));
    findAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    findAction->setShortcutContext(Qt::WindowShortcut);
    connect(findAction, &QAction::triggered, finder_, &SettingFinder::Activate);
    // The menus stay the command table's; the field itself shows the key.
    addAction(findAction);
}

void CWeighsetDlg::GoToEntry(ConfigEntry* entry)
{
    if (!entry || entry->tabIndex < 0 || entry->tabIndex >= tabs_->count()) return;
    // The tab bar's change shows the page through the workbench.
    tabs_->setCurrentIndex(entry->tabIndex);
    QRect area;
    QWidget* target = nullptr;
    for (const auto& control : entry->controls) {
        QWidget* w = WidgetControl::WidgetOf(control.get());
        if (!w || w->isHidden()) continue;
        area = area.united(w->geometry());
        if (!target && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) target = w;
    }
    if (area.isNull()) return;
    page_->UpdateExtent();
    page_->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + kFoundScrollMargin,
                         area.height() / 2 + kFoundScrollMargin);
    if (target) target->setFocus(Qt::OtherFocusReason);

    delete foundHighlight_.data();
    auto* frame = new QFrame(page_->Content());
    frame->setObjectName(QStringLiteral("foundHighlight"));
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setStyleSheet(
        QStringLiteral("#foundHighlight { border: 2px solid palette(highlight); border-radius: 3px; }"));
    frame->setGeometry(
        area.adjusted(-kFoundHighlightMargin, -kFoundHighlightMargin, kFoundHighlightMargin, kFoundHighlightMargin));
    frame->show();
    frame->raise();
    foundHighlight_ = frame;
    QTimer::singleShot(kFoundHighlightMs, frame, &QObject::deleteLater);
}

void CWeighsetDlg::OpenFromCommandLine(const QString& path)
{
    bench_->OpenFile(path);
    UpdateTitle();
}

QAction* CWeighsetDlg::Action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QWidget* CWeighsetDlg::TicketEditor() const
{
    return ticketEditor_;
}

void CWeighsetDlg::RunCommand(int id)
{
    // A greyed command does nothing, whichever way it was asked for.
    if (QAction* action = Action(id); action && !action->isEnabled()) return;
    Workbench& bench = *bench_;
    switch (id) {
    case kCmdCenter:
        OnCenter();
        break;
    case kCmdMinimize:
        showMinimized();
        break;
    case kCmdAbout:
        ShowAboutBox(this);
        break;
    case kCmdHelpIndex:
        OpenHelpIndex(bench);
        break;
    case kCmdUpdateFlash:
        RunUpdateFlash(this, bench);
        break;
    default:
        if (!bench.OnCommand(id)) qCDebug(lcWindow) << "command" << id << "has no handler yet";
        break;
    }
    UpdateTitle();
}

void CWeighsetDlg::OnCenter()
{
    const QScreen* where = screen();
    if (!where) return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

bool CWeighsetDlg::IsModified(bool pendingEdit) const
{
    return pendingEdit || ConfigModel::IsDocumentModified(bench_->Model().entries) || bench_->Tickets().IsTicketModified();
}

void CWeighsetDlg::OnDocumentChanged()
{
    // While a read runs the document is half made: its changes are shown once it is over (the
    // comparison walks every entry's controls).
    if (!bench_ || !bench_->Reader().Running()) {
        UpdateTitle();
        return;
    }
    if (titlePending_) return;
    titlePending_ = true;
    QTimer::singleShot(0, this, [this]() {
        if (titlePending_) UpdateTitle();
    });
}

void CWeighsetDlg::UpdateTitle()
{
    titlePending_ = false;
    if (!bench_) return;
    const bool pendingEdit = marks_ && marks_->Refresh();
    QString title = QString::fromLatin1(kAppName);
    const QString name = QFileInfo(QFile::decodeName(bench_->Model().documentPath)).fileName();
    if (!name.isEmpty()) title += QStringLiteral(" - ") + name;
    if (IsModified(pendingEdit)) title += QStringLiteral(" *");
    if (title != windowTitle()) setWindowTitle(title);
}

void CWeighsetDlg::AddLogLine(int, int kind, const QByteArray& text)
{
    auto* item = new QTreeWidgetItem(logView_);
    item->setText(0, QString::fromLatin1(StatusLog::KindLabel(kind)));
    item->setIcon(0, LogIcon(kind));
    item->setText(1, QString::fromLatin1(text));
    item->setToolTip(1, item->text(1));
    logView_->scrollToItem(item);
}

QIcon CWeighsetDlg::LogIcon(int kind)
{
    if (kind < 0 || kind >= int(std::size(kLogIconFiles))) return QIcon();
    return QIcon(QString::fromLatin1(kLogIconFiles[kind]));
}

QIcon CWeighsetDlg::TabIcon(int image)
{
    if (image < 0 || image >= int(std::size(kTabIconFiles))) return QIcon();
    return QIcon(QString::fromLatin1(kTabIconFiles[image]));
}

bool CWeighsetDlg::SplashWanted()
{
    return qEnvironmentVariable(kNoSplashVariable) != QLatin1String("1");
}

void CWeighsetDlg::CloseFromExit()
{
    closeAllowed_ = true;
    // Inside the close box's own handler the event is simply accepted.
    if (!inCloseEvent_) close();
}

void CWeighsetDlg::Shutdown()
{
    if (shutDown_ || !bench_) return;
    shutDown_ = true;
    bench_->Shutdown();
}

void CWeighsetDlg::closeEvent(QCloseEvent* event)
{
    if (closeAllowed_) {
        Shutdown();
        event->accept();
        return;
    }
    event->ignore();
    // A second click on the close box while the save question is up changes nothing.
    if (inCloseEvent_) return;
    inCloseEvent_ = true;
    const bool mayClose = bench_->OnExit();
    inCloseEvent_ = false;
    if (!mayClose) return;
    closeAllowed_ = true;
    Shutdown();
    event->accept();
}

void CWeighsetDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Never closes the window; on the print page the ticket editor gets it.
        bench_->ForwardDialogKey(13);
        event->accept();
        return;
    case Qt::Key_Escape:
        bench_->ForwardDialogKey(27);
        event->accept();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void CWeighsetDlg::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (splashShown_) return;
    splashShown_ = true;
    if (!SplashWanted()) return;
    auto* splash = new SplashDlg(this);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->Start();
}

bool CWeighsetDlg::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // While the busy window is up, it keeps the activation.
    if (event->type() == QEvent::WindowActivate && view_ && view_->BusyExists()) {
        if (CWorkingDlg* busy = view_->Busy()) {
            busy->raise();
            busy->activateWindow();
        }
    }
    return handled;
}

bool CWeighsetDlg::IsShortcutKey(int key) const
{
    for (const MenuItem& item : CommandTable::MenuItems()) {
        if (item.shortcutKey && key == Qt::Key(item.shortcutKey)) return true;
    }
    return false;
}

bool CWeighsetDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && key->modifiers() == Qt::ControlModifier
            && IsShortcutKey(key->key())) {
            // Not overridden: the shortcut map gets the key next.
            key->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
