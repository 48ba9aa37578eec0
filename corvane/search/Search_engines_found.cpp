// Hits of a search and the list that keeps and sorts them.

#include "corvane/search/Search_engines.hpp"

namespace corvane {

std::int32_t HitKey(const TSearchFound_Rec& rec) {
  return static_cast<std::int32_t>(static_cast<const char*>(rec.where_hit_started) -
                                   static_cast<const char*>(rec.start_of_memory));
}

TSearchFoundList::~TSearchFoundList() {
  Clear();
}

void TSearchFoundList::Clear() {
  // Notify frees each holder as its slot goes.
  TList::Clear();
}

std::int32_t TSearchFoundList::AddHit(const TSearchFound_Rec& rec) {
  return Add(new TSearchFoundHolder(rec));
}

TSearchFoundHolder* TSearchFoundList::holder(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return static_cast<TSearchFoundHolder*>(List()[index]);
}

void TSearchFoundList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TSearchFoundHolder*>(item);
}

namespace {
std::int32_t key_of(const void* item) {
  return item != nullptr ? HitKey(static_cast<const TSearchFoundHolder*>(item)->fData) : 0;
}
}  // namespace

void TSearchFoundList::SetBase(void* item, std::int32_t /*sort_var*/) {
  base_int = key_of(item);
}

std::int32_t TSearchFoundList::Compare(void* item) const {
  const std::int32_t key = key_of(item);
  if (key == base_int) return 0;
  return key > base_int ? -1 : 1;
}

}  // namespace corvane
