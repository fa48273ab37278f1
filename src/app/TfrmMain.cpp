#include "app/TfrmMain.h"

#include "app/DoubleClickLabel.h"
#include "app/SettingsFile.h"
#include "app/WindowsVersion.h"
#include "desktop/ScreenSaver.h"
#include "download/HttpTransfer.h"
#include "download/SiteProcessor.h"
#include "platform/AutoStart.h"
#include "platform/Connection.h"
#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/LongTimer.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "sites/SiteListModel.h"
#include "wallpaper/DesktopWallpaper.h"
#include "wallpaper/TIEFunctions.h"
#include "wallpaper/WallpaperComposer.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace K = SettingsKeys;

namespace {

constexpr int kClientWidth = 484;
constexpr int kClientHeight = 527;
const char* const kMakerWebSite = "https://www.vorlix.com/";
const char* const kMakerHostName = "www.vorlix.com";

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* linkLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel("<a href=\"#\">" + text.toHtmlEscaped() + "</a>", parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(hint);
    return b;
}

} // namespace

TfrmMain::TfrmMain(const TfrmMainOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_prompts(*options.prompts), m_exeFileName(options.exeFileName),
      m_firstArgument(options.firstArgument), m_trayAllowed(options.trayIcon),
      m_statusObserver(options.statusObserver), m_sites(new SiteListModel(this)),
      m_http(std::make_unique<HttpTransfer>(m_transfer, m_status, options.limits)),
      m_ieFunc(std::make_unique<TIEFunctions>(m_prompts)),
      m_processor(std::make_unique<SiteProcessor>(*this, *m_http, m_status, m_transfer, m_prompts,
                                                  *m_ieFunc)),
      m_composer(std::make_unique<WallpaperComposer>(*this)) {
    Q_INIT_RESOURCE(dayglass);
    setObjectName("frmMain");
    setWindowTitle("Dayglass");
    setFixedSize(kClientWidth, kClientHeight);

    auto* layout = new QVBoxLayout(this);
    Label1 = new DoubleClickLabel(
        "Never bore of your desktop again!  Dayglass downloads pictures from \"Image of the "
        "Day\" sites on the Internet to use as your desktop wallpaper",
        this);
    Label1->setWordWrap(true);
    layout->addWidget(Label1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setStyleSheet("QTabBar::tab { min-width: 90px; }");
    TabSheet1 = new QWidget(PageControl1);
    TabSheet2 = new QWidget(PageControl1);
    PageControl1->addTab(TabSheet1, " Image Site List ");
    PageControl1->addTab(TabSheet2, "  Settings  ");
    layout->addWidget(PageControl1, 1);
    buildSitePage();
    buildSettingsPage();
    buildButtonRow();
    buildTray();

    Timer1 = new LongTimer(this);
    Timer1->setObjectName("Timer1");
    m_cycle = std::make_unique<DownloadCycle>(*this, *m_sites, m_currentSite, m_transfer, *Timer1);

    connectHandlers();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildSitePage() {
    auto* page = new QVBoxLayout(TabSheet1);
    Label2 = new QLabel("Check the sites from which pictures will be downloaded from:", TabSheet1);
    page->addWidget(Label2);

    auto* middle = new QHBoxLayout;
    fbxSites = new QListView(TabSheet1);
    fbxSites->setModel(m_sites);
    fbxSites->setUniformItemSizes(true);
    fbxSites->setSelectionMode(QAbstractItemView::SingleSelection);
    middle->addWidget(fbxSites, 1);
    auto* side = new QVBoxLayout;
    btnAddSite = button("Add Site", "Add a new site to your download list", TabSheet1);
    btnMoveUp = button("Move Up", "Promote the selected site", TabSheet1);
    btnMoveDown = button("Move Down", "Demote the selected site", TabSheet1);
    btnEditSite = button("Edit Site", "Edit the selected site", TabSheet1);
    btnTestSite = button("Test Site", "Download the image from the selected site", TabSheet1);
    btnViewSite = button("View Site", "Open the selected site in your web browser", TabSheet1);
    btnDelete = button("Delete Site", "Delete the selected site", TabSheet1);
    for (QPushButton* b :
         {btnAddSite, btnMoveUp, btnMoveDown, btnEditSite, btnTestSite, btnViewSite, btnDelete})
        side->addWidget(b);
    side->addStretch(1);
    middle->addLayout(side);
    page->addLayout(middle, 1);

    auto* links = new QHBoxLayout;
    LinkLabel3 = linkLabel("Select All", TabSheet1);
    LinkLabel4 = linkLabel("Deselect All", TabSheet1);
    links->addWidget(LinkLabel3);
    links->addWidget(LinkLabel4);
    links->addStretch(1);
    page->addLayout(links);

    auto* maker = new QHBoxLayout;
    Label6 = new DoubleClickLabel("Free software from:", TabSheet1);
    QFont bold = Label6->font();
    bold.setBold(true);
    Label6->setFont(bold);
    LinkLabel1 = linkLabel(kMakerHostName, TabSheet1);
    LinkLabel1->setFont(bold);
    LinkLabel1->setToolTip(kMakerWebSite);
    maker->addWidget(Label6);
    maker->addWidget(LinkLabel1);
    maker->addStretch(1);
    page->addLayout(maker);
}

void TfrmMain::buildSettingsPage() {
    auto* page = new QVBoxLayout(TabSheet2);
    Label5 = boldLabel("Wallpaper Style", TabSheet2);
    page->addWidget(Label5);
    rdbstretchWP = new QRadioButton("Stretch image to screen size", TabSheet2);
    rdbstretchWP->setToolTip("Stretch images to the full size of the Window (while mainting the "
                             "aspect ratio of the image)");
    rdbCenterWP = new QRadioButton("Display image at original size, centered on screen", TabSheet2);
    rdbCenterWP->setToolTip(
        "Images are displayed in the center of the screen at their original size");
    rdbRandomWP = new QRadioButton("Place at a random position, overlaying old images", TabSheet2);
    rdbRandomWP->setToolTip("DGLS draws the newest image at its original size at a random "
                            "position over the current desktop");
    rdbTileWP = new QRadioButton("Tile image across screen", TabSheet2);
    rdbTileWP->setToolTip(
        "Images are repeated horizontally and vertically to fill the entire screen");
    auto* styles = new QButtonGroup(this);
    for (QRadioButton* r : {rdbstretchWP, rdbCenterWP, rdbRandomWP, rdbTileWP}) {
        styles->addButton(r);
        page->addWidget(r);
    }
    auto* background = new QHBoxLayout;
    chkCustomBG = new QCheckBox("Add a custom background", TabSheet2);
    chkCustomBG->setToolTip(
        "Select this option if you don't want to use the default Windows wallpaper background");
    btnSetBG = button("Settings...", "Click here to modify your custom background", TabSheet2);
    btnSetBG->setEnabled(false);
    background->addWidget(chkCustomBG);
    background->addWidget(btnSetBG);
    background->addStretch(1);
    page->addLayout(background);

    Label8 = boldLabel("Other Settings", TabSheet2);
    page->addWidget(Label8);
    auto* interval = new QHBoxLayout;
    Label3 = new QLabel("Change wallpaper every", TabSheet2);
    spnCheckMinutes = new QSpinBox(TabSheet2);
    spnCheckMinutes->setRange(1, 2400);
    cmbCheckTime = new QComboBox(TabSheet2);
    cmbCheckTime->addItems({"minutes", "hours", "days"});
    interval->addWidget(Label3);
    interval->addWidget(spnCheckMinutes);
    interval->addWidget(cmbCheckTime);
    interval->addStretch(1);
    page->addLayout(interval);

    chkAutoStart = new QCheckBox("Automatically start \"Dayglass\" on Windows Start-up", TabSheet2);
    page->addWidget(chkAutoStart);
    auto* saver = new QHBoxLayout;
    chkDisplayinOmbrix = new QCheckBox("Display images as a screen saver", TabSheet2);
    chkDisplayinOmbrix->setToolTip("Check this option to set the Ombrix Screen Saver to display "
                                   "downloaded images as a screen saver");
    btnOmbrixSettings = button(
        "Settings...", "Click here to change the settings of the Ombrix Screen Saver", TabSheet2);
    btnOmbrixSettings->setEnabled(false);
    saver->addWidget(chkDisplayinOmbrix);
    saver->addWidget(btnOmbrixSettings);
    saver->addStretch(1);
    page->addLayout(saver);

    // The spin box sits in the gap the caption leaves after "Only keep the".
    chkOnlyRecent =
        new QCheckBox("Only keep the                        most recent images", TabSheet2);
    spnKeepImage = new QSpinBox(chkOnlyRecent);
    spnKeepImage->setRange(1, 1000000);
    spnKeepImage->setEnabled(false);
    const int indicator = chkOnlyRecent->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          chkOnlyRecent->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const int gapStart =
        indicator + chkOnlyRecent->fontMetrics().horizontalAdvance("Only keep the ");
    const int gapWidth = chkOnlyRecent->fontMetrics().horizontalAdvance(QString(23, u' '));
    spnKeepImage->setGeometry(gapStart, 0, qMax(gapWidth, spnKeepImage->sizeHint().width()),
                              chkOnlyRecent->sizeHint().height());
    chkOnlyRecent->setMinimumHeight(spnKeepImage->sizeHint().height());
    page->addWidget(chkOnlyRecent);

    Label4 = new QLabel("Save images to the following folder:", TabSheet2);
    page->addWidget(Label4);
    auto* folder = new QHBoxLayout;
    edtFolder = new QLineEdit(TabSheet2);
    edtFolder->setReadOnly(true);
    edtFolder->setToolTip("The folder where your images will be saved");
    btnBrowse =
        button("Browse", "Browse for a folder where your images should be saved", TabSheet2);
    btnView = button("View", "Display the contents of the image folder", TabSheet2);
    folder->addWidget(edtFolder, 1);
    folder->addWidget(btnBrowse);
    folder->addWidget(btnView);
    page->addLayout(folder);
    btnAdvanced = new QPushButton("Advanced...", TabSheet2);
    auto* advanced = new QHBoxLayout;
    advanced->addWidget(btnAdvanced);
    advanced->addStretch(1);
    page->addLayout(advanced);
    page->addStretch(1);
}

void TfrmMain::buildButtonRow() {
    auto* row = new QHBoxLayout;
    btnChangeNow = button("Change Now!", "Download from the next site in your schedule", this);
    btnAbout = button("About", "About DGLS...", this);
    btnHelp = button("Help", "Display the Read Me document", this);
    btnOK = button("OK",
                   "Save changes and send DGLS to the System Tray (your wallpaper will begin "
                   "automatic changing)",
                   this);
    btnCancel = button("Cancel",
                       "Cancel changes and send DGLS to the System Tray (your wallpaper will "
                       "still change automatically)",
                       this);
    for (QPushButton* b : {btnChangeNow, btnAbout, btnHelp, btnOK, btnCancel})
        row->addWidget(b);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TfrmMain::buildTray() {
    TrayIcon = new QSystemTrayIcon(QIcon(":/icons/dayglass.svg"), this);
    TrayIcon->setToolTip("Dayglass");
    popTask = new QMenu(this);
    popTask->addAction("Change Now", this, &TfrmMain::btnChangeNowClick);
    popTask->addAction("Settings...", this, &TfrmMain::DisplayWindow);
    popTask->addAction("Exit", this, &TfrmMain::Exit);
    TrayIcon->setContextMenu(popTask);
    connect(TrayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                    DisplayWindow();
            });
}

void TfrmMain::connectHandlers() {
    connect(btnOK, &QPushButton::clicked, this, &TfrmMain::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMain::btnCancelClick);
    connect(btnChangeNow, &QPushButton::clicked, this, &TfrmMain::btnChangeNowClick);
    connect(Timer1, &LongTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(Label1, &DoubleClickLabel::doubleClicked, this, &TfrmMain::Label1DblClick);
    connect(Label6, &DoubleClickLabel::doubleClicked, this, &TfrmMain::Label6DblClick);
    connect(LinkLabel1, &QLabel::linkActivated, this, [this] { openUrl(kMakerWebSite); });
    // A radio button runs its handler when it becomes chosen, never when unticked.
    for (QRadioButton* r : {rdbstretchWP, rdbCenterWP, rdbRandomWP, rdbTileWP})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                rdbstretchWPClick();
        });
    connect(chkCustomBG, &QCheckBox::toggled, this, &TfrmMain::rdbstretchWPClick);
    connect(chkOnlyRecent, &QCheckBox::toggled, this, &TfrmMain::chkOnlyRecentClick);
    connect(chkDisplayinOmbrix, &QCheckBox::toggled, this, &TfrmMain::chkDisplayinOmbrixClick);
}

void TfrmMain::FormCreate() {
    m_lowColourIcons = WantsLowColourIcons(GetWindowsVersion());
    m_downloadList.clear();
    PageControl1->setCurrentIndex(0);
    LoadSettings();
    if (!m_firstArgument.isEmpty())
        CheckForSites();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TfrmMain::FormShow() {
    Timer1->stop();
    m_sites->setCurrentRow(m_currentSite);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfrmMain::FormClose() {
    if (m_closed)
        return;
    m_closed = true;
    SaveSettings();
}

QString TfrmMain::dataFile(const QString& name) const {
    return GetDataFolder("Dayglass", true) + name;
}

QString TfrmMain::settingsPath() const {
    return dataFile("Settings.dat");
}

QString TfrmMain::sitesPath() const {
    return dataFile("Sites.dat");
}

QString TfrmMain::filesPath() const {
    return dataFile("Files.dat");
}

void TfrmMain::LoadSettings() {
    try {
        const SettingsFile ini(settingsPath());
        m_backgroundStyle = ini.read(K::BackgroundStyle);
        m_backgroundFilename = ini.read(K::BackgroundFilename);
        m_backgroundColor1 = ini.read(K::BackgroundColor1);
        m_backgroundColor2 = ini.read(K::BackgroundColor2);
        chkCustomBG->setChecked(m_backgroundStyle != 0);

        m_minXSize = ini.read(K::MinXSize);
        m_minYSize = ini.read(K::MinYSize);
        m_minFileSize = ini.read(K::MinFileSize);

        const int method = ini.read(K::CheckMethod);
        cmbCheckTime->setCurrentIndex(method >= 0 && method < cmbCheckTime->count() ? method : -1);
        spnCheckMinutes->setValue(ini.read(K::CheckTime));

        m_downloadFromAll = ini.read(K::DownloadFromAll);
        m_noWallpaperChanging = ini.read(K::NoWallpaperChanging);
        m_onlyFirstFile = ini.read(K::OnlyFirstFile);
        showTrayIcon(ini.read(K::TrayIcon));
        chkOnlyRecent->setChecked(ini.read(K::OnlyRecent));
        spnKeepImage->setValue(ini.read(K::KeepImage));
        m_activeNetConnection = ini.read(K::ActiveNetConnection);

        edtFolder->setText(ini.read(K::SaveFolder));
        if (edtFolder->text().isEmpty())
            edtFolder->setText(GetDataFolder("Dayglass", true) + "Images/");

        chkDisplayinOmbrix->setChecked(IsScreenSaverShowingFolder(edtFolder->text()));
        chkDisplayinOmbrix->setEnabled(!chkDisplayinOmbrix->isChecked());

        // Independent keys for one choice: the last true one wins.
        if (ini.read(K::StretchWP))
            rdbstretchWP->setChecked(true);
        if (ini.read(K::CenterWP))
            rdbCenterWP->setChecked(true);
        if (ini.read(K::TileWP))
            rdbTileWP->setChecked(true);
        if (ini.read(K::RandomWP))
            rdbRandomWP->setChecked(true);

        if (QFileInfo::exists(sitesPath())) {
            if (!m_sites->LoadSiteList(sitesPath()))
                throw EDayglassError("Er");
            chkAutoStart->setChecked(IsAutoStart());
        } else {
            const QString source =
                AddTrailingBackslash(QFileInfo(m_exeFileName).absolutePath()) + "Source.dat";
            if (!m_sites->LoadDefaultSiteList(source))
                throw EDayglassError("Er");
            m_sites->SaveSiteList(sitesPath());
            chkAutoStart->setChecked(true);
        }

        m_currentSite = ini.read(K::CurrentSite);

        if (QFileInfo::exists(filesPath())) {
            const std::optional<QStringList> files = ReadTextLines(filesPath());
            if (!files)
                throw EDayglassError("Er");
            m_downloadList = *files;
        }
    } catch (const EDayglassError&) {
        m_prompts.message(PromptKind::Error, "An error was encountered loading your settings");
    }
}

void TfrmMain::SaveSettings() {
    try {
        SettingsFile ini(settingsPath());
        if (!chkCustomBG->isChecked())
            m_backgroundStyle = 0;
        ini.write(K::BackgroundStyle, m_backgroundStyle);
        ini.write(K::BackgroundFilename, m_backgroundFilename);
        ini.write(K::BackgroundColor1, m_backgroundColor1);
        ini.write(K::BackgroundColor2, m_backgroundColor2);

        ini.write(K::CheckTime, spnCheckMinutes->value());
        ini.write(K::CheckMethod, cmbCheckTime->currentIndex());

        ini.write(K::DownloadFromAll, m_downloadFromAll);
        ini.write(K::OnlyFirstFile, m_onlyFirstFile);
        ini.write(K::NoWallpaperChanging, m_noWallpaperChanging);
        ini.write(K::TrayIcon, m_trayIconShown);
        ini.write(K::OnlyRecent, chkOnlyRecent->isChecked());
        ini.write(K::KeepImage, spnKeepImage->value());
        ini.write(K::ActiveNetConnection, m_activeNetConnection);
        ini.write(K::SaveFolder, edtFolder->text());

        WriteMakerSetting("Ombrix", "", "DGLSOutputPath", edtFolder->text());
        WriteMakerSetting("Ombrix", "", "DGLSEXEPath", m_exeFileName);
        if (chkDisplayinOmbrix->isChecked())
            SetScreenSaverFolder(edtFolder->text());

        ini.write(K::MinXSize, m_minXSize);
        ini.write(K::MinYSize, m_minYSize);
        ini.write(K::MinFileSize, m_minFileSize);

        ini.write(K::StretchWP, rdbstretchWP->isChecked());
        ini.write(K::CenterWP, rdbCenterWP->isChecked());
        ini.write(K::TileWP, rdbTileWP->isChecked());
        ini.write(K::RandomWP, rdbRandomWP->isChecked());

        if (!m_sites->SaveSiteList(sitesPath()))
            throw EDayglassError("Er");
        ini.write(K::CurrentSite, m_currentSite);

        QString reason;
        if (!WriteTextLines(filesPath(), m_downloadList, &reason))
            throw EDayglassError(reason);

        SetAutoStart(chkAutoStart->isChecked(), m_exeFileName);
    } catch (const EDayglassError& error) {
        m_prompts.message(PromptKind::Plain, error.text());
        m_prompts.message(PromptKind::Error, "An error was encountered saving your settings");
    }
}

void TfrmMain::btnOKClick() {
    if (!m_sites->Check4CurrentSite() &&
        !m_prompts.askYesNo(PromptKind::Information,
                            "You have not selected any sites.  Are you sure you want to continue"))
        return;
    SendToTray();
    SaveSettings();
    CheckForSites();
}

void TfrmMain::btnCancelClick() {
    LoadSettings();
    SendToTray();
    CheckForSites();
}

void TfrmMain::SendToTray() {
    hide();
}

void TfrmMain::DisplayWindow() {
    m_transfer.AbortRequested = true;
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TfrmMain::UpdateDisplay() {
    if (isVisible())
        m_sites->setCurrentRow(m_currentSite);
}

void TfrmMain::Label1DblClick() {
    SaveSettings();
}

bool TfrmMain::CheckHasSelection() {
    if (fbxSites->selectionModel()->hasSelection())
        return true;
    m_prompts.message(PromptKind::Information, "You have not selected a site.");
    return false;
}

void TfrmMain::Label6DblClick() {
    if (!CheckHasSelection())
        return;
    m_currentSite = fbxSites->selectionModel()->selectedIndexes().value(0).row();
    UpdateDisplay();
}

void TfrmMain::OneInstance1InstanceStarted(const QStringList& params) {
    if (params.isEmpty())
        DisplayWindow();
}

void TfrmMain::Exit() {
    m_transfer.AbortRequested = true;
    close();
    QCoreApplication::quit();
}

void TfrmMain::CheckForSites() {
    m_cycle->CheckForSites();
}

void TfrmMain::Timer1Timer() {
    CheckForSites();
}

namespace {

// The hourglass for as long as the object lives, however the scope is left.
class HourglassCursor {
public:
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

} // namespace

void TfrmMain::btnChangeNowClick() {
    const HourglassCursor hourglass;
    CheckForSites();
    UpdateDisplay();
}

void TfrmMain::SetSiteCurrent(int index, bool process) {
    const HourglassCursor hourglass;
    m_cycle->SetSiteCurrent(index, process);
}

bool TfrmMain::ProcessSite(const QString& siteName, const QString& siteURL, bool allowGIF,
                           bool setAsWallpaper, bool showMessages, bool onlyNew) {
    return m_processor->ProcessSite(siteName, siteURL, allowGIF, setAsWallpaper, showMessages,
                                    onlyNew);
}

void TfrmMain::SetProcessing(bool busy) {
    if (busy)
        m_newWallpaperSet = false;
    m_status.ProgressEnd();
}

bool TfrmMain::IsConnected() {
    return ::IsConnected();
}

int TfrmMain::CheckCount() const {
    return spnCheckMinutes->value();
}

int TfrmMain::CheckUnit() const {
    return cmbCheckTime->currentIndex();
}

bool TfrmMain::OnlyRecent() const {
    return chkOnlyRecent->isChecked();
}

int TfrmMain::KeepImage() const {
    return spnKeepImage->value();
}

void TfrmMain::SetKeepImageEnabled(bool on) {
    spnKeepImage->setEnabled(on);
}

QString TfrmMain::ImageFolderText() const {
    return edtFolder->text();
}

int TfrmMain::SiteCount() const {
    return m_sites->count();
}

void TfrmMain::SetImageAsWP(const QString& file, bool newPicture) {
    m_composer->SetImageAsWP(file, newPicture);
}

WallpaperStyle TfrmMain::ChosenWallpaperStyle() const {
    if (rdbstretchWP->isChecked())
        return WallpaperStyle::Stretch;
    if (rdbRandomWP->isChecked())
        return WallpaperStyle::Random;
    if (rdbTileWP->isChecked())
        return WallpaperStyle::Tile;
    return WallpaperStyle::Center;
}

QSize TfrmMain::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return screen->size() * screen->devicePixelRatio();
}

void TfrmMain::SetDesktopWallpaper(const QString& file, bool tile) {
    ::SetDesktopWallpaper(file, tile);
}

void TfrmMain::ShowCaption(const QString& text) {
    setWindowTitle(text);
    if (m_statusObserver)
        m_statusObserver(text);
}

void TfrmMain::ShowToolTip(const QString& text) {
    TrayIcon->setToolTip(text);
}

void TfrmMain::rdbstretchWPClick() {
    chkCustomBG->setEnabled(!rdbTileWP->isChecked());
    btnSetBG->setEnabled(chkCustomBG->isEnabled() && chkCustomBG->isChecked());
    rdbRandomWP->setEnabled(chkCustomBG->isChecked());
    if (!chkCustomBG->isChecked())
        m_backgroundStyle = 0;
}

void TfrmMain::chkOnlyRecentClick() {
    m_processor->chkOnlyRecentClick();
}

void TfrmMain::chkDisplayinOmbrixClick() {
    if (chkDisplayinOmbrix->isChecked() &&
        LocateScreenSaver(m_prompts, [this](const QString& url) { openUrl(url); }).isEmpty()) {
        // Unticking runs this handler again, which disables the button.
        chkDisplayinOmbrix->setChecked(false);
        return;
    }
    btnOmbrixSettings->setEnabled(chkDisplayinOmbrix->isChecked());
}

void TfrmMain::openUrl(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void TfrmMain::showTrayIcon(bool shown) {
    m_trayIconShown = shown;
    TrayIcon->setVisible(shown && m_trayAllowed);
}
