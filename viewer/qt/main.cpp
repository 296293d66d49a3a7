// velvora-viewer FILE [--window]: plays a published slide show on Linux.
#include <QApplication>
#include <QCommandLineParser>
#include <QRandomGenerator>

#include "platform/Dialogs.h"
#include "viewer/qt/SlideShowWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("velvora-viewer");
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velvora.Velvora.Viewer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QObject::tr("Plays a published Velvora slide show."));
    parser.addHelpOption();
    parser.addOption({"window", QObject::tr("Play in a window instead of full screen.")});
    parser.addPositionalArgument("file", QObject::tr("The published slide show to play."));
    parser.process(application);
    if (parser.positionalArguments().size() != 1) {
        velvora::Dialogs().ShowWarning(QObject::tr("Usage: velvora-viewer FILE [--window]"));
        return 1;
    }
    auto window =
        velvora::OpenSlideShowWindow(parser.positionalArguments().front(), QRandomGenerator::global()->generate());
    if (!window) return 1;
    if (parser.isSet("window")) {
        window->resize(1024, 768);
        window->show();
    } else {
        window->showFullScreen();
    }
    window->Play();
    return application.exec();
}
