#include "app/CommandLine.h"
#include "app/OnceRun.h"
#include "app/SingleInstance.h"
#include "app/TfrmMain.h"
#include "platform/ConsolePrompts.h"
#include "platform/Folders.h"
#include "platform/MessageBoxPrompts.h"
#include "platform/NamedMutex.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandMode mode = ModeOf(arguments);
    if (mode == CommandMode::Help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (mode == CommandMode::Version) {
        std::puts("Dayglass v2.0");
        return 0;
    }
    // A one-shot run needs no desktop session.
    if (mode == CommandMode::Once && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName("Dayglass");
    QApplication::setApplicationVersion("v2.0");
    QApplication::setQuitOnLastWindowClosed(false);

    // Installed first, so that a SIGTERM during start-up waits for the window and saves.
    TerminationSignals termination;
    const NamedMutex mutex("DGLS_Mutex");
    SingleInstance instance(QFileInfo(GetExeFileName()).fileName());
    if (mode == CommandMode::Once) {
        if (!instance.claim()) {
            std::fputs("dayglass: Dayglass is already running; close it before using --once.\n",
                       stderr);
            return 2;
        }
        ConsolePrompts prompts;
        return RunOnce(prompts, GetExeFileName(), termination);
    }

    if (!instance.claim()) {
        if (instance.handOver(arguments))
            return 0;
        // The running copy vanished without taking the arguments; take its place.
        if (!instance.claim())
            return 1;
    }

    const QString first = arguments.value(0);
    MessageBoxPrompts prompts;
    TfrmMainOptions options;
    options.prompts = &prompts;
    options.exeFileName = GetExeFileName();
    options.firstArgument = first;
    // A signal that came while the window was being made is acted on once it exists.
    bool terminationPending = false;
    TfrmMain* window = nullptr;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        if (window)
            window->Exit();
        else
            terminationPending = true;
    });
    TfrmMain frmMain(options);
    window = &frmMain;
    if (terminationPending)
        QTimer::singleShot(0, &frmMain, &TfrmMain::Exit);
    prompts.setParent(&frmMain);
    QObject::connect(&instance, &SingleInstance::InstanceStarted, &frmMain,
                     &TfrmMain::OneInstance1InstanceStarted);

    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain,
                     [&frmMain] { frmMain.SaveSettings(); });

    if (first.toUpper() != "/START")
        frmMain.show();
    return QApplication::exec();
}
