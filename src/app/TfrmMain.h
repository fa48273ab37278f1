#pragma once

#include "app/DownloadCycle.h"
#include "download/SiteProcessorHost.h"
#include "download/StatusDisplay.h"
#include "download/TransferState.h"
#include "platform/Texts.h"
#include "wallpaper/WallpaperHost.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class DoubleClickLabel;
class HttpTransfer;
class LongTimer;
class Prompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSystemTrayIcon;
class QTabWidget;
class SiteListModel;
class SiteProcessor;
class WallpaperComposer;

// What the main window is handed at start-up.
struct TfrmMainOptions {
    Prompts* prompts = nullptr; // every message box goes here
    QString exeFileName;        // Source.dat lies beside it; the autostart entry runs it
    QString firstArgument;      // the first command-line argument, or empty
    bool trayIcon = true;       // false keeps the tray icon hidden whatever the settings say
    TransferLimits limits;      // what one transfer may cost
    // Told every caption the status display shows.
    std::function<void(const QString& caption)> statusObserver;
};

// The main window: owns the run-time state, the site list and the download
// list, and is the only caller of the other subsystems.
class TfrmMain : public QWidget,
                 public DownloadCycleHost,
                 public SiteProcessorHost,
                 public WallpaperHost,
                 public StatusOutput {
    Q_OBJECT
public:
    explicit TfrmMain(const TfrmMainOptions& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    void LoadSettings();
    void SaveSettings();
    void btnOKClick();
    void btnCancelClick();
    void SendToTray();
    void DisplayWindow();
    void UpdateDisplay();
    void Label1DblClick();
    void Label6DblClick();
    void OneInstance1InstanceStarted(const QStringList& params);
    // Ends the program as the tray's Exit does: stops any download, saves, quits.
    void Exit();
    // Stops the running download at its next check.
    void RequestAbort() { m_transfer.AbortRequested = true; }
    void CheckForSites();
    void Timer1Timer();
    void btnChangeNowClick();
    void SetSiteCurrent(int index, bool process);

    // The data folder's state files.
    QString settingsPath() const;
    QString sitesPath() const;
    QString filesPath() const;

    int CurrentSite() const { return m_currentSite; }
    void setCurrentSite(int row) { m_currentSite = row; }
    const QStringList& downloadList() const { return m_downloadList; }
    QStringList& downloadList() { return m_downloadList; }
    SiteListModel& sites() { return *m_sites; }
    DownloadCycle& cycle() { return *m_cycle; }
    StatusDisplay& status() { return m_status; }
    bool AbortRequested() const { return m_transfer.AbortRequested; }
    bool NewWallpaperSet() const { return m_newWallpaperSet; }
    bool LowColourIcons() const { return m_lowColourIcons; }
    bool TrayIconShown() const { return m_trayIconShown; }
    bool DownloadFromAll() const override { return m_downloadFromAll; }
    bool OnlyFirstFile() const override { return m_onlyFirstFile; }
    bool NoWallpaperChanging() const override { return m_noWallpaperChanging; }
    bool ActiveNetConnection() const override { return m_activeNetConnection; }

    // Download cycle.
    bool ProcessSite(const QString& siteName, const QString& siteURL, bool allowGIF,
                     bool setAsWallpaper, bool showMessages, bool onlyNew) override;
    void SetProcessing(bool busy) override;
    bool IsConnected() override;
    int CheckCount() const override;
    int CheckUnit() const override;

    // Site processing.
    qint64 MinFileSize() const override { return m_minFileSize; }
    int MinXSize() const override { return m_minXSize; }
    int MinYSize() const override { return m_minYSize; }
    bool OnlyRecent() const override;
    int KeepImage() const override;
    void SetKeepImageEnabled(bool on) override;
    QString ImageFolderText() const override;
    QStringList& DownloadList() override { return m_downloadList; }
    int SiteCount() const override;
    void SetImageAsWP(const QString& file, bool newPicture) override;

    // Wallpaper composition.
    WallpaperStyle ChosenWallpaperStyle() const override;
    int BackgroundStyle() const override { return m_backgroundStyle; }
    TColor BackgroundColor1() const override { return m_backgroundColor1; }
    TColor BackgroundColor2() const override { return m_backgroundColor2; }
    QString BackgroundFilename() const override { return m_backgroundFilename; }
    QSize ScreenSize() const override;
    void SetNewWallpaperSet() override { m_newWallpaperSet = true; }
    TIEFunctions& IEFunc() override { return *m_ieFunc; }
    void SetDesktopWallpaper(const QString& file, bool tile) override;

    // Status display.
    void ShowCaption(const QString& text) override;
    void ShowToolTip(const QString& text) override;

    // Controls, named as the program's documentation names them.
    DoubleClickLabel* Label1;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLabel* Label2;
    QListView* fbxSites;
    QPushButton* btnAddSite;
    QPushButton* btnMoveUp;
    QPushButton* btnMoveDown;
    QPushButton* btnEditSite;
    QPushButton* btnTestSite;
    QPushButton* btnViewSite;
    QPushButton* btnDelete;
    QLabel* LinkLabel3;
    QLabel* LinkLabel4;
    DoubleClickLabel* Label6;
    QLabel* LinkLabel1;
    QLabel* Label5;
    QRadioButton* rdbstretchWP;
    QRadioButton* rdbCenterWP;
    QRadioButton* rdbRandomWP;
    QRadioButton* rdbTileWP;
    QCheckBox* chkCustomBG;
    QPushButton* btnSetBG;
    QLabel* Label8;
    QLabel* Label3;
    QSpinBox* spnCheckMinutes;
    QComboBox* cmbCheckTime;
    QCheckBox* chkAutoStart;
    QCheckBox* chkDisplayinOmbrix;
    QPushButton* btnOmbrixSettings;
    QCheckBox* chkOnlyRecent;
    QSpinBox* spnKeepImage;
    QLabel* Label4;
    QLineEdit* edtFolder;
    QPushButton* btnBrowse;
    QPushButton* btnView;
    QPushButton* btnAdvanced;
    QPushButton* btnChangeNow;
    QPushButton* btnAbout;
    QPushButton* btnHelp;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QSystemTrayIcon* TrayIcon;
    QMenu* popTask;
    LongTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSitePage();
    void buildSettingsPage();
    void buildButtonRow();
    void buildTray();
    void connectHandlers();

    void FormCreate();
    void FormShow();
    void FormClose();
    void rdbstretchWPClick();
    void chkOnlyRecentClick();
    void chkDisplayinOmbrixClick();
    bool CheckHasSelection();
    void openUrl(const QString& address);
    void showTrayIcon(bool shown);
    QString dataFile(const QString& name) const;

    Prompts& m_prompts;
    QString m_exeFileName;
    QString m_firstArgument;
    bool m_trayAllowed;
    std::function<void(const QString&)> m_statusObserver;
    SiteListModel* m_sites;
    TransferState m_transfer;
    StatusDisplay m_status{*this};
    std::unique_ptr<HttpTransfer> m_http;
    std::unique_ptr<TIEFunctions> m_ieFunc;
    std::unique_ptr<SiteProcessor> m_processor;
    std::unique_ptr<WallpaperComposer> m_composer;
    std::unique_ptr<DownloadCycle> m_cycle;

    bool m_lowColourIcons = false;
    bool m_downloadFromAll = false;
    bool m_activeNetConnection = false;
    bool m_onlyFirstFile = false;
    bool m_noWallpaperChanging = false;
    bool m_newWallpaperSet = false;
    int m_currentSite = 0;
    QStringList m_downloadList;
    int m_backgroundStyle = 0;
    QString m_backgroundFilename;
    TColor m_backgroundColor1 = 0;
    TColor m_backgroundColor2 = 0;
    int m_minXSize = 0;
    int m_minYSize = 0;
    int m_minFileSize = 0;
    bool m_trayIconShown = false;
    bool m_closed = false;
};
