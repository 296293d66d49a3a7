// The two ends of a real drag between programs, for the burn assistant's drag test:
//   BurnDragHelper source POINT_FILE FILE...  shows the assistant with FILE..., writes the
//       picture's screen centre as "X Y" to POINT_FILE, and after the window has closed keeps
//       running, as the tool does, until it is killed;
//   BurnDragHelper target  shows a window titled "Drop target" at (600, 400) that accepts
//       copies of files and prints each dropped URL on a line of its own, then ends.
#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "publish/frmBurnCD.h"

namespace {

class DropTarget final : public QWidget {
public:
    DropTarget() {
        setWindowTitle(QStringLiteral("Drop target"));
        setAcceptDrops(true);
        setGeometry(600, 400, 300, 200);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasUrls() && (event->possibleActions() & Qt::CopyAction)) {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
    void dropEvent(QDropEvent* event) override {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        for (const QUrl& url : event->mimeData()->urls()) std::printf("%s\n", url.toString().toUtf8().constData());
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

int RunTarget() {
    DropTarget window;
    window.show();
    return QApplication::exec();
}

// The assistant goes as soon as it closes, as the tool's burn request lets it go.
int RunSource(const QString& pointFile, velvora::StringList files) {
    auto window = std::make_unique<velvora::TBurnCD>(std::move(files));
    window->show();
    QTimer::singleShot(500, window.get(), [&window, pointFile] {
        const QWidget* picture = window->findChild<QLabel*>(QStringLiteral("Image1"));
        const QPoint centre = picture->mapToGlobal(picture->rect().center());
        QFile file(pointFile);
        if (file.open(QIODevice::WriteOnly)) file.write(QByteArray::number(centre.x()) + " " + QByteArray::number(centre.y()));
    });
    const int result = window->exec();
    window.reset();
    std::fprintf(stderr, "assistant closed: %s\n", result == QDialog::Accepted ? "dropped" : "cancelled");
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 2 && arguments[1] == QLatin1String("target")) return RunTarget();
    if (arguments.size() >= 4 && arguments[1] == QLatin1String("source")) {
        velvora::StringList files;
        for (qsizetype i = 3; i < arguments.size(); ++i) files.push_back(arguments[i].toStdString());
        return RunSource(arguments[2], std::move(files));
    }
    std::fprintf(stderr, "usage: BurnDragHelper source POINT_FILE FILE... | target\n");
    return 2;
}
