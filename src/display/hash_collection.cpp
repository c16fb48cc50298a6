#include "display/hash_collection.h"

#include <QString>

THashCollectionItem::THashCollectionItem(THashCollection *collection) : FCollection(collection) {
  FIndex = collection->Count();
  collection->FItems.push_back(this);
  AddHash();
}

THashCollectionItem::~THashCollectionItem() {
  DeleteHash();
  auto &items = FCollection->FItems;
  for (size_t i = FIndex + 1; i < items.size(); ++i)
    --items[i]->FIndex;
  items.erase(items.begin() + FIndex);
}

void THashCollectionItem::AddHash() {
  FHashIndex = THashCollection::HashOf(FName);
  FLeft = nullptr;
  FNext = FCollection->FHash[FHashIndex];
  if (FNext)
    FNext->FLeft = this;
  FCollection->FHash[FHashIndex] = this;
}

void THashCollectionItem::DeleteHash() {
  if (FHashIndex < 0)
    return;
  if (FLeft)
    FLeft->FNext = FNext;
  else
    FCollection->FHash[FHashIndex] = FNext;
  if (FNext)
    FNext->FLeft = FLeft;
  FLeft = FNext = nullptr;
  FHashIndex = -1;
}

void THashCollectionItem::SetName(const std::string &value) {
  if (value == FName)
    return;
  DeleteHash();
  FName = value;
  AddHash();
}

void THashCollectionItem::SetIndex(int value) {
  auto &items = FCollection->FItems;
  if (value < 0 || value >= static_cast<int>(items.size()) || value == FIndex)
    return;
  items.erase(items.begin() + FIndex);
  items.insert(items.begin() + value, this);
  for (size_t i = 0; i < items.size(); ++i)
    items[i]->FIndex = static_cast<int>(i);
}

std::string THashCollectionItem::DisplayName() const { return FName.empty() ? "THashCollectionItem" : FName; }

THashCollection::~THashCollection() { Clear(); }

void THashCollection::Clear() {
  while (!FItems.empty())
    delete FItems.back();
}

int THashCollection::HashOf(const std::string &name) {
  const QString lowered = QString::fromStdString(name).toLower();
  int h = lowered.size() * 16;
  if (lowered.size() >= 2)
    h += lowered.at(0).unicode() + lowered.at(lowered.size() - 2).unicode();
  return h % 256;
}

int THashCollection::IndexOf(const std::string &name) const {
  const QString wanted = QString::fromStdString(name);
  for (const THashCollectionItem *item = FHash[HashOf(name)]; item; item = item->FNext)
    if (QString::fromStdString(item->FName).compare(wanted, Qt::CaseInsensitive) == 0)
      return item->FIndex;
  return -1;
}
