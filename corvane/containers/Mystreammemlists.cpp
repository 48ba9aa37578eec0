#include "corvane/containers/Mystreammemlists.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

constexpr char16_t kMapPrefix[] = u"wordbuf_compartilhar";
constexpr std::int32_t kHeader = 4;

std::int32_t load_i32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void store_i32(std::uint8_t* p, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

}  // namespace

// ---- TMemoryMapFile

TMemoryMapFile::TMemoryMapFile(const std::u16string& Name, std::int32_t Size, memmap_access access)
    : fMapname(Name), access_(access) {
  SetupMap(Name, Size);
}

TMemoryMapFile::~TMemoryMapFile() {
  Close();
}

void TMemoryMapFile::SetupMap(const std::u16string& Name, std::int32_t Size, bool resize) {
  const bool writer = access_ == memmap_access::read_write;
  open_map(Name, Size,
           !writer  ? shm_open_mode::open_existing
           : resize ? shm_open_mode::create_or_resize
                    : shm_open_mode::open_or_create);
}

void TMemoryMapFile::ReopenExisting() {
  if (IsCurrent()) {
    const auto mapped = static_cast<std::int64_t>(memory_.size());
    const std::int32_t word = mapped >= kHeader ? load_i32(fBase) : 0;
    FSize = static_cast<std::int32_t>(std::min<std::int64_t>(std::max(word, 0), mapped));
    return;
  }
  open_map(fMapname, 0, shm_open_mode::open_existing);
}

bool TMemoryMapFile::IsCurrent() const {
  return memory_.is_open() && memory_.current(utf16_to_utf8(fMapname));
}

void TMemoryMapFile::open_map(const std::u16string& Name, std::int32_t Size, shm_open_mode mode) {
  Close();
  const std::int64_t wanted = static_cast<std::int64_t>(std::max<std::int32_t>(Size, 0)) + 4;
  if (!memory_.open(utf16_to_utf8(Name), mode, static_cast<std::size_t>(wanted))) return;
  fBase = memory_.data();
  FOffset = fBase;
  const auto mapped = static_cast<std::int64_t>(memory_.size());
  if (memory_.created() || mode == shm_open_mode::create_or_resize) {
    // A new (or renewed) block: its size word is the size asked for.
    if (mapped >= kHeader) store_i32(fBase, Size);
    FSize = Size;
  } else {
    // What the block says it holds, but never more than the object really holds.
    FSize = mapped >= kHeader ? load_i32(fBase) : 0;
  }
  FSize = static_cast<std::int32_t>(std::min<std::int64_t>(std::max(FSize, 0), mapped));
}

void TMemoryMapFile::Close() {
  memory_.close();
  fBase = nullptr;
  FOffset = nullptr;
  FSize = 0;
}

void TMemoryMapFile::Remap(std::int32_t Size, bool resize) {
  if (!memory_.is_open()) SetupMap(fMapname, Size, resize);
}

bool TMemoryMapFile::Unlink() {
  return SharedMemory::unlink(utf16_to_utf8(fMapname));
}

std::uint8_t* TMemoryMapFile::ConvertPointer(std::int32_t Offset) const {
  if (FOffset == nullptr || Offset < 0 || static_cast<std::size_t>(Offset) > MappedSize())
    return nullptr;
  return FOffset + Offset;
}

bool TMemoryMapFile::SetMemL(std::int32_t Offset, std::int32_t Value) {
  if (FOffset == nullptr || Offset < 0 || static_cast<std::size_t>(Offset) + 4 > MappedSize())
    return false;
  store_i32(FOffset + Offset, Value);
  return true;
}

std::int32_t TMemoryMapFile::GetMemL(std::int32_t Offset) const {
  if (FOffset == nullptr || Offset < 0 || static_cast<std::size_t>(Offset) + 4 > MappedSize())
    return 0;
  return load_i32(FOffset + Offset);
}

bool TMemoryMapFile::HandleException(const void* Address, std::int32_t Offset) const {
  return Offset >= 0 && Offset < FSize;
}

// ---- TFlexibleSizeMap

TFlexibleSizeMap::TFlexibleSizeMap(const std::u16string& Name, std::int32_t Size,
                                   memmap_access access)
    : TMemoryMapFile(kMapPrefix + Name, Size, access) {}

void TFlexibleSizeMap::Checksize(std::int32_t Size, bool resize) {
  if (FSize != Size) {
    Close();
    Remap(Size, resize);
  }
}

bool TFlexibleSizeMap::WriteToMemmap(const void* Buffer, std::int32_t Position,
                                     std::int32_t Count) {
  FPosition = Position;
  if (Position < 0 || Count < 0 || static_cast<std::int64_t>(Position) + Count > FSize ||
      (Count > 0 && FOffset == nullptr))
    return false;
  if (Count > 0) std::memcpy(FOffset + Position, Buffer, static_cast<std::size_t>(Count));
  FPosition += Count;
  return true;
}

std::int32_t TFlexibleSizeMap::ReadFromMemmap(void* Buffer, std::int32_t Position,
                                              std::int32_t Count) {
  FPosition = Position;
  if (Count < 0 || Position < 0 || FSize - Position < 1 || FOffset == nullptr) return 0;
  const std::int32_t k = std::min(FSize - Position, Count);
  std::memcpy(Buffer, FOffset + Position, static_cast<std::size_t>(k));
  FPosition += k;
  return k;
}

// ---- TMyStreamMemList

TMyStreamMemList::TMyStreamMemList(const std::u16string& Name, memmap_access access)
    : memmap(std::make_unique<TFlexibleSizeMap>(Name, 4, access)) {}

TMyStreamMemList::~TMyStreamMemList() {
  memmap.reset();
}

bool TMyStreamMemList::CopyToMemmap() {
  std::int64_t total = kHeader;
  for (std::int32_t i = 0; i < Count(); ++i) {
    const std::int32_t size = SizeofHolderData(i);
    if (size <= kHeader - 1) return false;  // every element has its leading word
    total += size;
    if (total > std::numeric_limits<std::int32_t>::max() - 4) return false;
  }
  const auto T = static_cast<std::int32_t>(total);
  // Opened afresh unless it is still the named memory at the right size: memory removed
  // since this map was opened is made again instead of written where no one will find it.
  if (memmap->Size() != T || memmap->MappedSize() != static_cast<std::size_t>(T) + 4 ||
      !memmap->IsCurrent()) {
    memmap->Close();
    memmap->Remap(T, true);
  }
  if (memmap->Size() != T || !memmap->SetMemL(0, T)) return false;
  // Each element writes at the map's position; one that writes more or less than it
  // declared would shift every element after it, so that is a failure too.
  std::int32_t position = kHeader;
  for (std::int32_t i = 0; i < Count(); ++i) {
    *memmap->PositionPtr() = position;
    const std::int32_t size = SizeofHolderData(i);
    if (!WriteHolderToMap(i) || memmap->Position() != position + size) return false;
    position += size;
  }
  // Whatever an earlier, longer block left after this one goes.
  if (std::uint8_t* rest = memmap->ConvertPointer(T)) {
    std::memset(rest, 0, memmap->MappedSize() - static_cast<std::size_t>(T));
  }
  return true;
}

bool TMyStreamMemList::MoveToMemmap() {
  const bool result = CopyToMemmap();
  Clear();
  data_only_in_memmap = true;
  return result;
}

bool TMyStreamMemList::LoadFromMemmap() {
  Clear();
  data_only_in_memmap = false;
  // What is there now: the block may have been made again since this map was opened. A
  // reader only opens, never makes or resizes the memory.
  // FSize then comes from the size word, within what the object holds; a word that does
  // not cover itself leaves nothing to read.
  memmap->ReopenExisting();
  if (memmap->Size() < kHeader) return false;
  std::uint8_t word[4];
  bool result = memmap->ReadFromMemmap(word, 0, 4) == 4;
  std::int64_t p = kHeader;
  while (memmap->Size() > p) {
    if (memmap->ReadFromMemmap(word, static_cast<std::int32_t>(p), 4) != 4) {
      result = false;
      break;
    }
    leading_word_ = load_i32(word);
    if (leading_word_ <= 0) break;
    const std::int64_t k = static_cast<std::int64_t>(ReadHolderFromMap()) + 4;
    if (k <= 4) {
      // A damaged element: its size cannot be trusted to find the next one.
      result = false;
      break;
    }
    p += k;
  }
  return result;
}

// ---- TStringMemList

TStringMemList::~TStringMemList() {
  Clear();
}

void TStringMemList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<std::u16string*>(item);
}

void TStringMemList::AddString(std::u16string_view line) {
  auto holder = std::make_unique<std::u16string>(line);
  Add(holder.get());
  holder.release();
}

void TStringMemList::AddLines(std::u16string_view text) {
  for (std::u16string& line : split_text_lines(text)) {
    auto holder = std::make_unique<std::u16string>(std::move(line));
    Add(holder.get());
    holder.release();
  }
}

const std::u16string& TStringMemList::Strings(std::int32_t Index) const {
  return *static_cast<const std::u16string*>(Get(Index));
}

std::int32_t TStringMemList::SizeofHolderData(std::int32_t Index) {
  const std::size_t units = Strings(Index).size();
  // The count, the units, the zero unit; too long to count in 32 bits: refused.
  if (units > (static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 6) / 2)
    return -1;
  return static_cast<std::int32_t>(4 + 2 * units + 2);
}

bool TStringMemList::WriteHolderToMap(std::int32_t Index) {
  const std::u16string& line = Strings(Index);
  if (line.find(u'\0') != std::u16string::npos) return false;
  const std::int32_t n = static_cast<std::int32_t>(2 * line.size() + 2);
  const std::int32_t at = memmap->Position();
  std::uint8_t* out = memmap->ConvertPointer(at);
  if (out == nullptr || !memmap->HandleException(out, at + 4 + n - 1)) return false;
  store_i32(out, n);
  out += 4;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, line.data(), 2 * line.size());
    out += 2 * line.size();
  } else {
    for (const char16_t c : line) {
      *out++ = static_cast<std::uint8_t>(c);
      *out++ = static_cast<std::uint8_t>(c >> 8);
    }
  }
  out[0] = 0;
  out[1] = 0;
  *memmap->PositionPtr() = at + 4 + n;
  return true;
}

std::int32_t TStringMemList::ReadHolderFromMap() {
  const std::int32_t n = LeadingWord();
  const std::int32_t at = memmap->Position();
  // An odd count, one without room for the zero unit, or more than the block holds is
  // damage: nothing is allocated for it.
  if (n < 2 || n % 2 != 0 || n > memmap->Size() - at) return 0;
  const std::uint8_t* in = memmap->ConvertPointer(at);
  if (in == nullptr) return 0;
  const std::size_t units = static_cast<std::size_t>(n) / 2 - 1;
  if (in[2 * units] != 0 || in[2 * units + 1] != 0) return 0;
  auto holder = std::make_unique<std::u16string>(units, u'\0');
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(holder->data(), in, 2 * units);
  } else {
    for (std::size_t i = 0; i < units; ++i)
      (*holder)[i] = static_cast<char16_t>(in[2 * i] | in[2 * i + 1] << 8);
  }
  Add(holder.get());
  holder.release();
  *memmap->PositionPtr() = at + n;
  return n;
}

}  // namespace corvane
