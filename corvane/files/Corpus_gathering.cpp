// The texts of a corpus gathered through the folder search: a folder's own files first,
// then every folder the walk below it reports, each with its files; paths named directly
// taken as they are.
#include "corvane/files/Corpus_gathering.hpp"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Zip_utils.hpp"
#include "corvane/platform/FindFiles.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

bool is_utf8(const std::string& s) {
  return is_strict_utf8(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

// Where the archive's path ends in an entry's name (its ".zip/" after `from`, in any
// letter case): the position just after "zip"; npos when there is none.
std::size_t archive_end(const std::string& name, std::size_t from) {
  for (std::size_t i = from; i + 5 <= name.size(); ++i) {
    if (name[i] != '.' || name[i + 4] != '/') continue;
    const char z = name[i + 1], p1 = name[i + 2], p2 = name[i + 3];
    if ((z == 'z' || z == 'Z') && (p1 == 'i' || p1 == 'I') && (p2 == 'p' || p2 == 'P'))
      return i + 4;
  }
  return std::string::npos;
}

class gatherer {
 public:
  gatherer(const gathering_options& o, const gathering_events& events)
      : o_(o),
        events_(events),
        perusal_(
            u16(o.masks.empty() ? std::string("*") : o.masks),
            u16(o.dir_masks.empty() ? std::string("*") : o.dir_masks),
            u16(o.zip_masks.empty() ? (o.masks.empty() ? std::string("*") : o.masks) : o.zip_masks),
            u16(o.exclude_dirs), u16(o.exclude_exts), !o.dot_underscore, o.examine_zips,
            o.zips_as_files, o.system, o.hidden) {
    perusal_.fOnFindProblem = [this](const std::string& path, const std::string& reason) {
      problem(path, reason);
    };
    perusal_.fOnZipProblem = [this](TObject*) {
      const TZipProblem& z = perusal_.LastZipProblem();
      std::string path = utf16_to_utf8(z.archive);
      if (!z.entry.empty()) path += "/" + utf16_to_utf8(z.entry);
      problem(path, utf16_to_utf8(z.reason));
    };
    perusal_.fOnFoundDir = [this](const std::u16string& dir) { folder(dir); };
  }

  void path(const std::string& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) {
      const int e = errno;
      const gathered_text named = text_named(p);
      struct stat archive {};
      if (!named.archive.empty() && ::stat(named.archive.c_str(), &archive) == 0 &&
          S_ISREG(archive.st_mode))
        return entry(named);
      problem(p, e == ENOENT ? "no such file or folder" : error_reason(e));
      return;
    }
    if (S_ISDIR(st.st_mode)) {
      if (!is_utf8(p)) return problem(p, "not valid UTF-8");
      const std::u16string start = u16(p);
      folder(start);
      if (o_.recurse) perusal_.ProcessAllSubDirectories(start);
      return;
    }
    // A file named directly is taken as it is, whatever its name and the masks say (an
    // archive too: its entries are named through it, "corpus.zip/a.txt").
    TFoundEntry found;
    examine_bytes(p, found);
    gathered_text t;
    t.path = p;
    t.size = st.st_size;
    t.date = found.Time;
    t.attr = found.Attr;
    take(t);
  }

  std::size_t texts() const { return texts_; }
  bool stopped() const { return stopped_; }

 private:
  // One folder's files (Folder: as the walk reports it, without its trailing "/").
  void folder(const std::u16string& dir) {
    list_.Clear();
    perusal_.HandleAllFilesIn(dir, &list_);
    list_.SetSort(o_.sort);
    std::string prefix = utf16_to_utf8(dir);
    if (!prefix.ends_with('/')) prefix += '/';
    emit(prefix);
    ++folders_;
    if (events_.progress) events_.progress(folders_, texts_);
  }

  // The records of list_: files of folder `prefix` and entries of the archives in it.
  void emit(const std::string& prefix) {
    const std::int32_t n = list_.Count();
    for (std::int32_t i = 0; i < n && !stopped_; ++i) {
      const TMySearchRec& r = static_cast<const TMySearchRecHolder*>(list_.Get(i))->data;
      gathered_text t;
      t.date = r.DateTime;
      t.attr = r.Attr;
      // Sizes are held in 32 bits (an archive caps its entries' at 2 GiB - 1).
      t.size = static_cast<std::uint32_t>(r.Size);
      t.number_within_zip = r.Number_Within_Zip;
      if (r.Number_Within_Zip > 0) {
        t.path = utf16_to_utf8(r.ShortName);
        const std::size_t end = archive_end(t.path, prefix.size());
        t.archive = t.path.substr(0, end == std::string::npos ? 0 : end);
      } else {
        t.path = prefix + utf16_to_utf8(r.ShortName);
      }
      take(t);
    }
    list_.Clear();
  }

  // An entry named through its archive ("corpus.zip/a.txt").
  void entry(gathered_text t) {
    const std::u16string name = u16(std::string_view(t.path).substr(t.archive.size() + 1));
    TZipForge zip;
    std::u16string reason;
    zip.OnProcessFileFailure = [&reason](const std::u16string&, const std::u16string& why) {
      reason = why;
    };
    zip.FileName = u16(t.archive);
    try {
      zip.OpenArchive();
    } catch (const Exception&) {
      return problem(t.archive, "the archive cannot be read: " + utf16_to_utf8(reason));
    }
    const std::int32_t index = zip.IndexOfEntry(name);
    if (index < 0 || zip.IsFolderEntry(index))
      return problem(t.path, "no such entry in " + t.archive);
    std::int32_t size = 0, attr = 0;
    zip.GetAZipFileSubProperty(index, size, attr);
    t.number_within_zip = index + 1;
    t.size = size;
    t.attr = attr;
    t.date = zip.GetADateTime(index);
    take(t);
  }

  void take(const gathered_text& t) {
    ++texts_;
    if (events_.text && !events_.text(t)) {
      stopped_ = true;
      perusal_.fProcessing_files = false;
    }
  }

  void problem(const std::string& path, const std::string& reason) {
    if (events_.problem) events_.problem({path, reason});
  }

  const gathering_options& o_;
  const gathering_events& events_;
  TPeruseDir perusal_;
  TMySearchRecList list_;
  std::size_t folders_ = 0, texts_ = 0;
  bool stopped_ = false;
};

}  // namespace

std::size_t gather_texts(const std::vector<std::string>& paths, const gathering_options& options,
                         const gathering_events& events) {
  gatherer g(options, events);
  for (std::size_t i = 0; i < paths.size() && !g.stopped(); ++i) g.path(paths[i]);
  return g.texts();
}

std::vector<gathered_text> gather_texts(const std::vector<std::string>& paths,
                                        const gathering_options& options,
                                        std::vector<gathering_problem>& problems) {
  std::vector<gathered_text> texts;
  gathering_events events;
  events.text = [&texts](const gathered_text& t) {
    texts.push_back(t);
    return true;
  };
  events.problem = [&problems](const gathering_problem& p) { problems.push_back(p); };
  gather_texts(paths, options, events);
  return texts;
}

struct entry_reader::state {
  std::string path;
  std::unique_ptr<TZipForge> zip;
  std::u16string reason;  // the component's last failure
};

entry_reader::entry_reader() : s_(new state) {}
entry_reader::~entry_reader() = default;

bool entry_reader::read(const gathered_text& text, std::string& bytes, std::uint64_t limit,
                        std::string& why) {
  bytes.clear();
  state& s = *s_;
  if (text.archive.empty() || text.path.size() <= text.archive.size() + 1 ||
      !text.path.starts_with(text.archive)) {
    why = "names no entry of an archive";
    return false;
  }
  if (!s.zip || s.path != text.archive) {
    s.zip.reset();
    s.path.clear();
    auto zip = std::make_unique<TZipForge>();
    state* at = &s;
    zip->OnProcessFileFailure = [at](const std::u16string&, const std::u16string& r) {
      at->reason = r;
    };
    zip->FileName = u16(text.archive);
    try {
      zip->OpenArchive();
    } catch (const Exception& e) {
      why = "the archive cannot be read: " + utf16_to_utf8(e.Message());
      return false;
    }
    s.zip = std::move(zip);
    s.path = text.archive;
  }
  TZipForge& zip = *s.zip;
  const std::u16string name = u16(std::string_view(text.path).substr(text.archive.size() + 1));
  std::int32_t index = text.number_within_zip - 1;
  // The number says where the entry was when the archive was listed; the name decides.
  if (index < 0 || index >= zip.GetEntryCount() || zip.GetAZipMainDetail(index) != name)
    index = zip.IndexOfEntry(name);
  if (index < 0) {
    why = "no such entry in " + text.archive;
    return false;
  }
  if (zip.IsFolderEntry(index)) {
    why = "is a folder";
    return false;
  }
  s.reason.clear();
  if (!zip.ExtractToBytes(index, bytes, limit)) {
    bytes.clear();
    why = "cannot be read from the archive: " + utf16_to_utf8(s.reason);
    return false;
  }
  return true;
}

std::string error_reason(int error) {
  std::string s = std::strerror(error);
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

gathered_text text_named(const std::string& path) {
  gathered_text text;
  text.path = path;
  // A name that is not UTF-8 can only be a file's.
  if (!is_utf8(path)) return text;
  const std::u16string name = u16(path);
  if (!IsWithinAZipFile(name, u"")) return text;
  const std::u16string archive = ZipFileFullFileName(name, u"");
  if (archive.empty() || ZipFileWantedFileNameWithin(name, u"").empty()) return text;
  text.archive = utf16_to_utf8(archive);
  return text;
}

bool gathered_text_verdict(const gathered_text& text, bool thorough, entry_reader& entries,
                           TFileContentsSet& verdict, std::string& why) {
  verdict = {};
  try {
    if (text.archive.empty()) {
      // Opening a FIFO or device could wait for ever.
      if ((text.attr & faSysFile) == 0) verdict = FileContentsType(u16(text.path), thorough);
      return true;
    }
    std::string bytes;
    if (!entries.read(text, bytes, kZipStringLimit, why)) return false;
    verdict = FileBufferType(bytes.data(), static_cast<std::int64_t>(bytes.size()), thorough);
    return true;
  } catch (const Exception& e) {
    why = u8(e.Message());
  } catch (const std::bad_alloc&) {
    why = "not enough memory to read it";
  } catch (const std::exception& e) {
    why = e.what();
  }
  return false;
}

}  // namespace corvane
