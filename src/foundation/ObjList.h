#pragma once
// ObjectList: the program's ordered list of object references. It does not
// own its items: removing items or destroying the list leaves them alive.
// Ownership is taken explicitly with ClearAndDestroy and ReleaseList.
//
// The apply, search, filter and sort families take any callable; the item is
// passed first and the extra data after it. A bound method is a lambda that
// captures its object (or a member pointer with the object as first datum).

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace aw {

template <class T>
class ObjectList
{
public:
  ObjectList() = default;
  ObjectList(std::initializer_list<T*> items) : v_items(items) {}
  // A list holds references only; copying one copies the references.
  ObjectList(const ObjectList&) = default;
  ObjectList& operator=(const ObjectList&) = default;
  ObjectList(ObjectList&&) noexcept = default;
  ObjectList& operator=(ObjectList&&) noexcept = default;
  ~ObjectList() = default;

  int Count() const { return static_cast<int>(v_items.size()); }
  bool IsEmpty() const { return v_items.empty(); }

  T* Items(int nIx) const { return v_items[CheckedIndex(nIx)]; }
  T* operator[](int nIx) const { return Items(nIx); }
  T* First() const { return Items(0); }
  T* Last() const { return Items(Count() - 1); }

  int Add(T* pObj)
  {
    v_items.push_back(pObj);
    return Count() - 1;
  }
  void Insert(int nIx, T* pObj)
  {
    if (nIx < 0 || nIx > Count())
      ThrowIndexError(nIx);
    v_items.insert(v_items.begin() + nIx, pObj);
  }
  void Delete(int nIx) { v_items.erase(v_items.begin() + CheckedIndex(nIx)); }
  // Removes the first reference to pObj; answers its former index, or -1.
  int Remove(const T* pObj)
  {
    const int ix = IndexOf(pObj);
    if (ix >= 0)
      Delete(ix);
    return ix;
  }
  void Exchange(int nIx1, int nIx2) { std::swap(v_items[CheckedIndex(nIx1)], v_items[CheckedIndex(nIx2)]); }
  int IndexOf(const T* pObj) const
  {
    for (int i = 0; i < Count(); ++i)
      if (v_items[i] == pObj)
        return i;
    return -1;
  }
  bool Contains(const T* pObj) const { return IndexOf(pObj) >= 0; }
  void Clear() { v_items.clear(); }

  // Appends every item of pLst in order (references only).
  void AddObjects(const ObjectList& pLst) { v_items.insert(v_items.end(), pLst.v_items.begin(), pLst.v_items.end()); }

  // Frees every item and empties the list.
  void ClearAndDestroy()
  {
    std::vector<T*> items;
    items.swap(v_items);
    for (T* item : items)
      delete item;
  }

  // Frees the items and the list, and sets the variable to none; nothing for none.
  static void ReleaseList(ObjectList*& pLst)
  {
    if (!pLst)
      return;
    pLst->ClearAndDestroy();
    delete pLst;
    pLst = nullptr;
  }

  template <class F, class... Data>
  void Apply(F&& pMtd, Data&&... data) const
  {
    for (T* item : v_items)
      std::invoke(pMtd, item, data...);
  }

  // The first item for which pMtd answers true, else none.
  template <class F, class... Data>
  T* Search(F&& pMtd, Data&&... data) const
  {
    const int ix = SearchIndex(pMtd, data...);
    return ix < 0 ? nullptr : v_items[ix];
  }

  template <class F, class... Data>
  int SearchIndex(F&& pMtd, Data&&... data) const
  {
    for (int i = 0; i < Count(); ++i)
      if (std::invoke(pMtd, v_items[i], data...))
        return i;
    return -1;
  }

  // A new list of the items for which pMtd answers true, in their order.
  template <class F, class... Data>
  ObjectList Filter(F&& pMtd, Data&&... data) const
  {
    ObjectList result;
    for (T* item : v_items)
      if (std::invoke(pMtd, item, data...))
        result.v_items.push_back(item);
    return result;
  }

  // Sorts in place with a belongs-before predicate pMtd(pObj1, pObj2, data...).
  // A diminishing-gap exchange sort: the order of equal items it leaves is
  // visible to the user (lists of offered units), so the algorithm is fixed.
  template <class F, class... Data>
  void Sort(F&& pMtd, Data&&... data)
  {
    const int count = Count();
    int gap = count;
    while (gap > 1) {
      gap /= 2;
      bool exchanged;
      do {
        exchanged = false;
        for (int i = 0; i + gap < count; ++i) {
          if (std::invoke(pMtd, v_items[i + gap], v_items[i], data...)) {
            std::swap(v_items[i], v_items[i + gap]);
            exchanged = true;
          }
        }
      } while (exchanged);
    }
  }

  auto begin() const { return v_items.begin(); }
  auto end() const { return v_items.end(); }

private:
  std::size_t CheckedIndex(int nIx) const
  {
    if (nIx < 0 || nIx >= Count())
      ThrowIndexError(nIx);
    return static_cast<std::size_t>(nIx);
  }
  [[noreturn]] void ThrowIndexError(int nIx) const
  {
    throw std::out_of_range("List index out of bounds (" + std::to_string(nIx) + "), count " + std::to_string(Count()));
  }

  std::vector<T*> v_items;
};

// A list that owns its items: frees them when it goes (ClearAndDestroy on destruction).
template <class T>
class OwningObjectList : public ObjectList<T>
{
public:
  OwningObjectList() = default;
  explicit OwningObjectList(ObjectList<T>&& items) : ObjectList<T>(std::move(items)) {}
  OwningObjectList(const OwningObjectList&) = delete;
  OwningObjectList& operator=(const OwningObjectList&) = delete;
  OwningObjectList(OwningObjectList&&) noexcept = default;
  OwningObjectList& operator=(OwningObjectList&& other) noexcept
  {
    if (this != &other) {
      this->ClearAndDestroy();
      ObjectList<T>::operator=(std::move(other));
    }
    return *this;
  }
  ~OwningObjectList() { this->ClearAndDestroy(); }

  // Gives the items up to the caller as a plain list; this list is left empty.
  ObjectList<T> Release()
  {
    ObjectList<T> items(std::move(static_cast<ObjectList<T>&>(*this)));
    this->Clear();
    return items;
  }
};

} // namespace aw
