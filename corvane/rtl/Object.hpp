#pragma once
// The root of the class family: a polymorphic base with a virtual destructor. The object
// slots of the lists hold TObject*; many lists keep a 32-bit integer there instead of an
// owned object, through object_from_int / int_from_object.

#include <cstdint>
#include <functional>

namespace corvane {

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
};

// Event handler taking the sender, as the lists' OnChange and OnChanging.
using TNotifyEvent = std::function<void(TObject* sender)>;

// Stores a 32-bit value in an object slot. The pointer is never dereferenced or freed:
// a list holding such values must not own its objects.
inline TObject* object_from_int(std::int32_t value) {
  return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(value));
}

// Reads back a value stored by object_from_int (a null slot reads as 0).
inline std::int32_t int_from_object(const TObject* object) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(object));
}

}  // namespace corvane
