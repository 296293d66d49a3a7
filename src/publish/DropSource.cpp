// Dragging files out of the tool.
#include "publish/DropSource.h"

#include <QDrag>
#include <QList>
#include <QMimeData>
#include <QUrl>

#include "platform/TextCodec.h"

namespace velvora {

std::unique_ptr<QMimeData> TDropFileSource::MimeData() const {
    QList<QUrl> urls;
    for (const std::string& file : Files) urls.push_back(QUrl::fromLocalFile(FromStored(file)));
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

bool TDropFileSource::Execute(QObject* source) const {
    auto* drag = new QDrag(source);
    drag->setMimeData(MimeData().release());
    // A move would let the target take the published file away from where it was written.
    return drag->exec(Qt::CopyAction, Qt::CopyAction) == Qt::CopyAction;
}

}  // namespace velvora
