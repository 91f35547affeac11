// SPDX-License-Identifier: MIT
#include <QApplication>
#include <memory>

#include "app/CWeighsetDlg.h"
#include "app/SplashDlg.h"
#include "platform/SettingsStore.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The settings store is named after these two.
    QCoreApplication::setOrganizationName(QString::fromLatin1(SettingsStore::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(SettingsStore::kApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARELINK_VERSION));

    // The program's own splash, up while the main window starts; the window shows its own.
    std::unique_ptr<SplashDlg> splash;
    if (CWeighsetDlg::SplashWanted()) {
        splash = std::make_unique<SplashDlg>(nullptr);
        splash->Start();
    }

    CWeighsetDlg window;
    window.show();
    return app.exec();
}
