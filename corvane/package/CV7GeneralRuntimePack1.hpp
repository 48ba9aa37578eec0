#pragma once
// The package's entry unit: starts and stops the 54 units of the runtime in their fixed
// order, once per process, with a use count per unit.
//
// A host starts the package before its first call into the library and stops it after
// the last. The shared library does this by itself when it is loaded and unloaded; a
// program linked statically holds a TPackageScope for its lifetime, or calls
// PackageLoad()/PackageUnload() in matching pairs. Only the first load runs the units'
// start-ups (in order 1 to 54) and only the last unload runs their shut-downs (in
// reverse order).

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

#include "corvane/frame/Basic_types.hpp"

namespace corvane {

// One unit of the package, in its place in the start-up order. A unit with nothing to do
// at start-up or shut-down has a null routine there.
struct TPackageUnit {
  std::string_view name;
  void (*initialization)();
  void (*finalization)();
};

// All 54 units in start-up order.
std::span<const TPackageUnit> PackageUnits();

// Attach and detach. Return the package's use count after the call.
int PackageLoad();
int PackageUnload();

// How many times the named unit is in use (0 when the package is not loaded, or the
// name is not a unit's).
int UnitUseCount(std::string_view unit_name);
bool PackageIsLoaded();

// Told of every unit's start-up (t_starting) and shut-down (t_finishing) as it happens,
// including units that have nothing to do; for tracing and tests. Returns the old one.
using TUnitObserver = std::function<void(std::string_view unit_name, TStartingOrFinishing)>;
TUnitObserver set_unit_observer(TUnitObserver observer);

class TPackageScope {
 public:
  TPackageScope() { PackageLoad(); }
  ~TPackageScope() { PackageUnload(); }
  TPackageScope(const TPackageScope&) = delete;
  TPackageScope& operator=(const TPackageScope&) = delete;
};

}  // namespace corvane
