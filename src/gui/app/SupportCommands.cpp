// SPDX-License-Identifier: MIT
#include "SupportCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QProcess>
#include <QUrl>

#include "Artwork.h"
#include "StatusLog.h"
#include "Workbench.h"
#include "link/DeviceLink.h"
#include "platform/Prompts.h"

Q_DECLARE_LOGGING_CATEGORY(lcDialogs)

namespace {

constexpr int kAboutIconSide = 64;

}  // namespace

void ShowAboutBox(QWidget* parent)
{
    QDialog box(parent);
    box.setObjectName(QStringLiteral("AboutBox"));
    box.setWindowTitle(QStringLiteral("About Tarelink"));

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = Artwork::MainIcon();
    auto* picture = new QLabel(&box);
    picture->setPixmap(icon.pixmap(kAboutIconSide, kAboutIconSide));
    auto* name = new QLabel(QStringLiteral("Tarelink Version ") + QStringLiteral(TARELINK_VERSION), &box);
    name->setObjectName(QStringLiteral("productName"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* about = new QLabel(QStringLiteral("Weighing indicator configuration\nTervolin Scale Mfg"), &box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* grid = new QGridLayout(&box);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(about, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    box.setFixedSize(box.sizeHint());
    box.exec();
}

bool OpenHelpIndex(Workbench& workbench)
{
    const QString helpFile = workbench.Dirs().helpFile;
    const QByteArray shown = helpFile.isEmpty() ? QByteArray("no data folder") : helpFile.toLatin1();
    if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) {
        workbench.AddStatusLine("Help file not found: " + shown, kError);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile))) {
        workbench.AddStatusLine("No program to show the help file was found: " + shown, kWarning);
        return false;
    }
    return true;
}

bool RunUpdateFlash(QWidget*, Workbench& workbench)
{
    // The utility talks to the indicator on the same port; give it up first, whatever follows.
    if (workbench.Link().IsSerialOpen()) workbench.Link().CloseSerialPort();
    const QString program = QString::fromLatin1(kFlashUtilityPath);
    if (QProcess::startDetached(program, QStringList())) return true;
    qCDebug(lcDialogs) << "flash utility did not start:" << program;
    workbench.Ask().MessageBox("Check the flash utility installation", kAppName, Prompts::Buttons::Ok,
                               Prompts::Icon::None);
    return false;
}
