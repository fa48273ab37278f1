#include "wallpaper/WallpaperCommand.h"

#include "wallpaper/EDesktopWallpaperError.h"

#include <QProcess>

QByteArray RunWallpaperCommand(const WallpaperCommand& command, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(timeoutMs))
        throw EDesktopWallpaperError(QStringLiteral("%1 could not be started: %2")
                                         .arg(command.program, process.errorString()));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        throw EDesktopWallpaperError(
            QStringLiteral("%1 did not finish within %2 ms").arg(command.program).arg(timeoutMs));
    }
    if (process.exitStatus() != QProcess::NormalExit)
        throw EDesktopWallpaperError(QStringLiteral("%1 crashed").arg(command.program));
    if (process.exitCode() != 0)
        throw EDesktopWallpaperError(
            QStringLiteral("%1 failed with exit code %2: %3")
                .arg(command.program)
                .arg(process.exitCode())
                .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
    return process.readAllStandardOutput();
}
