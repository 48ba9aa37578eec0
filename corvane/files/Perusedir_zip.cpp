// The entries of one zip archive, as a folder search gathers them.
#include "corvane/files/Perusedir.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/FindFiles.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/text/Widemasks.hpp"

namespace corvane {

namespace {

// Number_Within_Zip is 16 bits: the last entry number it holds.
constexpr std::int32_t kLastNumberedEntry = 32767;

}  // namespace

void TPeruseDir::ZipSkipped(const std::u16string& entry_name, const std::u16string& reason) {
  fLastZipProblem.entry = entry_name;
  fLastZipProblem.reason = reason;
  if (fOnZipProblem) fOnZipProblem(this);
}

void TPeruseDir::AddAZip(TMySearchRecList* List, const std::u16string& FolderWithDelimiter,
                         const std::u16string& ZipName) {
  TZipForge zip;
  zip.OnProcessFileFailure = [this](const std::u16string& entry, const std::u16string& reason) {
    ZipSkipped(entry, reason);
  };
  zip.FileName = FolderWithDelimiter + ZipName;
  fLastZipProblem = {zip.FileName, u"", u""};
  try {
    zip.OpenArchive();
  } catch (const Exception&) {
    return;  // the failure handler has told fOnZipProblem
  }
  if (fOnZipStartReading) fOnZipStartReading(zip.FileName);
  ++fzips_examined;
  const std::u16string prefix = zip.FileName + u'/';
  const std::int32_t count = zip.GetEntryCount();
  std::int32_t past_limit = 0;
  for (std::int32_t i = 0; i < count && fProcessing_files; ++i) {
    MyYieldProcess();
    if (fOnZipReading) fOnZipReading(i, count);
    if (zip.IsFolderEntry(i)) continue;
    const std::u16string name = zip.GetAZipMainDetail(i);
    if (name.empty() || WhereInAMask(name, fZipMasks) < 0 || HasExcludedExtension(name)) continue;
    if (i >= kLastNumberedEntry) {
      ++past_limit;
      continue;
    }
    TMySearchRec rec;
    std::int32_t size = 0, attr = 0;
    zip.GetAZipFileSubProperty(i, size, attr);
    // Hidden, system and "._" entries follow the rules for files in folders ("._" files
    // are what archives made on macOS carry beside each text).
    if ((!fAcceptSystemFiles && (attr & faSysFile) != 0) ||
        (!fAcceptHiddenFiles && (attr & faHidden) != 0) ||
        (fCheckingMACOS_files && IsDot_UnderscoreFile(ExtractFileName(name))))
      continue;
    ++ftotal_files_in_zips;
    rec.ShortName = prefix + name;
    rec.DateTime = zip.GetADateTime(i);
    rec.Size = size;
    rec.Attr = attr;
    rec.Number_Within_Zip = static_cast<std::int16_t>(i + 1);
    if (fOnCheckFileAcceptableEvent && !fOnCheckFileAcceptableEvent(rec, true)) continue;
    if (List != nullptr) List->AddOne(rec);
  }
  if (past_limit > 0)
    ZipSkipped(u"", Format(u"%d entries after entry %d skipped: entry numbers stop there",
                           {past_limit, kLastNumberedEntry}));
  if (fOnDoneZipReading) fOnDoneZipReading(fzips_examined);
  zip.CloseArchive();
}

}  // namespace corvane
