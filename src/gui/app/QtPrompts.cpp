// SPDX-License-Identifier: MIT
#include "QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include "CCommSetupDlg.h"
#include "CHandHeldDlg.h"
#include "CHandHeldInfoDlg.h"
#include "CKeyLockDlg.h"
#include "CPrefsDlg.h"
#include "CSelectDeviceDlg.h"
#include "CTickSlotDlg.h"

Q_LOGGING_CATEGORY(lcDialogs, "tarelink.dialogs", QtWarningMsg)

namespace {

QMessageBox::Icon ToQtIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icon::Stop:
        return QMessageBox::Critical;
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A pattern list as the system writes it ("*.txt;*.dvc") in a file dialog's form ("*.txt *.dvc").
QString ConvertPatterns(const QString& patterns)
{
    QStringList out;
    for (QString p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p.isEmpty()) continue;
        // "*.*" means every file there, also those without a dot.
        if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        out << p;
    }
    return out.join(QLatin1Char(' '));
}

}  // namespace

QtPrompts::QtPrompts(QWidget* parent) : parent_(parent) {}

QStringList QtPrompts::ConvertFilter(const QByteArray& filter)
{
    // Pairs of description and patterns, separated by '|'; an empty description ends the list.
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.isEmpty()) break;
        const QString patterns = ConvertPatterns(parts[i + 1]);
        if (patterns.isEmpty()) continue;
        // The description usually repeats the patterns in parentheses; the dialog reads them
        // from there, so that part is replaced by the converted list.
        if (description.endsWith(QLatin1Char(')'))) {
            const int open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0) description = description.left(open).trimmed();
        }
        out << (description.isEmpty() ? patterns : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return out;
}

Prompts::Answer QtPrompts::MessageBox(const QByteArray& text, const QByteArray& caption, Buttons buttons, Icon icon)
{
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromLatin1(caption.isEmpty() ? QByteArray(kAppName) : caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromLatin1(text));
    box.setIcon(ToQtIcon(icon));
    QAbstractButton* first = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        first = box.addButton(QMessageBox::Ok);
        box.setEscapeButton(first);
        break;
    case Buttons::YesNo:
        first = box.addButton(QMessageBox::Yes);
        box.setEscapeButton(box.addButton(QMessageBox::No));
        break;
    case Buttons::YesNoCancel:
        first = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        break;
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(first));
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompts::ChooseFile(const FileChoice& choice)
{
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The application attribute Qt::AA_DontUseNativeDialogs is honoured by QFileDialog itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(choice.save && choice.overwritePrompt));
    const QStringList filters = ConvertFilter(choice.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    // Send external file keeps the whole path of the file it sent as the last transfer folder:
    // the next dialog starts in that file's folder (a file as the folder would show nothing).
    const QFileInfo initial(choice.initialFolder);
    const QString folder = initial.isFile() ? initial.absolutePath() : choice.initialFolder;
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!choice.defaultExtension.isEmpty()) dialog.setDefaultSuffix(choice.defaultExtension);
    if (!choice.defaultName.isEmpty()) dialog.selectFile(choice.defaultName);
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    qCDebug(lcDialogs) << "file chosen:" << files;
    return files.value(0);
}

bool QtPrompts::SelectModel(QByteArray& chosen, const QList<QByteArray>& items)
{
    CSelectDeviceDlg dialog(parent_);
    dialog.SetChosenModel(chosen);
    dialog.SetModelLines(items);
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen = dialog.ChosenModel();
    return true;
}

int QtPrompts::KeyLockMask(int mask)
{
    CKeyLockDlg dialog(parent_);
    dialog.SetMask(mask);
    dialog.exec();
    return dialog.GetMask();
}

int QtPrompts::UpdateOption()
{
    CPrefsDlg dialog(parent_);
    dialog.exec();
    return dialog.Choice();
}

int QtPrompts::PickSlot()
{
    CTickSlotDlg dialog(parent_);
    return dialog.exec() == QDialog::Accepted ? dialog.Slot() : 0;
}

bool QtPrompts::HandheldDescription(QByteArray& description)
{
    CHandHeldInfoDlg dialog(description, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    description = dialog.Description();
    return true;
}

int QtPrompts::ChooseHandheldConfiguration(const QByteArray& fileList)
{
    CHandHeldDlg dialog(parent_);
    dialog.SetFileList(fileList);
    return dialog.exec() == QDialog::Accepted ? dialog.GetSelectedIndex() : -1;
}

bool QtPrompts::CommunicationSettings(CommSettings& settings, bool linkOpen)
{
    CCommSetupDlg dialog(settings, *this, linkOpen, parent_);
    return dialog.exec() == QDialog::Accepted;
}
