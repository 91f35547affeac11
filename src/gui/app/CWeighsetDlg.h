// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

class CQpEdit;
class CStaticEx;
class ConfigEntry;
class GuiView;
class ModifiedMarks;
class PageArea;
class Prompts;
class QAction;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabBar;
class QTreeWidget;
class SettingFinder;
class Workbench;

// The main window: the menu bar and its shortcuts, the side logo, the tab bar over the page
// area with the generated controls and the ticket editor, the status log and the Close
// button. Every command is a one-liner into the workbench, which owns the document.
class CWeighsetDlg : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` answers the workbench's questions instead of the real dialogs (tests);
    // null means the real dialogs. The window never takes ownership of it.
    explicit CWeighsetDlg(Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~CWeighsetDlg() override;

    Workbench& Bench() const { return *bench_; }
    GuiView& Gui() const { return *view_; }

    // Runs a command of the command table, as its menu item or shortcut does.
    void RunCommand(int id);
    // The action of a command (also of the commands that have no menu item), or null.
    QAction* Action(int id) const;

    QTabBar* Tabs() const { return tabs_; }
    PageArea* Page() const { return page_; }
    QWidget* TicketEditor() const;
    QTreeWidget* LogView() const { return logView_; }
    CStaticEx* Logo() const { return logo_; }
    QLabel* SessionPicture() const { return sessionPicture_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* CloseButton() const { return close_; }
    SettingFinder* Finder() const { return finder_; }
    ModifiedMarks& Marks() const { return *marks_; }

    // The title (the program, the document's file name and a mark while it is modified) and
    // the modified marks of the entries and tabs.
    void UpdateTitle();
    // Shows an entry's tab, scrolls to its controls, focuses the first that takes the focus
    // and frames them for a moment.
    void GoToEntry(ConfigEntry* entry);
    // A file named on the command line, opened as Open opens a chosen one.
    void OpenFromCommandLine(const QString& path);
    // The workbench's Exit decided that the window closes.
    void CloseFromExit();
    // Centres the window on its screen.
    void OnCenter();

    // The icon of a status log kind (null outside 0 to 3) and of a tab image (null for 9).
    static QIcon LogIcon(int kind);
    static QIcon TabIcon(int image);
    // False when TARELINK_NO_SPLASH=1 asks for no splash windows (tests, scripted runs).
    static bool SplashWanted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildWidgets();
    void BuildFinder();
    void AddLogLine(int row, int kind, const QByteArray& text);
    void OnDocumentChanged();
    bool IsShortcutKey(int key) const;
    // `pendingEdit`: a control shows a value its entry does not hold yet.
    bool IsModified(bool pendingEdit) const;
    void Shutdown();

    std::unique_ptr<Prompts> ownPrompts_;
    std::unique_ptr<GuiView> view_;
    std::unique_ptr<Workbench> bench_;
    std::map<int, QAction*> actions_;

    CStaticEx* logo_ = nullptr;
    QLabel* sessionPicture_ = nullptr;
    QTabBar* tabs_ = nullptr;
    PageArea* page_ = nullptr;
    CQpEdit* ticketEditor_ = nullptr;
    QTreeWidget* logView_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* close_ = nullptr;
    QHBoxLayout* tabRow_ = nullptr;
    SettingFinder* finder_ = nullptr;
    std::unique_ptr<ModifiedMarks> marks_;
    QPointer<QFrame> foundHighlight_;

    bool closeAllowed_ = false;
    bool inCloseEvent_ = false;
    bool shutDown_ = false;
    bool splashShown_ = false;
    // A title update asked for while a read runs, made once the event loop gets to it.
    bool titlePending_ = false;
};
