#pragma once
// Keeps assistive tools where the keyboard is. An item view reports its new current cell as
// focused even when the keyboard focus is elsewhere (F4 in the translation editor moves the entry
// list's current row): a screen reader would then announce the list and lose the editor. The guard
// drops focus events of widgets that do not hold the keyboard focus; every other event passes.
namespace vt {

// Installs the guard once for the application; later calls do nothing.
void InstallAccessibleFocusGuard();

} // namespace vt
