#include "app/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/AppInfo.h"
#include "app/AppResources.h"

namespace velvora {

static constexpr QSize ClientSize(433, 316);

static QLabel* CentredLabel(QWidget* parent, const QString& text, int top, int height = 20) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setGeometry(16, top, ClientSize.width() - 32, height);
    return label;
}

TAbout::TAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("About"));
    setFixedSize(ClientSize);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    auto* imgLogo = new QLabel(this);
    imgLogo->setPixmap(LoadLogo());
    imgLogo->setGeometry((ClientSize.width() - LogoWidth) / 2, 24, LogoWidth, LogoHeight);

    QLabel* version = CentredLabel(this, QString::fromLatin1(VersionText), 104);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    CentredLabel(this, tr("A photo slide show authoring tool by %1").arg(QString::fromUtf8(MakerName)), 140);
    CentredLabel(this, QString::fromUtf8(CopyrightText), 168, 40);

    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setGeometry((ClientSize.width() - 75) / 2, ClientSize.height() - 48, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);  // Escape closes the box too

    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

}  // namespace velvora
