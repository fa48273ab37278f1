#pragma once

#include "wallpaper/WallpaperBackendChoice.h"
#include "wallpaper/WallpaperCommand.h"

#include <QList>
#include <QString>
#include <QStringList>

// The commands each desktop needs to show a file centred or tiled. They are
// built apart from running them so that the argument lists can be checked.

// The file as a file:// URI, as GNOME, Cinnamon and KDE expect it.
QString WallpaperFileUri(const QString& file);

// A text as a GVariant string literal, the form `gsettings set` parses.
QString GVariantStringLiteral(const QString& text);

// The gsettings schema a GSettings desktop (Gnome, Cinnamon, Mate) keeps its wallpaper in.
QString WallpaperSchema(WallpaperBackend backend);

// The gsettings writes for Gnome, Cinnamon or Mate. schemaKeys are the keys the
// schema has (from `gsettings list-keys`): the dark-style picture is set only
// where the desktop has one.
QList<WallpaperCommand> GSettingsWallpaperCommands(WallpaperBackend backend, const QString& file,
                                                   bool tile, const QStringList& schemaKeys);

// The xfconf writes for every monitor and workspace among the listed
// xfce4-desktop properties (from `xfconf-query -c xfce4-desktop -l`).
QList<WallpaperCommand> XfceWallpaperCommands(const QStringList& properties, const QString& file,
                                              bool tile);

// The Plasma shell script that sets the picture on every desktop.
QString KdeWallpaperScript(const QString& file, bool tile);
WallpaperCommand KdeWallpaperCommand(const QString& file, bool tile);

// pcmanfm-qt (LXQt) or pcmanfm (LXDE).
WallpaperCommand PcmanfmWallpaperCommand(WallpaperBackend backend, const QString& file, bool tile);

WallpaperCommand SwayWallpaperCommand(const QString& file, bool tile);

// Sets the wallpaper through one backend; X11 paints the root window, None
// does nothing. Raises EDesktopWallpaperError on failure.
void ApplyWallpaperBackend(WallpaperBackend backend, const QString& file, bool tile);
