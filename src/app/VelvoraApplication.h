// The application object, whose default error handler shows the message of any error
// that escapes a user command and keeps the program running.
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
