// The properties dialog driven through its controls, without a modal loop.
#include <tuple>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "editor/frmCatProperties.h"
#include "support/ScriptedDialogs.h"

namespace velvora {
namespace {

class CatPropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ShowSettings = KeyValueList({"Title=Trip", "Transition=3", "ViewerShowToolbar=1"});
        root = tree.SetRoot("Trip");
        root->Category = std::make_unique<TCategory>();
        category = tree.AddChild(root, "Beach");
        category->Category = std::make_unique<TCategory>();
        tree.AddChild(root, "Snow");
    }
    void TearDown() override { ShowSettings.Clear(); }

    template <typename Widget>
    static Widget* Find(const QWidget& dialog, const char* name) {
        auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QStringList TabTexts(const TCatProperties& dialog) {
        auto* pages = dialog.findChild<QTabWidget*>();
        QStringList texts;
        for (int i = 0; i < pages->count(); ++i) texts << pages->tabText(i);
        return texts;
    }

    testing::ScriptedDialogs dialogs;
    CategoryTree tree;
    CategoryNode* root = nullptr;
    CategoryNode* category = nullptr;
};

TEST_F(CatPropertiesDialogTest, ShowAndCategoryModesOfferTheirOwnPagesAndControls) {
    TCatProperties show(*root);
    EXPECT_EQ(show.windowTitle(), "Slide Show Properties");
    EXPECT_EQ(TabTexts(show), QStringList({"Basic", "Transitions", "Display", "Viewer"}));
    EXPECT_EQ(Find<QLineEdit>(show, "txtShowName")->text(), "Trip");
    EXPECT_EQ(Find<QComboBox>(show, "lbxTransition")->currentText(), "Slide from left");
    EXPECT_TRUE(Find<QCheckBox>(show, "chkShowToolbar")->isChecked());
    TCatProperties beach(*category);
    EXPECT_EQ(beach.windowTitle(), "Category Properties");
    EXPECT_EQ(TabTexts(beach), QStringList({"Basic", "Transitions", "Display", "Intro", "About", "Auto Run"}));
}

TEST_F(CatPropertiesDialogTest, CancelLeavesEverythingAndOkStoresTheControls) {
    for (const bool ok : {false, true}) {
        for (CategoryNode* node : {category, root}) {
            const KeyValueList settingsBefore = ShowSettings;
            const TCategory categoryBefore = *node->Category;
            TCatProperties dialog(*node);
            for (QComboBox* box : dialog.findChildren<QComboBox*>()) box->setCurrentIndex(box->count() - 1);
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(true);
            for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) box->setText("77");
            QTest::mouseClick(Find<QPushButton>(dialog, ok ? "Button1" : "btnCancel"), Qt::LeftButton);
            EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
            EXPECT_EQ(dialog.Cancelled(), !ok);
            EXPECT_EQ(node->Text == "77", ok);
            EXPECT_EQ(ShowSettings.Lines() == settingsBefore.Lines(), !ok || node != root);
            EXPECT_EQ(*node->Category == categoryBefore, !ok);
        }
    }
    EXPECT_EQ(ShowSettings.Value("Author"), "77");
    EXPECT_EQ(std::tuple(category->Category->Size, category->Category->IntroWidth, category->Category->AutoRunExit),
              std::tuple(6, 77, true));
}

TEST_F(CatPropertiesDialogTest, BackgroundColourIsPickedOnlyForASpecificColour) {
    dialogs.pickedColor = Qt::red;
    TCatProperties dialog(*category);
    auto* edit = Find<QPushButton>(dialog, "btnBackgroundEdit");
    EXPECT_FALSE(edit->isEnabled());
    dialog.btnBackgroundEditClick();  // "Default" is chosen: no colour dialog
    EXPECT_TRUE(dialogs.colorsAsked.empty());
    Find<QComboBox>(dialog, "lbxBackground")->setCurrentIndex(1);
    EXPECT_TRUE(edit->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(Find<QLabel>(dialog, "lblBackgroundOption1")->text(), "255");
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(dialogs.colorsAsked, (std::vector<QColor>{Qt::black, Qt::red}));
    dialog.Button1Click();
    EXPECT_EQ(std::tuple(category->Category->Background, category->Category->BackgroundOption1),
              std::tuple(1, std::string("255")));

    ShowSettings.SetValue("BackgroundOption1", "16711680");  // blue
    TCatProperties show(*root);
    QTest::mouseClick(Find<QPushButton>(show, "btnShowBackgroundEdit"), Qt::LeftButton);
    EXPECT_EQ(dialogs.colorsAsked.back(), QColor(Qt::blue));
    show.Button1Click();
    EXPECT_EQ(ShowSettings.Value("BackgroundOption1"), "255");
    EXPECT_EQ(root->Category->BackgroundOption1, "255");
}

TEST_F(CatPropertiesDialogTest, DependentControlsFollowTheirChooserAndARefusedNameKeepsTheDialogOpen) {
    TCatProperties dialog(*category);
    dialog.show();
    auto* duration = Find<QComboBox>(dialog, "lbxDuration");
    auto* seconds = Find<QLineEdit>(dialog, "txtDuration");
    EXPECT_TRUE(seconds->isHidden());
    duration->setCurrentText("Custom...");
    EXPECT_FALSE(seconds->isHidden() || Find<QLabel>(dialog, "lblDuration")->isHidden());
    seconds->setText("30");
    duration->setCurrentText("5 Seconds");
    EXPECT_TRUE(seconds->isHidden());
    const std::pair<const char*, const char*> rows[] = {
        {"chkIntroCat", "pnlIntro"}, {"chkAboutCat", "pnlAbout"}, {"chkAutoRun", "chkAutoRunExit"}};
    for (const auto& [check, dependent] : rows) {
        auto* panel = Find<QWidget>(dialog, dependent);
        EXPECT_TRUE(panel->isHidden()) << dependent;
        Find<QCheckBox>(dialog, check)->click();
        EXPECT_FALSE(panel->isHidden()) << dependent;
    }
    auto* name = Find<QLineEdit>(dialog, "txtName");
    name->setText("Snow");
    dialog.Button1Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("\"Snow\""));
    EXPECT_TRUE(dialog.isVisible() && dialog.Cancelled());
    EXPECT_EQ(category->Text, "Beach");
    name->setText("Sea");
    dialog.Button1Click();
    EXPECT_EQ(category->Category->DurationCount, 30);  // typed while shown, kept while hidden
}

}  // namespace
}  // namespace velvora
