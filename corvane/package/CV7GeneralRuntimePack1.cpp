#include "corvane/package/CV7GeneralRuntimePack1.hpp"

#include <array>

#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/definitions/Colour_utils.hpp"
#include "corvane/definitions/Locale_utilities.hpp"
#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Mytmsstylebase.hpp"
#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Lemmastopmatchtypes.hpp"
#include "corvane/text/Myunicodenew.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

// The fixed start-up order. Shut-down runs it backwards. A unit with no start-up or
// shut-down action has null routines; when one gains an action, its routines go here.
constexpr std::array<TPackageUnit, 54> kUnits = {{
    {"Basic_unicode_chars", nullptr, nullptr},
    {"Bare_assemb_types", nullptr, nullptr},
    {"Bare_assemb", nullptr, nullptr},
    {"Basic_types", nullptr, nullptr},
    {"Dll_utils", nullptr, nullptr},
    {"Generalruntime1const", Generalruntime1const_initialization,
     Generalruntime1const_finalization},
    {"My_types_mini", My_types_mini_initialization, My_types_mini_finalization},
    {"My_types", nullptr, nullptr},
    {"Logging_utilities", Logging_utilities_initialization, Logging_utilities_finalization},
    {"Wdef_mini", nullptr, nullptr},
    {"Mykpsmall", Mykpsmall_initialization, Mykpsmall_finalization},
    {"Wingenok", Wingenok_initialization, Wingenok_finalization},
    {"Generalruntime2const", nullptr, nullptr},
    {"Generalruntime3const", nullptr, nullptr},
    {"My_file_extensionsu", nullptr, nullptr},
    {"Wdef_consts", nullptr, nullptr},
    {"Useful_classes_base", nullptr, nullptr},
    {"Useful_classes", nullptr, nullptr},
    {"Utf8_unit", nullptr, nullptr},
    {"File_utils", File_utils_initialization, File_utils_finalization},
    {"General_plotu", nullptr, nullptr},
    {"Juliandateroutines", nullptr, nullptr},
    {"Registry_utils", nullptr, nullptr},
    {"Sortablelists", nullptr, nullptr},
    {"Lcid_consts", nullptr, nullptr},
    {"Zip_utils", nullptr, nullptr},
    {"Myfilestreamu", nullptr, nullptr},
    {"User_input_wildcard_parsing", nullptr, nullptr},
    {"Wdef", Wdef_initialization, Wdef_finalization},
    {"Lemmastopmatchtypes", Lemmastopmatchtypes_initialize, nullptr},
    {"Locale_utilities", Locale_utilities_initialization, nullptr},
    {"Inifileu2", nullptr, nullptr},
    {"Fileofchar", nullptr, nullptr},
    {"Sentence_terminators", nullptr, nullptr},
    {"My_string_functions", nullptr, nullptr},
    {"Widemasks", nullptr, nullptr},
    {"Perusedir", nullptr, nullptr},
    {"Mystreammemlists", nullptr, nullptr},
    {"Wdef_old", nullptr, nullptr},
    {"Convert_old_record_types", nullptr, nullptr},
    {"My_lang_rec_holder", nullptr, nullptr},
    {"Generalruntimefilters", nullptr, nullptr},
    {"Mytmsstylebase", Mytmsstylebase_initialization, nullptr},
    {"Colour_utils", Colour_utils_initialization, Colour_utils_finalization},
    {"Tms_utils", nullptr, nullptr},
    {"Language_utils", nullptr, nullptr},
    {"Myunicodenew", Myunicodenew_initialization, Myunicodenew_finalization},
    {"Bare_assemb3", Bare_assemb3_initialization, Bare_assemb3_finalization},
    {"Search_parsing", nullptr, nullptr},
    {"Search_engines", nullptr, nullptr},
    {"Rtl_and_ltr_painting", nullptr, nullptr},
    {"Rtf_utils", nullptr, nullptr},
    {"Myframeunit", nullptr, nullptr},
    {"CV7GeneralRuntimePack1", nullptr, nullptr},
}};

std::array<int, kUnits.size()> use_counts{};
int package_count = 0;

TUnitObserver& observer() {
  static TUnitObserver o;
  return o;
}

}  // namespace

std::span<const TPackageUnit> PackageUnits() {
  return kUnits;
}

int PackageLoad() {
  for (std::size_t i = 0; i < kUnits.size(); ++i) {
    if (use_counts[i]++ != 0) continue;
    if (observer()) observer()(kUnits[i].name, t_starting);
    if (kUnits[i].initialization) kUnits[i].initialization();
  }
  return ++package_count;
}

int PackageUnload() {
  if (package_count == 0) return 0;
  for (std::size_t i = kUnits.size(); i-- > 0;) {
    if (--use_counts[i] != 0) continue;
    if (observer()) observer()(kUnits[i].name, t_finishing);
    if (kUnits[i].finalization) kUnits[i].finalization();
  }
  return --package_count;
}

TUnitObserver set_unit_observer(TUnitObserver o) {
  TUnitObserver old = std::move(observer());
  observer() = std::move(o);
  return old;
}

int UnitUseCount(std::string_view unit_name) {
  for (std::size_t i = 0; i < kUnits.size(); ++i)
    if (kUnits[i].name == unit_name) return use_counts[i];
  return 0;
}

bool PackageIsLoaded() {
  return package_count > 0;
}

}  // namespace corvane
