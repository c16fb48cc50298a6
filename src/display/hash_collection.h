#pragma once

#include <array>
#include <string>
#include <vector>

class THashCollection;

// An item found by name: it sits in one of its collection's 256 buckets by the hash of its
// name, and keeps its own position in the collection.
class THashCollectionItem {
public:
  explicit THashCollectionItem(THashCollection *collection);
  virtual ~THashCollectionItem();
  THashCollectionItem(const THashCollectionItem &) = delete;
  THashCollectionItem &operator=(const THashCollectionItem &) = delete;

  THashCollection *Collection() const { return FCollection; }
  const std::string &Name() const { return FName; }
  void SetName(const std::string &value);
  int Index() const { return FIndex; }
  // Moves the item; every item's position is renumbered.
  void SetIndex(int value);
  std::string DisplayName() const;
  // Takes only the name.
  void Assign(const THashCollectionItem &source) { SetName(source.Name()); }

private:
  friend class THashCollection;
  void AddHash();
  void DeleteHash();

  THashCollection *FCollection;
  int FHashIndex = -1;
  int FIndex = 0;
  std::string FName;
  THashCollectionItem *FLeft = nullptr;
  THashCollectionItem *FNext = nullptr;
};

// A collection that owns its items and finds them by name without regard to case.
class THashCollection {
public:
  THashCollection() = default;
  virtual ~THashCollection();
  THashCollection(const THashCollection &) = delete;
  THashCollection &operator=(const THashCollection &) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  THashCollectionItem *Items(int index) const { return FItems.at(index); }
  // The position of the first item of that name, or -1.
  int IndexOf(const std::string &name) const;
  void Delete(int index) { delete FItems.at(index); }
  void Clear();

  // The bucket of a name: length x 16, plus the first and the second-to-last character of the
  // lower-cased name when it has two or more, mod 256.
  static int HashOf(const std::string &name);

private:
  friend class THashCollectionItem;
  std::vector<THashCollectionItem *> FItems;
  std::array<THashCollectionItem *, 256> FHash{};
};
