#pragma once

#include <QString>
#include <cstdint>

// A byte count as the list shows it: "1.5 KB", cut (not rounded) to two decimals, with the
// user's decimal separator. Negative counts show as 0 B.
QString SizeToText(std::int64_t bytes);

// Seconds as hh:mm:ss, each field at least two digits; hours grow past two digits from 100 h.
// Negative seconds show as 00:00:00.
QString SecondsToText(std::int64_t seconds);

// Reads a time text the way the trim edit does: two-digit numbers at fixed places (hh:mm:ss).
// Throws EConvertError when a place holds no number.
std::int64_t FixedTimeTextToSeconds(const QString& text);
