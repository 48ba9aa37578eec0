#pragma once
// Lists handed from one program to another through named shared memory. One program
// copies its list into the memory (CopyToMemmap) and another, run afterwards by the same
// user, loads it (LoadFromMemmap); there is no lock.
//
// The block, from offset 0, little-endian:
//   0  4  size word: the size asked for when the memory was made; after CopyToMemmap the
//         total T of the block, this word included
//   4  …  the elements back to back, each beginning with a 32-bit value above 0
// The memory is made 4 bytes larger than the size asked for.
//
// The memory is a shared-memory object "/wordbuf_compartilhar" + the list's name, mode
// 0600. It outlives the programs that use it until its owner removes it (Unlink). Nothing
// in it is trusted by a reader: the size word never makes a reader map, read or allocate
// beyond the object's real size, a reader never resizes or makes the object, and an
// object owned by another user is refused (it reads as size 0).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "corvane/platform/SharedMemory.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/Object.hpp"

namespace corvane {

// Whether a map may make (and resize) its shared memory or only opens what is there.
enum class memmap_access : std::uint8_t {
  read_write,  // open, or make when missing
  read_only    // open only: a missing object stays missing (FSize 0)
};

class TMemoryMapFile : public TObject {
 public:
  // Stores the name, then SetupMap(Name, Size).
  TMemoryMapFile(const std::u16string& Name, std::int32_t Size,
                 memmap_access access = memmap_access::read_write);
  ~TMemoryMapFile() override;
  TMemoryMapFile(const TMemoryMapFile&) = delete;
  TMemoryMapFile& operator=(const TMemoryMapFile&) = delete;

  // Opens the shared memory of that name, or (read_write only) makes one of Size + 4
  // bytes with Size in its size word. An opened one takes FSize from its size word, but
  // never more than the object holds; a negative word counts as 0. With `resize`, an
  // existing object is first given the size and size word a new one would get. Failure
  // leaves the map closed with FSize 0.
  void SetupMap(const std::u16string& Name, std::int32_t Size, bool resize = false);
  // Unmaps and closes when open; base, handle and FSize cleared. The memory stays.
  void Close();
  // SetupMap with the stored name and Size, only when closed.
  void Remap(std::int32_t Size, bool resize = false);
  // Closes, then opens the memory of the stored name again if it is still there, never
  // making or resizing it; FSize from its size word as SetupMap takes it. Kept open as it
  // is when the map is still that memory at the size mapped (only FSize is read again).
  void ReopenExisting();
  // Whether the map is open on the memory its name names now, at the size mapped.
  bool IsCurrent() const;
  // Removes the shared memory of this map's name (it stays mapped here until Close).
  // False when there was none or it cannot be removed.
  bool Unlink();

  // The address of Offset in the view: null when closed or Offset is outside the mapping.
  std::uint8_t* ConvertPointer(std::int32_t Offset) const;
  // A 32-bit value at Offset. Outside the mapping, SetMemL does nothing and answers false,
  // GetMemL gives 0.
  bool SetMemL(std::int32_t Offset, std::int32_t Value);
  std::int32_t GetMemL(std::int32_t Offset) const;
  // Whether Offset lies inside the usable size (0 <= Offset < FSize). The whole mapping is
  // committed here, so there is nothing else to do.
  bool HandleException(const void* Address, std::int32_t Offset) const;

  const std::u16string& Mapname() const { return fMapname; }
  std::int32_t Size() const { return FSize; }
  // The bytes actually mapped (the object's size), 0 when closed.
  std::size_t MappedSize() const { return memory_.size(); }
  bool IsOpen() const { return memory_.is_open(); }
  // Why the last SetupMap failed ("" when it did not).
  std::string FailureText() const { return memory_.failure_text(); }
  shm_failure Failure() const { return memory_.failure(); }

 protected:
  std::u16string fMapname;
  std::int32_t FSize = 0;
  std::uint8_t* fBase = nullptr;
  std::uint8_t* FOffset = nullptr;

 private:
  void open_map(const std::u16string& Name, std::int32_t Size, shm_open_mode mode);

  memmap_access access_;
  SharedMemory memory_;
};

class TFlexibleSizeMap : public TMemoryMapFile {
 public:
  // The memory "wordbuf_compartilhar" + Name.
  TFlexibleSizeMap(const std::u16string& Name, std::int32_t Size,
                   memmap_access access = memmap_access::read_write);

  // When FSize differs from Size: Close, then Remap(Size) (with `resize`, an existing
  // object takes that size).
  void Checksize(std::int32_t Size, bool resize = false);
  std::int32_t* PositionPtr() { return &FPosition; }
  std::int32_t Position() const { return FPosition; }
  // FPosition := Position, then Count bytes from Buffer into the view at Position, and
  // FPosition += Count. False, and nothing copied, when they would not all fit in FSize.
  bool WriteToMemmap(const void* Buffer, std::int32_t Position, std::int32_t Count);
  // FPosition := Position; then min(FSize - Position, Count) bytes into Buffer, FPosition
  // moved past them. 0 for a negative Count or Position, or Position at or past FSize.
  std::int32_t ReadFromMemmap(void* Buffer, std::int32_t Position, std::int32_t Count);

 protected:
  std::int32_t FPosition = 0;
};

// A list of records handed on through shared memory. The list holds pointers it does not
// own; descendants that own their holders free them in Clear (and their destructor), and
// supply the three record operations below.
class TMyStreamMemList : public TList {
 public:
  explicit TMyStreamMemList(const std::u16string& Name,
                            memmap_access access = memmap_access::read_write);
  ~TMyStreamMemList() override;

  // The bytes element Index takes in the block, its leading word included.
  virtual std::int32_t SizeofHolderData(std::int32_t Index) = 0;
  // Writes element Index at the map's current position (memmap->Position()) with
  // WriteToMemmap, leading word first; false when it could not.
  virtual bool WriteHolderToMap(std::int32_t Index) = 0;
  // Reads one element from the map's current position, which is just past its leading
  // word (LeadingWord() gives it), adds it to the list, and returns the bytes it consumed
  // after the leading word (0 or less when the record is damaged). It must not allocate
  // for more than memmap->Size() - memmap->Position() bytes.
  virtual std::int32_t ReadHolderFromMap() = 0;

  // Writes the size word and every element into the memory, resizing it to fit. True when
  // every element was written, each taking exactly the bytes it declared.
  bool CopyToMemmap();
  // CopyToMemmap, then Clear and data_only_in_memmap := true; the copy's result.
  bool MoveToMemmap();
  // Clears the list and loads the elements the memory holds. Never resizes, makes or
  // grows the memory, whatever its size word says. True when the size word was read and
  // every element read consumed more than its leading word.
  bool LoadFromMemmap();
  // Removes this list's shared memory (the writer's owner does so when done).
  bool Unlink() { return memmap->Unlink(); }

  bool data_only_in_memmap = false;
  std::unique_ptr<TFlexibleSizeMap> memmap;

 protected:
  // The leading word of the element ReadHolderFromMap is reading.
  std::int32_t LeadingWord() const { return leading_word_; }

 private:
  std::int32_t leading_word_ = 0;
};

// Lines of text through shared memory. Each element: a 32-bit count n = 2·L + 2, then
// the line's L UTF-16 code units, then a zero unit. A line holding U+0000 is refused by
// CopyToMemmap (it would come back cut).
class TStringMemList : public TMyStreamMemList {
 public:
  using TMyStreamMemList::TMyStreamMemList;
  ~TStringMemList() override;

  void AddString(std::u16string_view line);
  // Adds the lines of a text, cut as a string list cuts its text (CR LF, LF or CR).
  void AddLines(std::u16string_view text);
  const std::u16string& Strings(std::int32_t Index) const;

  std::int32_t SizeofHolderData(std::int32_t Index) override;
  bool WriteHolderToMap(std::int32_t Index) override;
  std::int32_t ReadHolderFromMap() override;

 protected:
  void Notify(void* item, TListNotification action) override;
};

}  // namespace corvane
