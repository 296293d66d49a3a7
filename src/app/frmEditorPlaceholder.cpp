#include "app/frmEditorPlaceholder.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/Global.h"
#include "platform/TextCodec.h"

namespace velvora {

TFrameEditorPlaceholder::TFrameEditorPlaceholder(QWidget* parent) : ShowEditorFrame(parent) {
    lblOpenShow = new QLabel(this);
    lblOpenShow->setAlignment(Qt::AlignCenter);
    lblOpenShow->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblOpenShow);
}

void TFrameEditorPlaceholder::LoadShow() {
    lblOpenShow->setText(tr("The slide show \"%1\" is open.").arg(FromStored(ShowSettings.Value("Title"))));
}

QString TFrameEditorPlaceholder::Message() const { return lblOpenShow->text(); }

ShowEditorFrame* MakeEditorPlaceholder(TMain&, QWidget* parent) { return new TFrameEditorPlaceholder(parent); }

}  // namespace velvora
