// The folder search: its masks and tests, the files of one folder, and the walk of the
// folders below one.
//
// A folder is listed once per call, its names in byte order; only the names a mask lets
// through are examined (stat), so a folder of many files costs one listing and one stat
// per wanted file. The walk hands the listing a handler made of a folder it has just
// reported (fOnFoundDir, which usually runs HandleAllFilesIn on it) on to its own descent
// into that folder, so that the usual search lists every folder once.
#include <exception>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/files/Perusedir.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/FindFiles.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Widemasks.hpp"

namespace corvane {

namespace detail {

// One folder's names as listed, each examined at most once.
struct perusal_listing {
  std::u16string folder;  // with its trailing "/"
  std::string folder_bytes;
  bool opened = false;
  std::vector<TListedName> names;
  std::vector<std::u16string> names16;  // for a name that is not UTF-8, a lossy reading
  std::vector<bool> is_utf8;
  // 0 not examined yet, 1 examined, 2 cannot be examined (and reported).
  std::vector<std::uint8_t> state;
  std::vector<TFoundEntry> entries;

  std::string path_of(std::size_t i) const { return folder_bytes + names[i].bytes; }
};

}  // namespace detail

using detail::perusal_listing;

namespace {

std::u16string with_delimiter(const std::u16string& folder) {
  if (folder.empty()) return u"./";
  return IncludeTrailingPathDelimiter(folder);
}

bool may_be_folder(listed_kind kind) {
  return kind == listed_kind::folder || kind == listed_kind::link || kind == listed_kind::unknown;
}

void log_line(const std::u16string& line) {
  if (log_is_kept()) AddToLogFile(line);
}

void report(const TFindProblemEvent& event, const std::string& path, const std::string& reason) {
  if (event) event(path, reason);
}

// Lists `folder` (ending in "/"). A folder that cannot be opened, or is read only in part,
// is reported.
void read_listing(const std::u16string& folder, perusal_listing& out,
                  const TFindProblemEvent& event) {
  out.folder = folder;
  out.folder_bytes = utf16_to_utf8(folder);
  int open_error = 0, read_error = 0;
  out.opened = sorted_folder_listing(out.folder_bytes, out.names, open_error, read_error);
  if (!out.opened) {
    report(event, out.folder_bytes, "folder cannot be read: " + find_error_reason(open_error));
    return;
  }
  if (read_error != 0)
    report(event, out.folder_bytes,
           "folder cannot be read whole: " + find_error_reason(read_error));
  const std::size_t n = out.names.size();
  out.names16.resize(n);
  out.is_utf8.assign(n, true);
  out.state.assign(n, 0);
  out.entries.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& bytes = out.names[i].bytes;
    std::u16string& name = out.names16[i];
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
      name.assign(bytes.begin(), bytes.end());
      continue;
    }
    name = utf8_to_utf16(bytes);
    // A name converts to UTF-16 and back unchanged only when it is valid UTF-8.
    if (utf16_to_utf8(name) != bytes) out.is_utf8[i] = false;
  }
}

// Examines name i once; false (reported once) when it cannot be examined.
bool examine(perusal_listing& l, std::size_t i, const TFindProblemEvent& event) {
  if (l.state[i] == 0) {
    TFoundEntry& e = l.entries[i];
    e.Name = l.names16[i];
    std::string reason;
    if (examine_bytes(l.path_of(i), e, &reason)) {
      l.state[i] = 1;
    } else {
      l.state[i] = 2;
      if (l.names[i].kind == listed_kind::link) reason = "dangling link: " + reason;
      report(event, l.path_of(i), reason);
    }
  }
  return l.state[i] == 1;
}

// Whether a name that is not UTF-8 is a folder, as far as can be told.
bool bad_name_is_folder(perusal_listing& l, std::size_t i) {
  if (l.names[i].kind == listed_kind::folder) return true;
  if (!may_be_folder(l.names[i].kind)) return false;
  TFoundEntry e;
  return examine_bytes(l.path_of(i), e) && (e.Attr & faDirectory) != 0;
}

}  // namespace

// ---- Construction and tests

TPeruseDir::TPeruseDir(const std::u16string& FilemaskStr, const std::u16string& DirMasks,
                       const std::u16string& ZipMasks, const std::u16string& DirExcludeMasks,
                       const std::u16string& ExtExcludeMasks, bool CheckingMACOS_files,
                       bool ExamineZips, bool TreatZipsLikeAnyOtherFile, bool AcceptSystemFiles,
                       bool AcceptHiddenFiles)
    : fFilemaskStr(FilemaskStr),
      fCheckingMACOS_files(CheckingMACOS_files),
      fTreatZipsLikeAnyOtherFile(TreatZipsLikeAnyOtherFile),
      fAcceptSystemFiles(AcceptSystemFiles),
      fAcceptHiddenFiles(AcceptHiddenFiles),
      fExamineZips(ExamineZips) {
  BuildAMask(fFilemasks, FilemaskStr);
  BuildAMask(fDirmasks, DirMasks);
  BuildAMask(fZipMasks, ZipMasks);
  BuildAMask(fDirExcludeMasks, DirExcludeMasks);
  BuildAMask(fExtExcludeMasks, ExtExcludeMasks);
  fProcessing_files = true;
  fZipExtension = u".zip";
  EnsureExcludedFoldersHavePathmarks();
}

TPeruseDir::~TPeruseDir() = default;

void TPeruseDir::EnsureExcludedFoldersHavePathmarks() {
  for (std::u16string& mask : fDirExcludeMasks) {
    // Settings written on Windows mark the path with "*\"; paths here never hold one.
    if (mask.starts_with(u"*\\")) mask[1] = u'/';
    if (!mask.starts_with(u"*/")) mask.insert(0, u"*/");
  }
}

bool TPeruseDir::IsDot_UnderscoreFile(const std::u16string& Name) const {
  return Name.starts_with(u"._");
}

bool TPeruseDir::IsExcludedFolder(const std::u16string& Path) const {
  return !fDirExcludeMasks.empty() && WhereInAMask(Path, fDirExcludeMasks) >= 0;
}

bool TPeruseDir::HasExcludedExtension(const std::u16string& Name) const {
  if (fExtExcludeMasks.empty()) return false;
  // From the last "." of the last part: an archive's entry names its folders too.
  const std::u16string ext = ExtractFileExt(Name);
  return !ext.empty() && WhereInAMask(ext, fExtExcludeMasks) >= 0;
}

bool TPeruseDir::fIsAZipfile(const std::u16string& Name) const {
  if (Name.size() <= 4 || fZipExtension.size() > Name.size()) return false;
  return LowerCase(std::u16string_view(Name).substr(Name.size() - fZipExtension.size())) ==
         fZipExtension;
}

// ---- The files of one folder

bool TPeruseDir::HandleAllFilesIn(const std::u16string& Folder, TMySearchRecList* List) {
  if (!fProcessing_files) return false;
  bool result = false;
  const std::u16string folder = with_delimiter(Folder);
  try {
    log_line(Format(u"searching %s for %s", {folder, fFilemaskStr}));
    auto owned = std::make_unique<perusal_listing>();
    perusal_listing& l = *owned;
    read_listing(folder, l, fOnFindProblem);
    if (!l.opened) {
      if (folder == fExpectedFolder) fListing = std::move(owned);
      return false;
    }
    const std::size_t n = l.names.size();

    // Names that cannot be read as UTF-8 are reported when a mask might have wanted them
    // (folders are the walk's to report).
    const std::size_t first_dot = fFilemaskStr.find(u'.');
    const std::u16string zip_mask =
        (first_dot == std::u16string::npos ? std::u16string(u"*")
                                           : fFilemaskStr.substr(0, first_dot)) +
        fZipExtension;
    for (std::size_t i = 0; i < n; ++i) {
      if (l.is_utf8[i]) continue;
      const bool wanted = WhereInAMask(l.names16[i], fFilemasks) >= 0 ||
                          (fExamineZips && MatchesMask(l.names16[i], zip_mask));
      if (wanted && !bad_name_is_folder(l, i))
        report(fOnFindProblem, l.path_of(i), "not valid UTF-8");
    }

    // The archives of the folder; their entries do not count for the result.
    if (fExamineZips) {
      for (std::size_t i = 0; i < n && fProcessing_files; ++i) {
        if (!l.is_utf8[i] || !MatchesMask(l.names16[i], zip_mask)) continue;
        if (!examine(l, i, fOnFindProblem)) continue;
        const std::int32_t attr = l.entries[i].Attr;
        // A device or FIFO is never opened; hidden and "._" archives follow the rules
        // for files.
        if ((attr & (faDirectory | faSysFile)) != 0) continue;
        if (!fAcceptHiddenFiles && (attr & faHidden) != 0) continue;
        if (fCheckingMACOS_files && IsDot_UnderscoreFile(l.names16[i])) continue;
        AddAZip(List, folder, l.names16[i]);
        MyYieldProcess();
      }
    }

    // The ordinary files, mask by mask.
    for (const std::u16string& mask : fFilemasks) {
      if (mask.empty()) continue;
      bool any = false;
      for (std::size_t i = 0; i < n && !any; ++i)
        any = l.is_utf8[i] && MatchesMask(l.names16[i], mask);
      if (!any) continue;
      if (!fProcessing_files) {
        log_line(u"processing stopped");
        continue;
      }
      for (std::size_t i = 0; i < n && fProcessing_files; ++i) {
        const std::u16string& name = l.names16[i];
        if (!l.is_utf8[i] || !MatchesMask(name, mask)) continue;
        if (!examine(l, i, fOnFindProblem)) continue;
        const TFoundEntry& e = l.entries[i];
        if ((e.Attr & faDirectory) != 0) continue;
        if ((!fAcceptSystemFiles && (e.Attr & faSysFile) != 0) ||
            (!fAcceptHiddenFiles && (e.Attr & faHidden) != 0) ||
            (fCheckingMACOS_files && IsDot_UnderscoreFile(name))) {
          log_line(Format(u"ignoring %s (%d)", {name, e.Attr}));
          continue;
        }
        log_line(Format(u"\tfound %s", {name}));
        if (HasExcludedExtension(name)) continue;
        if (!fTreatZipsLikeAnyOtherFile && fIsAZipfile(name)) continue;
        TMySearchRec rec;
        rec.Size = static_cast<std::int32_t>(static_cast<std::uint32_t>(e.Size));
        rec.Attr = e.Attr;
        rec.ShortName = name.size() > 260 ? name.substr(0, 260) : name;
        rec.Number_Within_Zip = 0;
        rec.DateTime = e.Time;
        if (fOnCheckFileAcceptableEvent && !fOnCheckFileAcceptableEvent(rec, false)) continue;
        result = true;
        if (List != nullptr) List->AddOne(rec);
        MyYieldProcess();
      }
    }
    if (folder == fExpectedFolder) fListing = std::move(owned);
  } catch (const Exception& e) {
    report(fOnFindProblem, utf16_to_utf8(folder), utf16_to_utf8(e.Message()));
    result = false;
  } catch (const std::exception& e) {
    report(fOnFindProblem, utf16_to_utf8(folder), e.what());
    result = false;
  }
  return result;
}

bool TFolderful::FillList(TPeruseDir& PeruseDir) {
  return PeruseDir.HandleAllFilesIn(fDirname, fThisList.get());
}

// ---- The walk

void TPeruseDir::ProcessAllSubDirectories(const std::u16string& Folder) {
  const std::u16string start = with_delimiter(Folder);
  struct level {
    std::unique_ptr<perusal_listing> l;
    std::size_t next = 0;
  };
  for (const std::u16string& mask : fDirmasks) {
    if (!fProcessing_files) break;
    if (mask.empty()) continue;
    // Each mask walks on its own, as the search of its pattern would; within it, every
    // folder is entered once, whichever link leads to it.
    TFolderVisits visits;
    visits.first_visit(start);
    std::vector<level> stack;
    stack.push_back({std::make_unique<perusal_listing>(), 0});
    MyYieldProcess();
    read_listing(start, *stack.back().l, fOnFindProblem);
    while (!stack.empty() && fProcessing_files) {
      level& top = stack.back();
      perusal_listing& l = *top.l;
      if (top.next >= l.names.size()) {
        stack.pop_back();
        continue;
      }
      const std::size_t i = top.next++;
      MyYieldProcess();
      const std::u16string& name = l.names16[i];
      if (name.starts_with(u'.')) continue;  // dot folders are hidden: never walked
      if (!l.is_utf8[i]) {
        if (MatchesMask(name, mask) && bad_name_is_folder(l, i))
          report(fOnFindProblem, l.path_of(i), "not valid UTF-8");
        continue;
      }
      if (!may_be_folder(l.names[i].kind) || !MatchesMask(name, mask)) continue;
      TFoundEntry e;
      e.Name = name;
      std::string reason;
      if (!examine_bytes(l.path_of(i), e, &reason)) {
        // A dangling link is no folder; HandleAllFilesIn reports it when a mask wants it.
        if (l.names[i].kind != listed_kind::link) report(fOnFindProblem, l.path_of(i), reason);
        continue;
      }
      if ((e.Attr & faDirectory) == 0 || (e.Attr & faHidden) != 0) continue;
      const std::u16string path = l.folder + name;
      if (IsExcludedFolder(path)) continue;
      if (!visits.first_visit(e)) continue;
      ++fsubdir_counter;
      const std::u16string below = path + u'/';
      fExpectedFolder = below;
      fListing.reset();
      if (fOnFoundDir) fOnFoundDir(path);
      MyYieldProcess();
      std::unique_ptr<perusal_listing> next = std::move(fListing);
      fExpectedFolder.clear();
      if (!fProcessing_files) break;
      if (!next || next->folder != below) {
        next = std::make_unique<perusal_listing>();
        read_listing(below, *next, fOnFindProblem);
      }
      stack.push_back({std::move(next), 0});
    }
  }
}

}  // namespace corvane
