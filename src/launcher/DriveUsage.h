#pragma once

// The drive usage line: "Using 768.00 MB of 1024.00 MB".

#include <string>

#include "platform/Drives.h"

namespace Launcher {

inline constexpr char16_t DriveUnavailableCaption[] = u"Disk information unavailable";

// A count of megabytes as "#0.00 MB": at least one integer digit, no grouping, two decimals.
std::u16string FormatMegabytes(double megabytes, char16_t decimalSeparator);

// One MB is 1024^2 bytes; used is the difference of the two quotients.
std::u16string DriveUsageCaption(const Platform::DriveSizes& sizes, char16_t decimalSeparator);

}  // namespace Launcher
