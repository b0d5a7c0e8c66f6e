// Texts the loader shows.
#pragma once

#include <string>
#include <string_view>

#include "common/shared_names.h"

inline constexpr char kDuplicateTitle[] = "...Duplicate";
inline constexpr char kCriticalErrorCaption[] = "Quilloria - Critical Error:";

// The message shown when the configuration program cannot be started or waited for; `cause`
// is the system's description of the error.
std::string CouldNotStartConfigurationText(std::string_view cause);
