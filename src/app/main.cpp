#include "app/SingleInstance.h"
#include "app/TfrmMain.h"
#include "platform/Folders.h"
#include "platform/MessageBoxPrompts.h"
#include "platform/NamedMutex.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Dayglass");
    QApplication::setApplicationVersion("v2.0");
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(":/icons/dayglass.svg"));

    const NamedMutex mutex("DGLS_Mutex");
    const QStringList arguments = app.arguments().mid(1);
    const QString first = arguments.value(0);
    const bool startHidden = first.toUpper() == "/START";

    SingleInstance instance(QFileInfo(GetExeFileName()).fileName());
    if (!instance.claim()) {
        if (instance.handOver(arguments))
            return 0;
        // The running copy vanished without handing over; take its place.
        if (!instance.claim())
            return 1;
    }

    MessageBoxPrompts prompts;
    TfrmMain frmMain({&prompts, GetExeFileName(), first});
    prompts.setParent(&frmMain);
    QObject::connect(&instance, &SingleInstance::InstanceStarted, &frmMain,
                     &TfrmMain::OneInstance1InstanceStarted);

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &frmMain,
                     &TfrmMain::Exit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain,
                     [&frmMain] { frmMain.SaveSettings(); });

    if (!startHidden)
        frmMain.show();
    return QApplication::exec();
}
