// What the user is told once a show is published: the file's name and size, and the offer
// of its folder beside what comes next.
#pragma once

#include <cstdint>
#include <string>

#include <QString>

namespace velvora {

// Most mail services refuse attachments above about this size.
inline constexpr std::uintmax_t MailAttachmentLimitBytes = 20ull * 1024 * 1024;

// `bytes` as people read file sizes: "830 KB", "12.3 MB".
QString FileSizeText(std::uintmax_t bytes);

// "Your slide show has been published as "NAME" (SIZE)." for the file at `path`.
QString PublishedFileText(const std::string& path);

// Asks `text` with the buttons `action` (none when empty) and "Open Folder"; "Open Folder"
// shows `folder` in the desktop's file manager. True when `action` was chosen.
bool OfferAfterPublishing(const QString& text, const QString& action, const std::string& folder);

}  // namespace velvora
