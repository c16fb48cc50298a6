#pragma once

#include <QObject>
#include <functional>

// Limits for a form's size (0 means not set). Each change tells the owner through OnChange.
class TWinMinMaxInfo : public QObject {
  Q_OBJECT
  Q_PROPERTY(int MaxPosLeft READ MaxPosLeft WRITE SetMaxPosLeft)
  Q_PROPERTY(int MaxPosTop READ MaxPosTop WRITE SetMaxPosTop)
  Q_PROPERTY(int MaxSizeHeight READ MaxSizeHeight WRITE SetMaxSizeHeight)
  Q_PROPERTY(int MaxSizeWidth READ MaxSizeWidth WRITE SetMaxSizeWidth)
  Q_PROPERTY(int MaxTrackHeight READ MaxTrackHeight WRITE SetMaxTrackHeight)
  Q_PROPERTY(int MaxTrackWidth READ MaxTrackWidth WRITE SetMaxTrackWidth)
  Q_PROPERTY(int MinTrackHeight READ MinTrackHeight WRITE SetMinTrackHeight)
  Q_PROPERTY(int MinTrackWidth READ MinTrackWidth WRITE SetMinTrackWidth)

public:
  using QObject::QObject;

  int MaxPosLeft() const { return FValues[0]; }
  void SetMaxPosLeft(int value) { SetValue(0, value); }
  int MaxPosTop() const { return FValues[1]; }
  void SetMaxPosTop(int value) { SetValue(1, value); }
  int MaxSizeHeight() const { return FValues[2]; }
  void SetMaxSizeHeight(int value) { SetValue(2, value); }
  int MaxSizeWidth() const { return FValues[3]; }
  void SetMaxSizeWidth(int value) { SetValue(3, value); }
  int MaxTrackHeight() const { return FValues[4]; }
  void SetMaxTrackHeight(int value) { SetValue(4, value); }
  int MaxTrackWidth() const { return FValues[5]; }
  void SetMaxTrackWidth(int value) { SetValue(5, value); }
  int MinTrackHeight() const { return FValues[6]; }
  void SetMinTrackHeight(int value) { SetValue(6, value); }
  int MinTrackWidth() const { return FValues[7]; }
  void SetMinTrackWidth(int value) { SetValue(7, value); }

  void Assign(const TWinMinMaxInfo &other);
  // All eight values are 0.
  bool DefaultMinMaxInfo() const;

  std::function<void()> OnChange;

private:
  void SetValue(int index, int value);

  int FValues[8] = {};
};
