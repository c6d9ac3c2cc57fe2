#include "UnitCustomProc.h"

// Custom profiles are not stored yet: nothing is chosen, so there is nothing to re-apply.
void TCustomProc::ApplySelectedCustomProfile() {}
