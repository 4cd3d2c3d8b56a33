// CLocManager2: the texts of one language, read from a comma-separated localisation table.
#pragma once

#include <utility>

#include "common_string.h"
#include "quellar_array.h"

class CAppCore;
class IMemFile;

struct LocEntry {
  CommonString m_Key;
  CommonString m_Text;
  unsigned int m_nHash = 0; // of the key; 0 until computed and for an empty key
};

// An owning pointer list that can also be replaced whole, so that a table is swapped in only once
// it has been read completely.
template <class T> class CLocOwnedList : public CQuellarObjPtrArray<T*> {
public:
  explicit CLocOwnedList(int growthStep = 1) : CQuellarObjPtrArray<T*>(growthStep) {}
  // Takes ownership of item; false (and item deleted) when it is null or the list cannot grow.
  bool AddOwned(T* item) {
    if (!item) return false;
    int before = this->m_nCount;
    this->Add(item);
    if (this->m_nCount != before) return true;
    delete item;
    return false;
  }
  // Deletes every element and releases the block.
  void Free() {
    this->DeleteAll();
    free(this->m_pData);
    this->m_pData = nullptr;
    this->m_nCapacity = 0;
  }
  void Swap(CLocOwnedList& other) {
    std::swap(this->m_pData, other.m_pData);
    std::swap(this->m_nCount, other.m_nCount);
    std::swap(this->m_nCapacity, other.m_nCapacity);
    std::swap(this->m_nGrowthStep, other.m_nGrowthStep);
  }
};

class CLocManager2 {
public:
  explicit CLocManager2(CAppCore* game);
  CLocManager2(const CLocManager2&) = delete;
  CLocManager2& operator=(const CLocManager2&) = delete;
  virtual ~CLocManager2();

  // Reads the language rows of file and keeps its name; no texts are loaded yet.
  int Init(CommonString file, int entryGrowth);
  // One built-in language ("enUS", "English") without a table or texts.
  int InitWithDefuaultLanguage(int entryGrowth);
  int ReadLanguageIDs(IMemFile* file);
  int SetCurrentLanguage(int index);
  int ReadCSVFile(CommonString file, char* languageId);
  // Replaces the entries with the texts of languageId's column; on failure they stay as they were.
  int ReadCSVFile(IMemFile* file, char* languageId);

  CommonString LoadString(char* key);
  // The text offset entries after key's entry, in table order.
  CommonString LoadString(char* key, int offset);
  CommonString GetLangID(int index);
  CommonString GetLangDisplayName(int index);

  void ProcessHashIDs();
  void FlushStringsData();

  // Blanks and tabs cut from both ends; the char* form zeroes the trailing ones in place.
  static CommonString CropStartEndSpaces(char* text, int length);
  static CommonString CropStartEndSpaces(CommonString text);
  static CommonStringRS<50> CropStartEndSpaces(CommonStringRS<50> text);

  CAppCore* m_pGame;
  CommonString m_FileName;
  CLocOwnedList<CommonString> m_LangIDs;
  CLocOwnedList<CommonString> m_LangDisplayNames;
  int m_nCurrentLanguage = -1;
  CLocOwnedList<LocEntry> m_Entries;

private:
  // Index of key's entry (the last one in the table), or -1.
  int FindEntry(const char* key);
  IMemFile* OpenTable(const char* file);
};
