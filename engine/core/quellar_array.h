// Growable arrays (plain, owning, stack) and the pointer-clearing release helpers.
#pragma once

#include <cstdlib>
#include <cstring>
#include <type_traits>

template <class T> inline void SafeDelete(T*& p) {
  if (p) {
    delete p;
    p = nullptr;
  }
}

// Every pointer of a table, each left null.
template <class T, int N> inline void SafeDeleteAll(T* (&table)[N]) {
  for (T*& p : table)
    SafeDelete(p);
}

template <class T> inline void SafeFree(T*& p) {
  if (p) {
    free((void*)p);
    p = nullptr;
  }
}

// UI elements are deleted through their virtual destructor like any other object.
template <class T> inline void SAFE_FREE_XELEMENT(T*& p) { SafeDelete(p); }

// Elements are plain values (pointers, ints, small records): the block is malloc'ed and grows
// linearly by a fixed step; it never shrinks and never owns what its elements point to.
template <class T> class CQuellarArray {
  static_assert(std::is_trivially_copyable<T>::value, "CQuellarArray holds plain values");

public:
  explicit CQuellarArray(int growthStep = 1) : m_nGrowthStep(growthStep > 0 ? growthStep : 1) {}
  CQuellarArray(const CQuellarArray&) = delete;
  CQuellarArray& operator=(const CQuellarArray&) = delete;
  virtual ~CQuellarArray() {
    free(m_pData);
    m_pData = nullptr;
    m_nCount = 0;
    m_nCapacity = 0;
  }

  // Appends; the element is dropped when the block cannot grow.
  void Add(const T& value) {
    if (!m_pData && m_nCount > 0) return;
    if (m_nCapacity > m_nCount) {
      m_pData[m_nCount++] = value;
      return;
    }
    int newCapacity = m_nCapacity + m_nGrowthStep;
    T* block = (T*)malloc(sizeof(T) * (size_t)newCapacity);
    if (!block) return;
    if (m_nCount > 0) memcpy((void*)block, (const void*)m_pData, sizeof(T) * (size_t)m_nCount);
    free(m_pData);
    m_pData = block;
    m_pData[m_nCount++] = value;
    m_nCapacity = newCapacity;
  }

  // The zero value of T for any index outside 0..count-1.
  T GetAt(int i) const {
    if (i < 0 || i >= m_nCount) return T();
    return m_pData[i];
  }
  T operator[](int i) const { return GetAt(i); }
  T GetLast() const { return m_nCount > 0 ? m_pData[m_nCount - 1] : T(); }
  // Overwrites an existing element; indexes outside the array are ignored.
  void SetAt(int i, const T& value) {
    if (i >= 0 && i < m_nCount) m_pData[i] = value;
  }
  int GetSize() const { return m_nCount; }
  int GetCapacity() const { return m_nCapacity; }
  int GetGrowthStep() const { return m_nGrowthStep; }
  void SetGrowthStep(int step) { m_nGrowthStep = step > 0 ? step : 1; }

  // Elements behind i move down; the block and its capacity stay.
  void RemoveAt(int i) {
    if (i < 0 || i >= m_nCount) return;
    if (i < m_nCount - 1)
      memmove((void*)(m_pData + i), (const void*)(m_pData + i + 1), sizeof(T) * (size_t)(m_nCount - 1 - i));
    m_nCount--;
  }
  // Forgets every element; the block stays for reuse.
  void RemoveAll() { m_nCount = 0; }

  // Index of the first element equal to value, or -1.
  int Find(const T& value) const {
    for (int i = 0; i < m_nCount; i++)
      if (m_pData[i] == value) return i;
    return -1;
  }

protected:
  T* m_pData = nullptr;
  int m_nCount = 0;
  int m_nCapacity = 0;
  int m_nGrowthStep;
};

// Owns its elements: deletes every non-null one when destroyed.
template <class T> class CQuellarObjPtrArray;
template <class T> class CQuellarObjPtrArray<T*> : public CQuellarArray<T*> {
public:
  explicit CQuellarObjPtrArray(int growthStep = 1) : CQuellarArray<T*>(growthStep) {}
  ~CQuellarObjPtrArray() override { DeleteAll(); }
  // Deletes every element and empties the array.
  void DeleteAll() {
    for (int i = 0; i < this->m_nCount; i++) {
      T* p = this->m_pData[i];
      this->m_pData[i] = nullptr;
      delete p;
    }
    this->m_nCount = 0;
  }
};

// Last in, first out; does not own its elements.
template <class T> class CQuellarStack : public CQuellarArray<T> {
public:
  explicit CQuellarStack(int growthStep = 1) : CQuellarArray<T>(growthStep) {}
  void Push(const T& value) { this->Add(value); }
  // Hands back the former last element; an empty stack answers false and leaves out alone.
  bool Pop(T& out) {
    if (this->m_nCount <= 0) return false;
    out = this->m_pData[--this->m_nCount];
    return true;
  }
  T Pop() {
    T v = T();
    Pop(v);
    return v;
  }
};
