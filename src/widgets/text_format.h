#pragma once

#include <QObject>

// Text placement options shared by the captioned controls.
namespace TextFormat {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

// Where a button's glyph goes relative to its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

// Direction of a text's shadow copy.
enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
Q_ENUM_NS(TShadowPosition)

// The Qt alignment flag of a horizontal alignment.
Qt::Alignment HorizontalFlag(TAlignment alignment);

} // namespace TextFormat
