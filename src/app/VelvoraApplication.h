// The application object. Each user command (a click, a key, a drop) runs to its end before
// the main window takes the next: while one runs, or while long work pumps messages, input
// to the main window is dropped; the progress window and dialogs still take theirs. Its
// default error handler shows the message of any error that escapes a command and keeps
// the program running.
#pragma once

#include <exception>

#include <QApplication>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace velvora {

class VelvoraApplication : public QApplication {
    Q_OBJECT
public:
    // Settings are kept under the program file's base name, with no company part.
    VelvoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the message of an error in a warning box through the dialog service.
void ShowErrorMessage(const std::exception& error);

}  // namespace velvora
