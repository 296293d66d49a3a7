#include "app/frmMain.h"

#include <exception>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AppInfo.h"
#include "app/AppResources.h"
#include "app/PreviewCleanup.h"
#include "base/Progress.h"
#include "library/ShowIndex.h"
#include "library/frmNewCreate.h"
#include "library/frmNewSlideShow.h"
#include "library/frmOpenShow.h"
#include "platform/Dialogs.h"
#include "platform/MessagePump.h"
#include "platform/TextCodec.h"
#include "platform/UrlOpener.h"

namespace velvora {

static TMain* theMainWindow = nullptr;

static constexpr QSize DesignSize(696, 480);
// Room for the category tree, the photo cards and the properties panel side by side.
static constexpr QSize FirstStartSize(1024, 720);
static const char* const PictureFilter =
    "All (*.jpg *.jpeg *.bmp *.png *.gif *.tif *.tiff *.webp *.heic *.heif);;JPEG Image File (*.jpg *.jpeg);;"
    "Bitmaps (*.bmp);;PNG Image File (*.png);;GIF Image File (*.gif);;TIFF Image File (*.tif *.tiff);;"
    "WebP Image File (*.webp);;HEIF Image File (*.heic *.heif)";

static void Post(QObject* receiver, ShellEventType type) {
    QCoreApplication::postEvent(receiver, new QEvent(static_cast<QEvent::Type>(type)));
}

// Closes the progress window on every way out of the scope that opened the list.
struct ProgressCloser {
    ~ProgressCloser() { ProgressClose(); }
};

TMain::TMain(ShowEditorFactory editorFactory, QWidget* parent)
    : QMainWindow(parent), editorFactory_(std::move(editorFactory)) {
    theMainWindow = this;
    SetBurnOfferHandler([this](const StringList& files) {
        burnFileList_ = files;
        RequestBurn();
    });
    setWindowTitle(QString::fromLatin1(ProductName));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/velvora.svg")));
    resize(DesignSize);
    CreateLayout();
    CreateFileMenu();
    CreateCategoriesMenu();
    CreatePhotosMenu();
    CreateHelpMenu();
    ReadSettings();
    qApp->installEventFilter(this);
    SetIdleHook([this] { PostDeferredRequests(); });
    previewCleanup_ = new PreviewCleanupServer(PreviewCleanupServer::DefaultServerName(),
                                               WithTrailingSeparator(AppPath) + PreviewFileName, this);
    FormCreate();
}

TMain::~TMain() {
    ShowList.clear();
    if (theMainWindow != this) return;
    theMainWindow = nullptr;
    SetBurnOfferHandler({});
    SetIdleHook(nullptr);
}

TMain* TMain::Instance() { return theMainWindow; }

void TMain::FormCreate() {
    Rotate1->menuAction()->setVisible(false);
    InitShowsPath();
    try {
        LoadShowList();
    } catch (const std::exception& error) {
        // The library starts empty and its unreadable index is left as it is (LoadShowList).
        Dialogs().ShowWarning(FromStored(error.what()));
    }
    ShowFrame(FrameKind::StartPage);
}

void TMain::CreateLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* Bevel1 = new QFrame(central);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(2);
    layout->addWidget(Bevel1);
    pnlFrameContain = new QWidget(central);
    pnlFrameContain->setObjectName(QStringLiteral("pnlFrameContain"));
    auto* frameLayout = new QVBoxLayout(pnlFrameContain);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    pnlFrameContain->hide();
    layout->addWidget(pnlFrameContain, 1);
    layout->addStretch(0);
    setCentralWidget(central);
    statusBar();
}

QAction* TMain::AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

// The Categories menu is never shown and the Photos menu only with the editor, so their
// items are also added to the window itself: that keeps their shortcuts working.
QAction* TMain::AddEditorItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                              EditorCommand command) {
    QAction* item = AddItem(menu, name, caption, shortcut);
    addAction(item);
    connect(item, &QAction::triggered, this, [this, command] { RunEditorCommand(command); });
    return item;
}

void TMain::CreateFileMenu() {
    QMenu* File1 = menuBar()->addMenu(tr("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    connect(File1, &QMenu::aboutToShow, this, &TMain::File1Click);
    connect(AddItem(File1, "New1", tr("&New..."), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            &TMain::RequestNewShow);
    connect(AddItem(File1, "Open1", tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered, this,
            &TMain::RequestOpenShow);
    Close1 = AddItem(File1, "Close1", tr("&Close Slide Show"));
    Close1->setEnabled(false);
    connect(Close1, &QAction::triggered, this, [this] { ShowFrame(FrameKind::StartPage); });
    File1->addSeparator()->setObjectName(QStringLiteral("Save1"));
    SlideShowProperties1 = AddItem(File1, "SlideShowProperties1", tr("Slide Show &Properties..."));
    SlideShowProperties1->setEnabled(false);
    connect(SlideShowProperties1, &QAction::triggered, this,
            [this] { RunEditorCommand(EditorCommand::SlideShowProperties); });
    Publish1 = AddItem(File1, "Publish1", tr("Publis&h..."), QKeySequence(Qt::CTRL | Qt::Key_H));
    Publish1->setEnabled(false);
    connect(Publish1, &QAction::triggered, this, [this] { RunEditorCommand(EditorCommand::Publish); });
    File1->addSeparator()->setObjectName(QStringLiteral("N3"));
    connect(AddItem(File1, "Exit1", tr("E&xit")), &QAction::triggered, this, &QWidget::close);
}

void TMain::CreateCategoriesMenu() {
    Categories1 = menuBar()->addMenu(tr("&Categories"));
    Categories1->setObjectName(QStringLiteral("Categories1"));
    Categories1->menuAction()->setVisible(false);
    AddEditorItem(Categories1, "Properties1", tr("Properties..."), QKeySequence(Qt::ALT | Qt::Key_Return),
                  EditorCommand::CategoryProperties);
    Categories1->addSeparator();
    AddItem(Categories1, "PlaySlideShow1", tr("P&lay Slide Show..."), QKeySequence(Qt::CTRL | Qt::Key_L));
    Categories1->addSeparator();
    const auto shiftCtrl = Qt::SHIFT | Qt::CTRL;
    AddEditorItem(Categories1, "Add1", tr("&Add"), QKeySequence(shiftCtrl | Qt::Key_A), EditorCommand::AddCategory);
    AddEditorItem(Categories1, "Delete1", tr("&Delete"), QKeySequence(shiftCtrl | Qt::Key_D),
                  EditorCommand::DeleteCategory);
    Categories1->addSeparator();
    AddEditorItem(Categories1, "MoveUp2", tr("Move &Up"), QKeySequence(shiftCtrl | Qt::Key_U),
                  EditorCommand::MoveCategoryUp);
    AddEditorItem(Categories1, "MoveDown2", tr("Move &Down"), QKeySequence(shiftCtrl | Qt::Key_J),
                  EditorCommand::MoveCategoryDown);
    Categories1->addSeparator();
    AddItem(Categories1, "ImportMultipleDirectories1", tr("&Import Multiple Directories..."),
            QKeySequence(shiftCtrl | Qt::Key_I));
    AddItem(Categories1, "ImportSlideshow1", tr("I&mport Slideshow..."), QKeySequence(shiftCtrl | Qt::Key_M));
}

void TMain::CreatePhotosMenu() {
    Photos1 = menuBar()->addMenu(tr("&Photos"));
    Photos1->setObjectName(QStringLiteral("Photos1"));
    Photos1->menuAction()->setVisible(false);
    connect(Photos1, &QMenu::aboutToShow, this, &TMain::Photos1Click);
    ViewPhoto1 = AddItem(Photos1, "ViewPhoto1", tr("Vie&w Photo"), QKeySequence(Qt::CTRL | Qt::Key_W));
    ViewPhoto1->setCheckable(true);
    addAction(ViewPhoto1);
    connect(ViewPhoto1, &QAction::triggered, this, &TMain::ViewPhoto1Click);
    Photos1->addSeparator();
    AddEditorItem(Photos1, "Add2", tr("&Add"), QKeySequence(Qt::CTRL | Qt::Key_A), EditorCommand::AddPhotos);
    AddEditorItem(Photos1, "AddFolder2", tr("Add &Folder..."), QKeySequence(), EditorCommand::AddFolder);
    AddEditorItem(Photos1, "Delete2", tr("&Delete"), QKeySequence(Qt::CTRL | Qt::Key_D), EditorCommand::DeletePhotos);
    Photos1->addSeparator();
    AddEditorItem(Photos1, "MoveUp1", tr("Move &Up"), QKeySequence(Qt::CTRL | Qt::Key_U), EditorCommand::MovePhotoUp);
    AddEditorItem(Photos1, "MoveDown1", tr("Move Do&wn"), QKeySequence(Qt::CTRL | Qt::Key_J),
                  EditorCommand::MovePhotoDown);
    SortByName1 = AddEditorItem(Photos1, "SortByName1", tr("Sort by &Name"), {}, EditorCommand::SortPhotosByName);
    SortByDateTaken1 = AddEditorItem(Photos1, "SortByDateTaken1", tr("Sort by Date Ta&ken"), {},
                                     EditorCommand::SortPhotosByDateTaken);
    Photos1->addSeparator();
    AddEditorItem(Photos1, "Cut1", tr("Cu&t"), QKeySequence::Cut, EditorCommand::CutPhotos);
    AddEditorItem(Photos1, "Copy1", tr("&Copy"), QKeySequence::Copy, EditorCommand::CopyPhotos);
    AddEditorItem(Photos1, "Paste1", tr("&Paste"), QKeySequence::Paste, EditorCommand::PastePhotos);
    Photos1->addSeparator();
    AddEditorItem(Photos1, "BasicPhotoProperties1", tr("&Basic Photo Properties"), QKeySequence(Qt::Key_F2),
                  EditorCommand::BasicPhotoProperties);
    AddEditorItem(Photos1, "TransitionProperties1", tr("Transition Properties"), QKeySequence(Qt::Key_F3),
                  EditorCommand::TransitionProperties);
    AddEditorItem(Photos1, "DisplayProperties1", tr("Display Properties"), QKeySequence(Qt::Key_F4),
                  EditorCommand::DisplayProperties);
    Photos1->addSeparator();
    Rotate1 = Photos1->addMenu(tr("&Rotate"));
    Rotate1->setObjectName(QStringLiteral("Rotate1"));
    AddItem(Rotate1, "RotateWizard1", tr("&Rotate Wizard..."), QKeySequence(Qt::CTRL | Qt::Key_R));
    AddItem(Rotate1, "NoRotation1", tr("No Rotation"), QKeySequence(Qt::CTRL | Qt::Key_1));
    AddItem(Rotate1, "Clockwise1", tr("90\u00ba Clockwise"), QKeySequence(Qt::CTRL | Qt::Key_2));
    AddItem(Rotate1, "CounterClockwise1", tr("90\u00ba Counter-Clockwise"), QKeySequence(Qt::CTRL | Qt::Key_3));
    AddItem(Rotate1, "Rotate1801", tr("180\u00ba"), QKeySequence(Qt::CTRL | Qt::Key_4));
}

void TMain::CreateHelpMenu() {
    QMenu* Help1 = menuBar()->addMenu(tr("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    connect(AddItem(Help1, "ContentsandIndex1", tr("Contents and Index..."), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TMain::ContentsandIndex1Click);
    QMenu* WebHelp1 = Help1->addMenu(tr("&Web Help"));
    WebHelp1->setObjectName(QStringLiteral("WebHelp1"));
    connect(AddItem(WebHelp1, "UpdatesTechnicalSupport1", tr("Updates && Technical Support")), &QAction::triggered,
            this, [this] { OpenWebHelp(SupportPageUrl); });
    connect(AddItem(WebHelp1, "HomePage1", tr("Velvora Home Page")), &QAction::triggered, this,
            [this] { OpenWebHelp(HomePageUrl); });
    connect(AddItem(WebHelp1, "MakerWebSite1", FromStored(EscapeAmpersands(MakerName))), &QAction::triggered, this,
            [this] { OpenWebHelp(MakerPageUrl); });
    Help1->addSeparator();
    ShowTooltips1 = AddItem(Help1, "ShowTooltips1", tr("Show Tooltips"));
    ShowTooltips1->setCheckable(true);
    ShowTooltips1->setChecked(true);
    Help1->addSeparator();
    connect(AddItem(Help1, "About1", tr("&About...")), &QAction::triggered, this, [this] { ShowAbout(this); });
}

void TMain::RequestNewShow() { Post(this, NewShowRequestEvent); }

void TMain::RequestOpenShow() {
    ProgressOpen();
    ProgressSetTitle("Opening slide show...");
    ProgressRefresh();
    Post(this, OpenShowRequestEvent);
}

void TMain::RequestStartPage() { Post(this, StartPageRequestEvent); }

void TMain::OpenShow(const std::string& showFolder) {
    // Loaded aside first, so that a failure leaves the open show's state untouched.
    KeyValueList settings;
    settings.LoadFromFile(showFolder + ShowSettingsFileName);
    ShowPath = showFolder;
    ShowSettings = std::move(settings);
    Post(this, EditorRequestEvent);
}

void TMain::RequestBurn() { Post(this, BurnRequestEvent); }

static bool IsShellRequest(int type) { return type >= OpenShowRequestEvent && type <= BurnRequestEvent; }

// A request that arrives while long work runs would destroy the frame doing it; it waits
// for the work to end instead.
void TMain::customEvent(QEvent* event) {
    const int type = static_cast<int>(event->type());
    if (IsBusy() && IsShellRequest(type)) {
        deferredRequests_.push_back(type);
        return;
    }
    switch (type) {
        case OpenShowRequestEvent: ShowFrame(FrameKind::OpenShow); break;
        case NewShowRequestEvent: ShowFrame(FrameKind::NewShow); break;
        case StartPageRequestEvent: ShowFrame(FrameKind::StartPage); break;
        case EditorRequestEvent: ShowFrame(FrameKind::Editor); break;
        case BurnRequestEvent:
            if (burnWindowOpener_) burnWindowOpener_();
            break;
        default: QMainWindow::customEvent(event);
    }
}

void TMain::PostDeferredRequests() {
    for (int type : std::exchange(deferredRequests_, {})) Post(this, static_cast<ShellEventType>(type));
}

void TMain::ShowFrame(FrameKind kind) {
    if (ShowEditorFrame* editor = Editor(); editor && !editor->CloseShow()) return;
    // The menus follow the frame only once the old one has agreed to go.
    Categories1->menuAction()->setVisible(false);
    Photos1->menuAction()->setVisible(false);
    SlideShowProperties1->setEnabled(false);
    DestroyCurrentFrame();
    pnlFrameContain->hide();
    currentFrame_ = CreateFrame(kind);
    currentKind_ = currentFrame_ ? kind : FrameKind::None;
    try {
        PrepareFrame();
    } catch (...) {
        // A frame that failed to fill goes, so that a half-loaded editor is never asked
        // to close (closing saves the show); the start page takes its place.
        DestroyCurrentFrame();
        ShowFrame(FrameKind::StartPage);
        throw;
    }
    if (currentFrame_) {
        PlaceFrame(currentFrame_);
        currentFrame_->show();
        pnlFrameContain->show();
    }
    File1Click();
}

void TMain::PrepareFrame() {
    switch (currentKind_) {
        case FrameKind::NewShow: ShowNewShowFrame(); break;
        case FrameKind::OpenShow: ShowOpenShowFrame(); break;
        case FrameKind::Editor: ShowEditorFrameForShow(); break;
        case FrameKind::StartPage:
        case FrameKind::None: break;
    }
}

QWidget* TMain::CreateFrame(FrameKind kind) {
    switch (kind) {
        case FrameKind::StartPage: return new TFrameNewCreate(*this, this);
        case FrameKind::NewShow: return new TFrameNewSlideShow(*this, this);
        case FrameKind::OpenShow: return new TFrameOpenShow(*this, this);
        case FrameKind::Editor: return editorFactory_(*this, this);
        case FrameKind::None: break;
    }
    return nullptr;
}

// A field can take the focus only once it is parented and visible, hence this order.
void TMain::ShowNewShowFrame() {
    PlaceFrame(currentFrame_);
    pnlFrameContain->show();
    currentFrame_->show();
    static_cast<TFrameNewSlideShow*>(currentFrame_)->FocusTitle();
}

void TMain::ShowOpenShowFrame() {
    ProgressCloser closeProgressOpenedByRequest;
    PlaceFrame(currentFrame_);
    static_cast<TFrameOpenShow*>(currentFrame_)->FillList();
}

void TMain::ShowEditorFrameForShow() {
    PlaceFrame(currentFrame_);
    Editor()->LoadShow();
    SlideShowProperties1->setEnabled(true);
    Photos1->menuAction()->setVisible(true);
}

void TMain::PlaceFrame(QWidget* frame) {
    if (frame->parentWidget() == pnlFrameContain) return;
    frame->setParent(pnlFrameContain);
    pnlFrameContain->layout()->addWidget(frame);
}

void TMain::DestroyCurrentFrame() {
    if (!currentFrame_) return;
    pnlFrameContain->hide();
    delete std::exchange(currentFrame_, nullptr);
    currentKind_ = FrameKind::None;
}

ShowEditorFrame* TMain::Editor() const {
    return currentKind_ == FrameKind::Editor ? static_cast<ShowEditorFrame*>(currentFrame_) : nullptr;
}

// Editor commands reach the editor only; on any other frame they do nothing.
void TMain::RunEditorCommand(EditorCommand command) {
    if (ShowEditorFrame* editor = Editor()) editor->RunCommand(command);
}

void TMain::File1Click() {
    Close1->setEnabled(currentKind_ != FrameKind::StartPage);
    Publish1->setEnabled(currentKind_ == FrameKind::Editor);
}

void TMain::Photos1Click() {
    ShowEditorFrame* editor = Editor();
    if (!editor) return;
    ViewPhoto1->setChecked(editor->PhotoViewerVisible());
    SortByName1->setEnabled(editor->IsCommandEnabled(EditorCommand::SortPhotosByName));
    SortByDateTaken1->setEnabled(editor->IsCommandEnabled(EditorCommand::SortPhotosByDateTaken));
}

void TMain::ViewPhoto1Click(bool checked) {
    if (ShowEditorFrame* editor = Editor()) editor->ShowPhotoViewer(checked, false);
}

bool TMain::TooltipsShown() const { return ShowTooltips1->isChecked(); }

// Qt has no per-window switch for hints, so this window's tooltips are filtered here.
bool TMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !TooltipsShown()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The guide is installed with the program, so it is opened without a look first; a desktop
// that cannot open it still gets a warning from OpenPage.
void TMain::ContentsandIndex1Click() { OpenPage(QUrl::fromLocalFile(FromStored(ProgramFilePath(GuideFileName)))); }

void TMain::OpenWebHelp(const char* url) {
    if (*url == '\0')
        ContentsandIndex1Click();
    else
        OpenPage(QUrl(QString::fromLatin1(url)));
}

void TMain::OpenPage(const QUrl& url) {
    if (!OpenUrl(url)) Dialogs().ShowWarning(tr("The web page %1 cannot be opened.").arg(url.toString()));
}

StringList TMain::PickPictures(const std::string& title) {
    StringList files;
    for (const QString& file :
         Dialogs().PickOpenFiles(OpenFilesRequest{FromStored(title), QString::fromLatin1(PictureFilter), QString()}))
        files.push_back(ToStored(file));
    return files;
}

void TMain::closeEvent(QCloseEvent* event) {
    if (IsBusy()) {
        event->ignore();
        return;
    }
    ShowFrame(FrameKind::None);
    WriteSettings();
    event->accept();
}

// Keys are named after the controls whose values they keep.
static const QString GeometryKey = QStringLiteral("Placement");
static const QString PhotoDeleteAskKey = QStringLiteral("chkPhotoDeleteAsk.Checked");
static const QString ShowTooltipsKey = QStringLiteral("ShowTooltips1.Checked");
static const QString CategoryPaneWidthKey = QStringLiteral("pnlCategoryPane.Width");

void TMain::ReadSettings() {
    QSettings settings;
    settings.beginGroup(QStringLiteral("TMain"));
    if (!restoreGeometry(settings.value(GeometryKey).toByteArray())) PlaceForFirstStart();
    photoDeleteAsk_ = settings.value(PhotoDeleteAskKey, true).toBool();
    ShowTooltips1->setChecked(settings.value(ShowTooltipsKey, true).toBool());
    bool isNumber = false;
    const int width = settings.value(CategoryPaneWidthKey).toInt(&isNumber);
    if (isNumber && width > 0) categoryPaneWidth_ = width;
}

// Without a saved placement the window opens centred, at FirstStartSize or, on a small
// screen, at nine tenths of what the screen offers, which leaves room for the frame.
void TMain::PlaceForFirstStart() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    QRect placement(QPoint(), FirstStartSize.boundedTo(available.size() * 0.9));
    placement.moveCenter(available.center());
    setGeometry(placement);
}

void TMain::WriteSettings() const {
    QSettings settings;
    settings.beginGroup(QStringLiteral("TMain"));
    settings.setValue(GeometryKey, saveGeometry());
    settings.setValue(PhotoDeleteAskKey, photoDeleteAsk_);
    settings.setValue(ShowTooltipsKey, TooltipsShown());
    settings.setValue(CategoryPaneWidthKey, categoryPaneWidth_);
}

}  // namespace velvora
