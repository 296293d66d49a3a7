// The About box: logo, version, maker and year.
#pragma once

#include <QDialog>

class QPushButton;

namespace velvora {

class TAbout final : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);

private:
    QPushButton* btnOK = nullptr;
};

}  // namespace velvora
