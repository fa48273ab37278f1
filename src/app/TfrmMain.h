#pragma once

#include "platform/Texts.h"

#include <QStringList>
#include <QWidget>

class DoubleClickLabel;
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
class QTimer;
class SiteListModel;

// What the main window is handed at start-up.
struct TfrmMainOptions {
    Prompts* prompts = nullptr; // every message box goes here
    QString exeFileName;        // Source.dat lies beside it; the autostart entry runs it
    QString firstArgument;      // the first command-line argument, or empty
};

// The main window: owns the run-time state, the site list and the download
// list, and is the only caller of the other subsystems.
class TfrmMain : public QWidget {
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
    void CheckForSites();

    // The data folder's state files.
    QString settingsPath() const;
    QString sitesPath() const;
    QString filesPath() const;

    int CurrentSite() const { return m_currentSite; }
    void setCurrentSite(int row) { m_currentSite = row; }
    const QStringList& downloadList() const { return m_downloadList; }
    QStringList& downloadList() { return m_downloadList; }
    SiteListModel& sites() { return *m_sites; }
    bool AbortRequested() const { return m_abortRequested; }
    bool LowColourIcons() const { return m_lowColourIcons; }
    int BackgroundStyle() const { return m_backgroundStyle; }
    bool TrayIconShown() const { return m_trayIconShown; }
    int MinXSize() const { return m_minXSize; }
    int MinYSize() const { return m_minYSize; }
    int MinFileSize() const { return m_minFileSize; }
    bool DownloadFromAll() const { return m_downloadFromAll; }
    bool OnlyFirstFile() const { return m_onlyFirstFile; }
    bool NoWallpaperChanging() const { return m_noWallpaperChanging; }
    bool ActiveNetConnection() const { return m_activeNetConnection; }
    TColor BackgroundColor1() const { return m_backgroundColor1; }
    TColor BackgroundColor2() const { return m_backgroundColor2; }
    const QString& BackgroundFilename() const { return m_backgroundFilename; }

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
    QTimer* Timer1;

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
    SiteListModel* m_sites;

    bool m_lowColourIcons = false;
    bool m_downloadFromAll = false;
    bool m_activeNetConnection = false;
    bool m_onlyFirstFile = false;
    bool m_noWallpaperChanging = false;
    bool m_transferActive = false;
    bool m_newWallpaperSet = false;
    int m_currentSite = 0;
    QStringList m_downloadList;
    int m_backgroundStyle = 0;
    QString m_backgroundFilename;
    TColor m_backgroundColor1 = 0;
    TColor m_backgroundColor2 = 0;
    bool m_abortRequested = false;
    int m_minXSize = 0;
    int m_minYSize = 0;
    int m_minFileSize = 0;
    bool m_trayIconShown = false;
    bool m_closed = false;
};
