// The program: hands its parameters to a running copy, or starts the main window.

#include "GuiFileDialogs.h"
#include "GuiPrompt.h"
#include "MainForm.h"
#include "MediaForm.h"
#include "UDisksMounter.h"
#include "SingleInstance.h"
#include "SplashForm.h"
#include "app/HandOver.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

using namespace quorvex;

int main(int argc, char* argv[])
{
    std::vector<std::string> params;
    for (int i = 1; i < argc; ++i) params.emplace_back(argv[i]);

    QApplication app(argc, argv);
    app.setApplicationName("Quorvex");
    app.setOrganizationName("Talmirex");
    const QString instanceName = InstanceServerName();
    if (HandToRunningInstance(instanceName, params)) return 0;

    QPointer<TSplashForm> splash = new TSplashForm;
    splash->show();
    app.processEvents();

    TGuiPrompt prompt;
    SetPrompt(&prompt);
    TGuiFileDialogs dialogs;
    SetFileDialogs(&dialogs);
    TGuiMediumPrompt mediumPrompt;
    SetMediumPrompt(&mediumPrompt);
    TUDisksMounter mounter;
    SetMounter(&mounter);

    TMainFormSetup setup;
    setup.RegisterFileType = true;
    TMainForm mainForm(setup);
    QObject::connect(&mainForm, &TMainForm::SplashMessage, [&](const QString& text) {
        if (splash) splash->SetMessage(text);
    });
    QObject::connect(&mainForm, &TMainForm::SplashInterval, [&](int milliseconds) {
        if (splash) splash->Timer->setInterval(milliseconds);
    });
    TInstanceServer server;
    QObject::connect(&server, &TInstanceServer::HandOver, &mainForm, [&](int n) {
        // Handled after the socket's own event, like a posted message.
        QMetaObject::invokeMethod(&mainForm, [&mainForm, n] { mainForm.HandOverReceived(n); }, Qt::QueuedConnection);
    });
    server.Listen(instanceName);
    mainForm.show();
    mainForm.Store().Options().Apply(); // the settings reach the windows once they are shown
    QTimer::singleShot(0, &mainForm, [&] { mainForm.FirstIdle(params); });
    const int code = app.exec();
    SetMounter(nullptr);
    SetMediumPrompt(nullptr);
    SetPrompt(nullptr);
    SetFileDialogs(nullptr);
    return code;
}
