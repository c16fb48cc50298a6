#include "widgets/text_format.h"

namespace TextFormat {

Qt::Alignment HorizontalFlag(TAlignment alignment) {
  switch (alignment) {
  case taLeftJustify:
    return Qt::AlignLeft;
  case taRightJustify:
    return Qt::AlignRight;
  case taCenter:
    break;
  }
  return Qt::AlignHCenter;
}

} // namespace TextFormat
