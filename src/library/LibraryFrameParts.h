// Pieces the library frames share: fonts, artwork, the header bar, the instruction column
// on the left, and Escape as the Cancel key.
#pragma once

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

class QPushButton;
class QWidget;

namespace velvora {

// Arial at a pixel size, falling back to the system's sans-serif face where Arial is missing.
QFont ArialFont(int pixelSize, bool bold = false);

// The artwork ":/artwork/<name>" rendered at `size` logical pixels, sharp on high-DPI screens.
QPixmap ArtworkPixmap(const QString& name, QSize size);

inline constexpr QSize FramePictureSize{80, 81};

// Lays out a library frame: a header bar reading `header` across the top, a column on the
// left with `picture`, `instructions` and `buttons` from top to bottom, and `content`
// filling the rest.
void LayOutLibraryFrame(QWidget* frame, const QString& header, const QString& picture, const QString& instructions,
                        const QList<QPushButton*>& buttons, QWidget* content);

// A push button in the frames' style; the default one is bold.
QPushButton* MakeFrameButton(const QString& objectName, const QString& text, bool bold, QWidget* parent);

// Escape pressed anywhere inside `frame` clicks `cancel`.
void ClickOnEscape(QWidget* frame, QPushButton* cancel);

}  // namespace velvora
