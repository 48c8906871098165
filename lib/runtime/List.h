#pragma once
// The runtime's list: items in order, reached by index with a checked bound.

#include <vector>

#include "Exception.h"
#include "Object.h"

template <class Item>
class TList : public TObject {
 public:
  ~TList() noexcept override = default;

  int Count() const { return static_cast<int>(items_.size()); }
  void Add(Item item) { items_.push_back(std::move(item)); }

  const Item& Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return items_[static_cast<std::size_t>(index)];
  }

 private:
  std::vector<Item> items_;
};
