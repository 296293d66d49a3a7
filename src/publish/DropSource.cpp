// Dragging files out of the tool.
#include "publish/DropSource.h"

#include <QCoreApplication>
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

bool TDropFileSource::Execute() const {
    // A target in another program fetches the data only after the drop, when the window
    // that started the drag may be gone already; the drag therefore belongs to the
    // application, and Qt deletes it once the target is done.
    auto* drag = new QDrag(QCoreApplication::instance());
    drag->setMimeData(MimeData().release());
    // A move would let the target take the published file away from where it was written.
    return drag->exec(Qt::CopyAction, Qt::CopyAction) == Qt::CopyAction;
}

}  // namespace velvora
