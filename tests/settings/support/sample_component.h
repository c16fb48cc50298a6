#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

// A component with a published property of every kind the property storage converts. None starts
// out empty (the reference points at the component itself, the variant holds a text), so every
// kind has something to write, and a reference is read only over one that is set.
class TSample : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Tag MEMBER Tag)
  Q_PROPERTY(qlonglong Big MEMBER Big)
  Q_PROPERTY(char Initial MEMBER Initial)
  Q_PROPERTY(QChar Letter MEMBER Letter)
  Q_PROPERTY(bool Flag MEMBER Flag)
  Q_PROPERTY(TMode Mode MEMBER Mode)
  Q_PROPERTY(TOptions Options READ GetOptions WRITE SetOptions)
  Q_PROPERTY(double Factor MEMBER Factor)
  Q_PROPERTY(float Gain MEMBER Gain)
  Q_PROPERTY(QString Text MEMBER Text)
  Q_PROPERTY(QStringList Lines MEMBER Lines)
  Q_PROPERTY(QVariant Extra MEMBER Extra)
  Q_PROPERTY(QObject *Buddy MEMBER Buddy)

public:
  enum TMode { mdFirst, mdSecond, mdThird };
  Q_ENUM(TMode)
  enum TOption { opA = 1, opB = 2, opC = 4, opAB = 3, opTop = int(0x80000000u) };
  Q_DECLARE_FLAGS(TOptions, TOption)
  Q_FLAG(TOptions)

  explicit TSample(QObject *parent) : QObject(parent) { Reset(); }

  TOptions GetOptions() const { return Options; }
  void SetOptions(TOptions options) { Options = options; }

  // Back to the values it was made with.
  void Reset() {
    Tag = 1;
    Big = 1;
    Initial = 'i';
    Letter = 'a';
    Flag = false;
    Mode = mdSecond;
    Options = opB;
    Factor = 1;
    Gain = 1;
    Text = "text";
    Lines = QStringList{"line"};
    Extra = "extra";
    Buddy = this;
  }

  int Tag;
  qlonglong Big;
  char Initial;
  QChar Letter;
  bool Flag;
  TMode Mode;
  TOptions Options;
  double Factor;
  float Gain;
  QString Text;
  QStringList Lines;
  QVariant Extra;
  QObject *Buddy;
};
