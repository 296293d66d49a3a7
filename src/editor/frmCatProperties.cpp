// The category and slide show properties dialog: its pages, and the binding of its
// controls to the CategoryProperties state.
#include "editor/frmCatProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/StoredColor.h"
#include "library/LibraryFrameParts.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

namespace velvora {

namespace {

constexpr QSize DialogSize{449, 349};
constexpr int Margin = 8;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int NumberBoxWidth = 60;
constexpr int SwatchSize = 21;
constexpr int NameLength = 255;

QString ScreenNote(const QString& what) {
    return QStringLiteral(
               "Note: The width and height specify the percentage of the viewer's screen. A width of 100 indicates "
               "the %1 will be the width of the viewer's screen. A width of 50 indicates it will be half the width "
               "of the viewer's screen.")
        .arg(what);
}

QComboBox* MakeChooser(const QString& name, const NameChooser& chooser) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    for (const std::string& item : chooser.Items()) box->addItem(FromStored(item));
    return box;
}

QLineEdit* MakeTextBox(const QString& name, int maxLength = NameLength) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    return box;
}

QLineEdit* MakeNumberBox(const QString& name) {
    QLineEdit* box = MakeTextBox(name, 6);
    box->setFixedWidth(NumberBoxWidth);
    return box;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QFormLayout* MakeForm(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setContentsMargins(12, 14, 12, 12);
    form->setVerticalSpacing(10);
    form->setHorizontalSpacing(12);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

// A number box followed by its unit, so that the percentages read as such.
QWidget* WithUnit(QLineEdit* box, const QString& unit) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addWidget(new QLabel(unit));
    layout->addStretch();
    return row;
}

// The panel of an intro or about role: its window size and what the numbers mean.
QWidget* MakeScreenSizePanel(const QString& name, QLineEdit* width, QLineEdit* height, const QString& note) {
    auto* panel = new QWidget;
    panel->setObjectName(name);
    QFormLayout* form = MakeForm(panel);
    form->setContentsMargins(20, 4, 0, 0);
    form->addRow(QStringLiteral("Width:"), WithUnit(width, QStringLiteral("%")));
    form->addRow(QStringLiteral("Height:"), WithUnit(height, QStringLiteral("%")));
    auto* text = new QLabel(note);
    text->setWordWrap(true);
    form->addRow(text);
    return panel;
}

QWidget* MakeRolePage(QCheckBox* role, const QList<QWidget*>& below) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(12, 14, 12, 12);
    column->setSpacing(10);
    column->addWidget(role);
    for (QWidget* widget : below) column->addWidget(widget);
    column->addStretch();
    return page;
}

void SelectChooser(QComboBox* box, const NameChooser& chooser) { box->setCurrentIndex(chooser.Selected()); }

}  // namespace

TCatProperties::TCatProperties(CategoryNode& node, QWidget* parent)
    : QDialog(parent), node_(node), state_(CategoryProperties::Load(node, ShowSettings)) {
    const bool isShow = state_.Mode == PropertiesMode::Show;
    setObjectName(QStringLiteral("frmCatProperties"));
    setWindowTitle(isShow ? QStringLiteral("Slide Show Properties") : QStringLiteral("Category Properties"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(DialogSize);

    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("pgcProperties"));
    pages_->addTab(isShow ? CreateShowBasicPage() : CreateCategoryBasicPage(), QStringLiteral("Basic"));
    pages_->addTab(CreateTransitionsPage(), QStringLiteral("Transitions"));
    pages_->addTab(CreateDisplayPage(), QStringLiteral("Display"));
    if (isShow) {
        pages_->addTab(CreateViewerPage(), QStringLiteral("Viewer"));
    } else {
        pages_->addTab(CreateIntroPage(), QStringLiteral("Intro"));
        pages_->addTab(CreateAboutPage(), QStringLiteral("About"));
        pages_->addTab(CreateAutoRunPage(), QStringLiteral("Auto Run"));
    }
    pages_->setCurrentIndex(0);
    CreateButtons();
    LoadControls();
    ConnectHandlers();
}

QWidget* TCatProperties::CreateBackgroundRow(const QString& chooserName, const QString& buttonName) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    background_ = MakeChooser(chooserName, state_.Background);
    pnlBackgroundColor = new QLabel;
    pnlBackgroundColor->setObjectName(QStringLiteral("pnlBackgroundColor"));
    pnlBackgroundColor->setFixedSize(SwatchSize, SwatchSize);
    pnlBackgroundColor->setFrameShape(QFrame::Box);
    backgroundEdit_ = new QPushButton(QStringLiteral("Edit..."));
    backgroundEdit_->setObjectName(buttonName);
    backgroundEdit_->setAutoDefault(false);
    lblBackgroundOption1 = new QLabel(QStringLiteral("0"), row);
    lblBackgroundOption1->setObjectName(QStringLiteral("lblBackgroundOption1"));
    lblBackgroundOption1->hide();
    layout->addWidget(background_, 1);
    layout->addWidget(pnlBackgroundColor);
    layout->addWidget(backgroundEdit_);
    return row;
}

QWidget* TCatProperties::CreateCategoryBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabCategoryBasic"));
    QFormLayout* form = MakeForm(page);
    name_ = MakeTextBox(QStringLiteral("txtName"));
    loop_ = MakeChooser(QStringLiteral("lbxLoop"), state_.Loop);
    form->addRow(QStringLiteral("Name:"), name_);
    form->addRow(QStringLiteral("Looping:"), loop_);
    form->addRow(QStringLiteral("Background:"),
                 CreateBackgroundRow(QStringLiteral("lbxBackground"), QStringLiteral("btnBackgroundEdit")));
    return page;
}

QWidget* TCatProperties::CreateShowBasicPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabShowBasic"));
    QFormLayout* form = MakeForm(page);
    name_ = MakeTextBox(QStringLiteral("txtShowName"));
    txtShowDescription = MakeTextBox(QStringLiteral("txtShowDescription"), 1024);
    txtShowAuthor = MakeTextBox(QStringLiteral("txtShowAuthor"));
    loop_ = MakeChooser(QStringLiteral("lbxLoopShow"), state_.Loop);
    form->addRow(QStringLiteral("Name:"), name_);
    form->addRow(QStringLiteral("Description:"), txtShowDescription);
    form->addRow(QStringLiteral("Author:"), txtShowAuthor);
    form->addRow(QStringLiteral("Looping:"), loop_);
    form->addRow(QStringLiteral("Background:"),
                 CreateBackgroundRow(QStringLiteral("lbxShowBackground"), QStringLiteral("btnShowBackgroundEdit")));
    return page;
}

QWidget* TCatProperties::CreateTransitionsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabTransitions"));
    lbxTransition = MakeChooser(QStringLiteral("lbxTransition"), state_.Transition);
    lbxTransition->setMaxVisibleItems(int(state_.Transition.Items().size()));
    MakeForm(page)->addRow(QStringLiteral("Transition:"), lbxTransition);
    return page;
}

QWidget* TCatProperties::CreateDisplayPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabDisplay"));
    QFormLayout* form = MakeForm(page);
    lbxHorizontal = MakeChooser(QStringLiteral("lbxHorizontal"), state_.Horizontal);
    lbxVertical = MakeChooser(QStringLiteral("lbxVertical"), state_.Vertical);
    lbxDuration = MakeChooser(QStringLiteral("lbxDuration"), state_.Duration);
    lbxSize = MakeChooser(QStringLiteral("lbxSize"), state_.Size);
    lblDuration = new QLabel(QStringLiteral("Seconds:"));
    lblDuration->setObjectName(QStringLiteral("lblDuration"));
    txtDuration = MakeNumberBox(QStringLiteral("txtDuration"));
    auto* duration = new QWidget;
    auto* row = new QHBoxLayout(duration);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(lbxDuration, 1);
    row->addSpacing(6);
    row->addWidget(lblDuration);
    row->addWidget(txtDuration);
    form->addRow(QStringLiteral("Horizontal:"), lbxHorizontal);
    form->addRow(QStringLiteral("Vertical:"), lbxVertical);
    form->addRow(QStringLiteral("Duration:"), duration);
    form->addRow(QStringLiteral("Size:"), lbxSize);
    return page;
}

QWidget* TCatProperties::CreateViewerPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabViewer"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(Margin, Margin, Margin, Margin);
    auto* heading = new QLabel(QStringLiteral(" Viewer"));
    heading->setObjectName(QStringLiteral("lblViewer"));
    heading->setFont(ArialFont(13, true));
    column->addWidget(heading);
    auto* options = new QWidget;
    auto* list = new QVBoxLayout(options);
    list->setContentsMargins(6, 4, 6, 4);
    list->setSpacing(6);
    for (const ViewerOption& option : ViewerOptions) {
        viewerOptions_.append(MakeCheckBox(QString::fromLatin1(option.CheckBox), QString::fromLatin1(option.Caption)));
        list->addWidget(viewerOptions_.back());
    }
    list->addStretch();
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sbxViewer"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(options);
    column->addWidget(scroll, 1);
    return page;
}

QWidget* TCatProperties::CreateIntroPage() {
    chkIntroCat = MakeCheckBox(QStringLiteral("chkIntroCat"),
                               QStringLiteral("This category is the intro category for this slide show"));
    txtIntroWidth = MakeNumberBox(QStringLiteral("txtIntroWidth"));
    txtIntroHeight = MakeNumberBox(QStringLiteral("txtIntroHeight"));
    pnlIntro = MakeScreenSizePanel(QStringLiteral("pnlIntro"), txtIntroWidth, txtIntroHeight,
                                   ScreenNote(QStringLiteral("intro slide show")));
    QWidget* page = MakeRolePage(chkIntroCat, {pnlIntro});
    page->setObjectName(QStringLiteral("tabIntro"));
    return page;
}

QWidget* TCatProperties::CreateAboutPage() {
    chkAboutCat = MakeCheckBox(QStringLiteral("chkAboutCat"),
                               QStringLiteral("This category is the about box category for this slide show"));
    txtAboutWidth = MakeNumberBox(QStringLiteral("txtAboutWidth"));
    txtAboutHeight = MakeNumberBox(QStringLiteral("txtAboutHeight"));
    pnlAbout = MakeScreenSizePanel(QStringLiteral("pnlAbout"), txtAboutWidth, txtAboutHeight,
                                   ScreenNote(QStringLiteral("about box slide show")));
    QWidget* page = MakeRolePage(chkAboutCat, {pnlAbout});
    page->setObjectName(QStringLiteral("tabAbout"));
    return page;
}

QWidget* TCatProperties::CreateAutoRunPage() {
    chkAutoRun = MakeCheckBox(QStringLiteral("chkAutoRun"),
                              QStringLiteral("This category is the auto run category for this slide show"));
    chkAutoRunExit =
        MakeCheckBox(QStringLiteral("chkAutoRunExit"), QStringLiteral("Exit the viewer after this category is viewed"));
    auto* indented = new QWidget;
    auto* row = new QHBoxLayout(indented);
    row->setContentsMargins(20, 0, 0, 0);
    row->addWidget(chkAutoRunExit);
    QWidget* page = MakeRolePage(chkAutoRun, {indented});
    page->setObjectName(QStringLiteral("tabAutoRun"));
    return page;
}

void TCatProperties::CreateButtons() {
    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {Button1, btnCancel}) {
        button->setFixedSize(ButtonWidth, ButtonHeight);
        buttons->addWidget(button);
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(Margin, Margin, Margin, Margin);
    column->setSpacing(Margin);
    column->addWidget(pages_, 1);
    column->addLayout(buttons);
}

void TCatProperties::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, &TCatProperties::Button1Click);
    connect(btnCancel, &QPushButton::clicked, this, &TCatProperties::btnCancelClick);
    connect(lbxDuration, &QComboBox::currentIndexChanged, this, &TCatProperties::lbxDurationChange);
    connect(background_, &QComboBox::currentIndexChanged, this, &TCatProperties::lbxBackgroundClick);
    connect(backgroundEdit_, &QPushButton::clicked, this, &TCatProperties::btnBackgroundEditClick);
    if (state_.Mode == PropertiesMode::Show) return;
    connect(chkIntroCat, &QCheckBox::toggled, this, &TCatProperties::chkIntroCatClick);
    connect(chkAboutCat, &QCheckBox::toggled, this, &TCatProperties::chkAboutCatClick);
    connect(chkAutoRun, &QCheckBox::toggled, this, &TCatProperties::chkAutoRunClick);
}

void TCatProperties::LoadControls() {
    name_->setText(FromStored(state_.Name));
    SelectChooser(loop_, state_.Loop);
    SelectChooser(background_, state_.Background);
    lblBackgroundOption1->setText(FromStored(state_.BackgroundColor));
    SelectChooser(lbxTransition, state_.Transition);
    SelectChooser(lbxHorizontal, state_.Horizontal);
    SelectChooser(lbxVertical, state_.Vertical);
    SelectChooser(lbxDuration, state_.Duration);
    txtDuration->setText(FromStored(state_.Seconds));
    SelectChooser(lbxSize, state_.Size);
    lbxDurationChange();
    lbxBackgroundClick();
    if (state_.Mode == PropertiesMode::Show) {
        txtShowAuthor->setText(FromStored(state_.Author));
        txtShowDescription->setText(FromStored(state_.Description));
        for (qsizetype i = 0; i < viewerOptions_.size(); ++i) viewerOptions_[i]->setChecked(state_.Viewer[size_t(i)]);
        return;
    }
    chkIntroCat->setChecked(state_.Intro);
    txtIntroWidth->setText(FromStored(state_.IntroWidth));
    txtIntroHeight->setText(FromStored(state_.IntroHeight));
    chkAboutCat->setChecked(state_.About);
    txtAboutWidth->setText(FromStored(state_.AboutWidth));
    txtAboutHeight->setText(FromStored(state_.AboutHeight));
    chkAutoRun->setChecked(state_.AutoRun);
    chkAutoRunExit->setChecked(state_.AutoRunExit);
    chkIntroCatClick();
    chkAboutCatClick();
    chkAutoRunClick();
}

void TCatProperties::ReadControls() {
    state_.Name = ToStored(name_->text());
    state_.Loop.Select(loop_->currentIndex());
    state_.Background.Select(background_->currentIndex());
    state_.BackgroundColor = ToStored(lblBackgroundOption1->text());
    state_.Transition.Select(lbxTransition->currentIndex());
    state_.Horizontal.Select(lbxHorizontal->currentIndex());
    state_.Vertical.Select(lbxVertical->currentIndex());
    state_.Duration.Select(lbxDuration->currentIndex());
    state_.Seconds = ToStored(txtDuration->text());
    state_.Size.Select(lbxSize->currentIndex());
    if (state_.Mode == PropertiesMode::Show) {
        state_.Author = ToStored(txtShowAuthor->text());
        state_.Description = ToStored(txtShowDescription->text());
        for (qsizetype i = 0; i < viewerOptions_.size(); ++i) state_.Viewer[size_t(i)] = viewerOptions_[i]->isChecked();
        return;
    }
    state_.Intro = chkIntroCat->isChecked();
    state_.IntroWidth = ToStored(txtIntroWidth->text());
    state_.IntroHeight = ToStored(txtIntroHeight->text());
    state_.About = chkAboutCat->isChecked();
    state_.AboutWidth = ToStored(txtAboutWidth->text());
    state_.AboutHeight = ToStored(txtAboutHeight->text());
    state_.AutoRun = chkAutoRun->isChecked();
    state_.AutoRunExit = chkAutoRunExit->isChecked();
}

void TCatProperties::Button1Click() {
    ReadControls();
    const CategoryNameProblem problem = state_.Save(node_, ShowSettings);
    if (problem != CategoryNameProblem::None) {
        Dialogs().ShowInfo(FromStored(CategoryNameProblemText(problem, !node_.Parent(), state_.Name)));
        pages_->setCurrentIndex(0);
        name_->setFocus();
        name_->selectAll();
        return;
    }
    cancelled_ = false;
    accept();
}

void TCatProperties::btnCancelClick() { reject(); }

void TCatProperties::chkIntroCatClick() { pnlIntro->setVisible(chkIntroCat->isChecked()); }

void TCatProperties::chkAboutCatClick() { pnlAbout->setVisible(chkAboutCat->isChecked()); }

void TCatProperties::chkAutoRunClick() { chkAutoRunExit->setVisible(chkAutoRun->isChecked()); }

void TCatProperties::lbxDurationChange() {
    state_.Duration.Select(lbxDuration->currentIndex());
    lblDuration->setVisible(state_.SecondsVisible());
    txtDuration->setVisible(state_.SecondsVisible());
}

void TCatProperties::lbxBackgroundClick() {
    state_.Background.Select(background_->currentIndex());
    backgroundEdit_->setEnabled(state_.BackgroundEditEnabled());
    ShowBackgroundColor();
}

void TCatProperties::btnBackgroundEditClick() {
    state_.Background.Select(background_->currentIndex());
    if (!state_.CanPickBackgroundColor()) return;
    const QColor chosen = Dialogs().PickColor(ColorFromStored(ToStored(lblBackgroundOption1->text())));
    if (!chosen.isValid()) return;
    lblBackgroundOption1->setText(FromStored(StoredFromColor(chosen)));
    ShowBackgroundColor();
}

// The swatch beside "Edit..." shows the colour the holder keeps, while one applies.
void TCatProperties::ShowBackgroundColor() {
    const QColor color = ColorFromStored(ToStored(lblBackgroundOption1->text()));
    pnlBackgroundColor->setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
    pnlBackgroundColor->setVisible(state_.CanPickBackgroundColor());
}

bool ShowCategoryProperties(CategoryNode& node, QWidget* parent) {
    TCatProperties dialog(node, parent);
    dialog.exec();
    return !dialog.Cancelled();
}

}  // namespace velvora
