// The properties dialog driven through its controls, without a modal loop.
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

// Answers the colour dialog with a fixed colour; the other services are never asked here.
class ColourPicker final : public DialogService {
public:
    explicit ColourPicker(QColor answer) : answer_(answer) {
        previous_ = SetDialogService(std::unique_ptr<DialogService>(this));
    }
    ~ColourPicker() override { SetDialogService(std::move(previous_)).release(); }

    QColor PickColor(const QColor& initial) override {
        asked.push_back(initial);
        return answer_;
    }
    void ShowInfo(const QString&) override {}
    void ShowWarning(const QString&) override {}
    bool Confirm(const QString&) override { return false; }
    bool ConfirmWithOptOut(const QString&, const QString&, const QString&, bool&) override { return false; }
    QStringList PickOpenFiles(const OpenFilesRequest&) override { return {}; }
    QString PickFolder(const QString&, const QString&) override { return {}; }

    std::vector<QColor> asked;

private:
    QColor answer_;
    std::unique_ptr<DialogService> previous_;
};

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
    EXPECT_EQ(Find<QComboBox>(show, "lbxShowBackground")->count(), 1);
    EXPECT_TRUE(Find<QCheckBox>(show, "chkShowToolbar")->isChecked());
    EXPECT_TRUE(Find<QPushButton>(show, "btnShowBackgroundEdit")->isEnabled());
    for (const char* categoryOnly : {"txtName", "lbxLoop", "chkIntroCat", "chkAutoRun"})
        EXPECT_EQ(show.findChild<QWidget*>(categoryOnly), nullptr) << categoryOnly;

    TCatProperties beach(*category);
    EXPECT_EQ(beach.windowTitle(), "Category Properties");
    EXPECT_EQ(TabTexts(beach), QStringList({"Basic", "Transitions", "Display", "Intro", "About", "Auto Run"}));
    EXPECT_EQ(Find<QComboBox>(beach, "lbxTransition")->count(), 11);
    EXPECT_EQ(Find<QComboBox>(beach, "lbxHorizontal")->itemText(5), "Custom...");
    EXPECT_FALSE(Find<QPushButton>(beach, "btnBackgroundEdit")->isEnabled());
    for (const char* showOnly : {"txtShowName", "txtShowAuthor", "lbxLoopShow", "chkShowToolbar"})
        EXPECT_EQ(beach.findChild<QWidget*>(showOnly), nullptr) << showOnly;
}

}  // namespace
}  // namespace velvora
