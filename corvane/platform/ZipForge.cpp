#include "corvane/platform/ZipForge.hpp"

#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <fstream>
#include <unordered_map>

#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/ZipForge_internal.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::u16string default_decoder(std::string_view bytes) {
  return decode_text_bytes(bytes);
}

TZipTextDecoder& text_decoder() {
  static TZipTextDecoder decoder = &default_decoder;
  return decoder;
}

constexpr std::size_t kChunk = 256 * 1024;
// The smallest central-directory record: 46 bytes before the name.
constexpr std::uint64_t kCentralRecordSize = 46;
// The end records sit in the last 64 KiB + 22 bytes (the comment is at most 64 KiB), and
// the Zip64 end record and locator (76 bytes) just before.
constexpr std::uint64_t kTailSize = 65557 + 76 + 4096;

std::uint16_t le16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(le16(p)) | static_cast<std::uint32_t>(le16(p + 2)) << 16;
}
std::uint64_t le64(const unsigned char* p) {
  return static_cast<std::uint64_t>(le32(p)) | static_cast<std::uint64_t>(le32(p + 4)) << 32;
}

std::u16string number(std::uint64_t n) {
  return utf8_to_utf16(std::to_string(n));
}

bool is_separator(char16_t c) {
  return c == u'/' || c == u'\\';
}

}  // namespace

void set_zip_text_decoder(TZipTextDecoder decoder) {
  text_decoder() = decoder != nullptr ? decoder : &default_decoder;
}

namespace detail {

std::u16string decode_comment_bytes(std::string_view bytes) {
  std::u16string text = utf8_to_utf16(bytes);
  if (utf16_to_utf8(text) == bytes) return text;  // well-formed UTF-8, or plain ASCII
  if (code_page_to_utf16(system_ansi_code_page(), bytes, text)) return text;
  text.clear();
  for (unsigned char c : bytes) text.push_back(c);
  return text;
}

std::u16string zip_directory_problem(std::string_view tail, std::uint64_t archive_size) {
  const auto* t = reinterpret_cast<const unsigned char*>(tail.data());
  const std::size_t n = tail.size();
  if (n < 22) return {};
  // The last end record that fits in the tail.
  std::size_t at = n - 22 + 1;
  bool found = false;
  while (at-- > 0) {
    if (t[at] == 'P' && t[at + 1] == 'K' && t[at + 2] == 5 && t[at + 3] == 6) {
      found = true;
      break;
    }
  }
  if (!found) return {};
  std::uint64_t entries = le16(t + at + 10);
  std::uint64_t dir_size = le32(t + at + 12);
  const bool wants_zip64 = le16(t + at + 8) == 0xFFFF || entries == 0xFFFF ||
                           dir_size == 0xFFFFFFFF || le32(t + at + 16) == 0xFFFFFFFF;
  if (wants_zip64 && at >= 20 && t[at - 20] == 'P' && t[at - 19] == 'K' && t[at - 18] == 6 &&
      t[at - 17] == 7) {
    const std::uint64_t record = le64(t + at - 20 + 8);
    const std::uint64_t tail_start = archive_size - n;
    if (record >= tail_start && record - tail_start + 56 <= n) {
      const unsigned char* r = t + (record - tail_start);
      if (r[0] == 'P' && r[1] == 'K' && r[2] == 6 && r[3] == 6) {
        entries = le64(r + 32);
        dir_size = le64(r + 40);
      }
    }
  }
  if (entries > static_cast<std::uint64_t>(INT32_MAX))
    return u"it declares " + number(entries) + u" entries, more than can be counted";
  if (dir_size > archive_size) return u"its central directory is declared larger than the archive";
  if (entries > dir_size / kCentralRecordSize)
    return u"its central directory cannot hold the " + number(entries) + u" entries it declares";
  return {};
}

}  // namespace detail

TZipForge::TZipForge() : s_(std::make_unique<state>()) {}

TZipForge::~TZipForge() {
  CloseArchive();
}

bool TZipForge::Active() const {
  return s_->za != nullptr;
}

void TZipForge::CloseArchive() {
  if (s_->za != nullptr) zip_discard(s_->za);
  s_->za = nullptr;
  s_->entries.clear();
  s_->by_name.clear();
  s_->memory.clear();
  s_->files = 0;
}

bool TZipForge::fail(const std::u16string& entry, const std::u16string& reason) {
  if (OnProcessFileFailure) OnProcessFileFailure(entry, reason);
  return false;
}

namespace {

[[noreturn]] void refuse(TZipForge&, const std::u16string& name, const std::u16string& reason,
                         const TZipFailureEvent& handler) {
  if (handler) handler(u"", reason);
  throw Exception(u"Cannot open the zip archive \"" + name + u"\": " + reason);
}

std::u16string libzip_reason(zip_error_t* error) {
  return utf8_to_utf16(zip_error_strerror(error));
}

}  // namespace

void TZipForge::OpenArchive() {
  CloseArchive();
  const std::string path = utf16_to_utf8(FileName);
  struct stat st {};
  if (FileName.empty() || ::stat(path.c_str(), &st) != 0)
    refuse(*this, FileName, utf8_to_utf16(std::strerror(FileName.empty() ? ENOENT : errno)),
           OnProcessFileFailure);
  if (!S_ISREG(st.st_mode)) refuse(*this, FileName, u"it is not a file", OnProcessFileFailure);
  std::string tail;
  {
    std::ifstream in(path, std::ios::binary);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::uint64_t want = std::min<std::uint64_t>(size, kTailSize);
    tail.resize(want);
    in.seekg(static_cast<std::streamoff>(size - want));
    if (!in.read(tail.data(), static_cast<std::streamsize>(want)))
      refuse(*this, FileName, u"it cannot be read", OnProcessFileFailure);
  }
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_file_create(path.c_str(), 0, -1, &error);
  if (source == nullptr) {
    const std::u16string reason = libzip_reason(&error);
    zip_error_fini(&error);
    refuse(*this, FileName, reason, OnProcessFileFailure);
  }
  zip_error_fini(&error);
  open_source(source, FileName, static_cast<std::uint64_t>(st.st_size), tail);
}

void TZipForge::OpenArchiveFromMemory(std::string_view bytes, const std::u16string& name) {
  CloseArchive();
  FileName = name;
  s_->memory.assign(bytes);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(s_->memory.data(), s_->memory.size(), 0, &error);
  if (source == nullptr) {
    const std::u16string reason = libzip_reason(&error);
    zip_error_fini(&error);
    refuse(*this, name, reason, OnProcessFileFailure);
  }
  zip_error_fini(&error);
  const std::size_t want = std::min<std::size_t>(bytes.size(), kTailSize);
  open_source(source, name, bytes.size(), bytes.substr(bytes.size() - want));
}

void TZipForge::open_source(void* raw_source, const std::u16string& name,
                            std::uint64_t archive_size, std::string_view tail) {
  auto* source = static_cast<zip_source_t*>(raw_source);
  const std::u16string problem = detail::zip_directory_problem(tail, archive_size);
  if (!problem.empty()) {
    zip_source_free(source);
    refuse(*this, name, problem, OnProcessFileFailure);
  }
  zip_error_t error;
  zip_error_init(&error);
  zip_t* za = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (za == nullptr) {
    const std::u16string reason = libzip_reason(&error);
    zip_error_fini(&error);
    zip_source_free(source);
    refuse(*this, name, reason, OnProcessFileFailure);
  }
  zip_error_fini(&error);
  const zip_int64_t count = zip_get_num_entries(za, 0);
  if (count < 0 || count > INT32_MAX) {
    zip_discard(za);
    refuse(*this, name, u"it holds more entries than can be counted", OnProcessFileFailure);
  }
  s_->za = za;
  s_->entries.resize(static_cast<std::size_t>(count));
  s_->files = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    auto& e = s_->entries[static_cast<std::size_t>(i)];
    const char* stored = zip_get_name(za, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    e.name = stored != nullptr ? utf8_to_utf16(stored) : std::u16string();
    e.folder = !e.name.empty() && is_separator(e.name.back());
    if (!e.folder) ++s_->files;
  }
}

std::int32_t TZipForge::GetEntryCount() const {
  return static_cast<std::int32_t>(s_->entries.size());
}

std::int32_t TZipForge::GetFileCount() const {
  return s_->files;
}

std::u16string TZipForge::GetFileComment() const {
  if (s_->za == nullptr) return {};
  int length = 0;
  const char* comment = zip_get_archive_comment(s_->za, &length, ZIP_FL_ENC_RAW);
  if (comment == nullptr || length <= 0) return {};
  return detail::decode_comment_bytes(std::string_view(comment, static_cast<std::size_t>(length)));
}

std::u16string TZipForge::GetAZipMainDetail(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size()) return {};
  return s_->entries[static_cast<std::size_t>(index)].name;
}

bool TZipForge::IsFolderEntry(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size()) return false;
  return s_->entries[static_cast<std::size_t>(index)].folder;
}

TDateTime TZipForge::GetADateTime(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size()) return 0;
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(s_->za, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
      !(st.valid & ZIP_STAT_MTIME))
    return 0;
  std::tm local{};
  const std::time_t t = st.mtime;
  if (localtime_r(&t, &local) == nullptr) return 0;
  TDateTime dt = 0;
  if (!TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, std::min(local.tm_sec, 59), 0, dt))
    return 0;
  return dt;
}

bool TZipForge::GetAZipFileSubProperty(std::int32_t index, std::int32_t& size,
                                       std::int32_t& attributes) const {
  size = 0;
  attributes = 0;
  if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size()) return false;
  const auto& entry = s_->entries[static_cast<std::size_t>(index)];
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(s_->za, static_cast<zip_uint64_t>(index), 0, &st) != 0) return false;
  if (st.valid & ZIP_STAT_SIZE)
    size = static_cast<std::int32_t>(std::min<zip_uint64_t>(st.size, INT32_MAX));
  zip_uint8_t opsys = ZIP_OPSYS_DEFAULT;
  zip_uint32_t external = 0;
  zip_file_get_external_attributes(s_->za, static_cast<zip_uint64_t>(index), 0, &opsys, &external);
  attributes = detail::zip_dos_attributes(opsys, external, entry.name, entry.folder);
  return true;
}

namespace detail {

std::int32_t zip_dos_attributes(std::uint8_t opsys, std::uint32_t external,
                                std::u16string_view name, bool folder) {
  constexpr std::int32_t faReadOnly = 0x01, faHidden = 0x02, faDirectory = 0x10, faArchive = 0x20;
  if (opsys == ZIP_OPSYS_DOS || opsys == ZIP_OPSYS_OS_2 || opsys == ZIP_OPSYS_WINDOWS_NTFS ||
      opsys == ZIP_OPSYS_VFAT) {
    std::int32_t a = static_cast<std::int32_t>(external & 0xFF);
    if (folder) a |= faDirectory;
    return a;
  }
  std::int32_t a = folder ? faDirectory : faArchive;
  const std::uint32_t mode = external >> 16;
  if (opsys == ZIP_OPSYS_UNIX && mode != 0 && !(mode & 0200)) a |= faReadOnly;
  std::u16string_view last = name;
  while (!last.empty() && is_separator(last.back())) last.remove_suffix(1);
  const std::size_t cut = last.find_last_of(u"/\\");
  if (cut != std::u16string_view::npos) last.remove_prefix(cut + 1);
  if (!last.empty() && last.front() == u'.') a |= faHidden;
  return a;
}

bool zip_entry_is_symlink(std::uint8_t opsys, std::uint32_t external) {
  return opsys == ZIP_OPSYS_UNIX && ((external >> 16) & 0170000) == 0120000;
}

}  // namespace detail

std::int32_t TZipForge::IndexOfEntry(const std::u16string& name) const {
  if (s_->entries.empty()) return -1;
  if (s_->by_name.empty()) {
    s_->by_name.reserve(s_->entries.size());
    for (std::size_t i = s_->entries.size(); i-- > 0;)
      s_->by_name[s_->entries[i].name] = static_cast<std::int32_t>(i);
  }
  const auto found = s_->by_name.find(name);
  if (found != s_->by_name.end()) return found->second;
  auto slashes = [](std::u16string s) {
    std::replace(s.begin(), s.end(), u'\\', u'/');
    return s;
  };
  const std::u16string wanted = slashes(name);
  for (std::size_t i = 0; i < s_->entries.size(); ++i)
    if (slashes(s_->entries[i].name) == wanted) return static_cast<std::int32_t>(i);
  return -1;
}

// ---- Extraction

bool TZipForge::extract_into(std::int32_t index, std::uint64_t limit, detail::zip_sink& sink) {
  const std::u16string name = GetAZipMainDetail(index);
  if (s_->za == nullptr) return fail(name, u"no archive is open");
  if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size())
    return fail(name, u"there is no entry " + number(static_cast<std::uint64_t>(index) + 1));
  if (s_->entries[static_cast<std::size_t>(index)].folder) return fail(name, u"it is a folder");
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(s_->za, static_cast<zip_uint64_t>(index), 0, &st) != 0)
    return fail(name, libzip_reason(zip_get_error(s_->za)));
  if (!(st.valid & ZIP_STAT_SIZE)) return fail(name, u"its size is not declared");
  const std::uint64_t declared = st.size;
  if (declared > limit)
    return fail(name, u"its declared size of " + number(declared) +
                          u" bytes is above the limit of " + number(limit) + u" bytes");
  std::uint64_t hint = declared;
  if (st.valid & ZIP_STAT_COMP_SIZE) {
    // The largest honest ratio of deflate is about 1,032 to 1; a declared size beyond it
    // is not believed enough to reserve memory for.
    hint = std::min<std::uint64_t>(hint, st.comp_size * 1100 + 65536);
  }
  zip_file_t* file = zip_fopen_index(s_->za, static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) return fail(name, libzip_reason(zip_get_error(s_->za)));
  sink.begin(hint);
  std::uint64_t total = 0;
  std::u16string problem;
  for (;;) {
    // One byte more than is left, so that an entry inflating past its size is caught.
    const std::uint64_t want = std::min<std::uint64_t>(kChunk, declared - total + 1);
    char* space = sink.space(static_cast<std::size_t>(want));
    const zip_int64_t got = zip_fread(file, space, want);
    if (got < 0) {
      problem = libzip_reason(zip_file_get_error(file));
      break;
    }
    if (got == 0) {
      sink.commit(0);
      break;
    }
    total += static_cast<std::uint64_t>(got);
    if (total > declared) {
      problem = u"it inflates past its declared size of " + number(declared) + u" bytes";
      break;
    }
    if (!sink.commit(static_cast<std::size_t>(got))) {
      problem = u"its bytes could not be written";
      break;
    }
  }
  if (problem.empty() && total < declared)
    problem = u"it ends after " + number(total) + u" of its " + number(declared) + u" bytes";
  const int closed = zip_fclose(file);
  if (problem.empty() && closed != 0) {
    zip_error_t error;
    zip_error_init_with_code(&error, closed);
    problem = libzip_reason(&error);
    zip_error_fini(&error);
  }
  if (!problem.empty()) {
    sink.abandon();
    return fail(name, problem);
  }
  sink.finish();
  return true;
}

namespace {

// Appends to a std::string, inflating straight into its storage.
class string_sink : public detail::zip_sink {
 public:
  explicit string_sink(std::string& out) : out_(out), start_(out.size()) {}
  void begin(std::uint64_t hint) override {
    if (hint < (1ull << 31)) out_.reserve(start_ + static_cast<std::size_t>(hint));
  }
  char* space(std::size_t want) override {
    used_ = out_.size();
    out_.resize(used_ + want);
    return out_.data() + used_;
  }
  bool commit(std::size_t n) override {
    out_.resize(used_ + n);
    return true;
  }
  void abandon() override { out_.resize(start_); }
  void finish() override {}

 private:
  std::string& out_;
  std::size_t start_;
  std::size_t used_ = 0;
};

// Writes to a memory stream's own bytes when it is one, else through its Write.
class stream_sink : public detail::zip_sink {
 public:
  explicit stream_sink(TStream& stream)
      : stream_(stream),
        memory_(dynamic_cast<TMemoryStream*>(&stream)),
        start_(stream.Position()),
        old_size_(stream.Size()) {}
  void begin(std::uint64_t hint) override {
    if (memory_ != nullptr && start_ == old_size_ && hint < (1ull << 31))
      memory_->bytes().reserve(static_cast<std::size_t>(start_) + static_cast<std::size_t>(hint));
    else
      memory_ = nullptr;  // writing inside the stream: through Write
  }
  char* space(std::size_t want) override {
    if (memory_ != nullptr) {
      auto& v = memory_->bytes();
      used_ = v.size();
      v.resize(used_ + want);
      return reinterpret_cast<char*>(v.data() + used_);
    }
    buffer_.resize(want);
    return buffer_.data();
  }
  bool commit(std::size_t n) override {
    if (memory_ != nullptr) {
      memory_->bytes().resize(used_ + n);
      return true;
    }
    return stream_.Write(buffer_.data(), static_cast<std::int32_t>(n)) ==
           static_cast<std::int32_t>(n);
  }
  void abandon() override {
    if (memory_ != nullptr)
      memory_->bytes().resize(static_cast<std::size_t>(old_size_));
    else if (stream_.Size() > old_size_)
      stream_.SetSize(old_size_);
    stream_.Seek(start_, soFromBeginning);
  }
  void finish() override {
    if (memory_ != nullptr) memory_->Seek(0, soFromEnd);
  }

 private:
  TStream& stream_;
  TMemoryStream* memory_;
  std::int64_t start_, old_size_;
  std::size_t used_ = 0;
  std::string buffer_;
};

}  // namespace

bool TZipForge::ExtractToBytes(std::int32_t index, std::string& bytes, std::uint64_t limit) {
  string_sink sink(bytes);
  return extract_into(index, limit, sink);
}

bool TZipForge::ExtractToString(std::int32_t index, std::u16string& text) {
  text.clear();
  std::string bytes;
  if (!ExtractToBytes(index, bytes, StringLimit)) return false;
  text = text_decoder()(bytes);
  return true;
}

bool TZipForge::ExtractToString(const std::u16string& name, std::u16string& text) {
  const std::int32_t index = IndexOfEntry(name);
  if (index < 0) {
    text.clear();
    return fail(name, u"there is no such entry");
  }
  return ExtractToString(index, text);
}

bool TZipForge::ExtractToStream(std::int32_t index, TStream& stream) {
  stream_sink sink(stream);
  return extract_into(index, StreamLimit, sink);
}

bool TZipForge::ExtractToStream(const std::u16string& name, TStream& stream) {
  const std::int32_t index = IndexOfEntry(name);
  if (index < 0) return fail(name, u"there is no such entry");
  return ExtractToStream(index, stream);
}

}  // namespace corvane
