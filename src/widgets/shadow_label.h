#pragma once

#include "widgets/custom_label.h"

// The shadowed label as forms place it, with its properties reachable by name.
class TRxLabel : public TRxCustomLabel {
  Q_OBJECT
  Q_PROPERTY(TextFormat::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QWidget *FocusControl READ FocusControl WRITE SetFocusControl)
  Q_PROPERTY(TColor FontColor READ FontColor WRITE SetFontColor)
  Q_PROPERTY(TextFormat::TTextLayout Layout READ Layout WRITE SetLayout)
  Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
  Q_PROPERTY(int ShadowSize READ ShadowSize WRITE SetShadowSize)
  Q_PROPERTY(TextFormat::TShadowPosition ShadowPos READ ShadowPos WRITE SetShadowPos)
  Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
  Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
  using TRxCustomLabel::TRxCustomLabel;
};
