#include "app/frmMain.h"

#include <QIcon>

#include "library/ShowIndex.h"

namespace velvora {

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Velvora"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/velvora.svg")));
    resize(800, 600);
    pnlFrameContain = new QWidget(this);
    pnlFrameContain->setObjectName(QStringLiteral("pnlFrameContain"));
    setCentralWidget(pnlFrameContain);
    FormCreate();
}

void TMain::FormCreate() {
    InitShowsPath();
    LoadShowList();
}

}  // namespace velvora
