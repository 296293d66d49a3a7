// Clipboard and saving for one photo.
#include "viewer/qt/PhotoCommands.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <utility>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "viewer/core/FileReplacing.h"
#include "viewer/qt/PixelImage.h"

namespace velvora {
namespace {

// The file calls of the replacing write on this system, where a rename replaces its target.
class LocalFileSystem : public FileSystem {
public:
    bool WriteNew(const std::string& path, std::span<const std::uint8_t> bytes) override {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        const auto size = qint64(bytes.size());
        // Without the sync a crash right after the rename could leave an empty file.
        const bool written = file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush() &&
                             ::fsync(file.handle()) == 0;
        file.close();
        return written && file.error() == QFileDevice::NoError;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        return std::rename(Native(from).constData(), Native(to).constData()) == 0;
    }
    void Remove(const std::string& path) override { QFile::remove(QString::fromStdString(path)); }

private:
    static QByteArray Native(const std::string& path) { return QFile::encodeName(QString::fromStdString(path)); }
};

void CopyPhoto(const SlideShow& show, const SlidePhoto& photo) {
    const PixelBuffer picture = show.LoadPicture(photo);
    QGuiApplication::clipboard()->setImage(ImageOf(picture).copy());
}

// The bytes are read first: a photo that cannot be saved says so before asking where.
void SavePhoto(const SlideShow& show, const SlidePhoto& photo) {
    const std::vector<std::uint8_t> bytes = show.ImageBytes(photo);
    const QString path = Dialogs().PickSaveFile(QObject::tr("Save Photo"), FromStored(SuggestedSaveName(photo, bytes)),
                                                QObject::tr("Pictures (*.jpg *.jpeg *.bmp);;All files (*)"));
    if (path.isEmpty()) return;
    LocalFileSystem files;
    WriteFileReplacing(files, path.toStdString(), bytes);
}

QAction* AddPhotoAction(QWidget* owner, const QString& text, std::function<const SlidePhoto*()> current,
                        std::function<void(const SlidePhoto&)> command) {
    auto* action = new QAction(text, owner);
    QObject::connect(action, &QAction::triggered, owner, [current = std::move(current), command = std::move(command)] {
        if (const SlidePhoto* photo = current()) RunShowingErrors([&] { command(*photo); });
    });
    owner->addAction(action);
    return action;
}

}  // namespace

QList<QAction*> AddPhotoActions(QWidget* owner, const SlideShow& show, const ViewerFeatures& features,
                                std::function<const SlidePhoto*()> current) {
    QList<QAction*> actions;
    if (features.CopyPhoto)
        actions << AddPhotoAction(owner, QObject::tr("&Copy"), current,
                                  [&show](const SlidePhoto& photo) { CopyPhoto(show, photo); });
    if (features.SavePhoto)
        actions << AddPhotoAction(owner, QObject::tr("&Save..."), current,
                                  [&show](const SlidePhoto& photo) { SavePhoto(show, photo); });
    return actions;
}

void RunShowingErrors(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        Dialogs().ShowWarning(QString::fromUtf8(error.what()));
    }
}

}  // namespace velvora
