// The report after publishing.
#include "publish/PublishedReport.h"

#include <filesystem>
#include <system_error>

#include <QStringList>
#include <QUrl>

#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "platform/UrlOpener.h"

namespace velvora {

QString FileSizeText(std::uintmax_t bytes) {
    constexpr double Mega = 1024.0 * 1024.0;
    if (bytes < 1000 * 1024) return QStringLiteral("%1 KB").arg((bytes + 1023) / 1024);
    return QStringLiteral("%1 MB").arg(double(bytes) / Mega, 0, 'f', 1);
}

QString PublishedFileText(const std::string& path) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    const QString name = FromStored(std::filesystem::path(path).filename().string());
    if (error) return QStringLiteral("Your slide show has been published as \"%1\".").arg(name);
    return QStringLiteral("Your slide show has been published as \"%1\" (%2).").arg(name, FileSizeText(bytes));
}

bool OfferAfterPublishing(const QString& text, const QString& action, const std::string& folder) {
    QStringList choices;
    if (!action.isEmpty()) choices << action;
    choices << QStringLiteral("Open Folder");
    const int chosen = Dialogs().Choose(text, choices);
    if (chosen == choices.size() - 1 && !OpenUrl(QUrl::fromLocalFile(FromStored(folder))))
        Dialogs().ShowWarning(QStringLiteral("The folder \"%1\" could not be opened.").arg(FromStored(folder)));
    return !action.isEmpty() && chosen == 0;
}

}  // namespace velvora
