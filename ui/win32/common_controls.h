#pragma once
// Registering the common control classes without a load-time dependency on
// COMCTL32.DLL.

namespace cog {

// Loads COMCTL32.DLL and calls InitCommonControlsEx (all Win95 classes plus
// the date and internet classes), or InitCommonControls where the library
// has no InitCommonControlsEx; frees the library again. Does nothing when it
// cannot be loaded. Results are ignored.
void InitCommonControlsAtRunTime();

}  // namespace cog
