#pragma once

#include <QLatin1String>

class TControlModels;

// The custom-profile file and the Add counter file, both under Config/ in the program folder.
inline constexpr QLatin1String cstProfileFileName("UserProfileInfo.ini");
inline constexpr QLatin1String cstProfileCountFileName("UserProfileCount.ini");

// The quality list holds the five levels first; any later entry is a custom profile.
inline constexpr int cstQualityLevelCount = 5;

// Selects in cbbCustomProfile the profile that the quality list shows as selected; no entry
// when the quality list shows a built-in level or a profile that is no longer listed.
void SelectCustomProfileOfQuality(TControlModels& models);
