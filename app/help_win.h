// Help > Help topics (F1): opens Tarnwick.chm beside the program with the program the shell
// associates with it. Nothing waits for the viewer.
#pragma once

#include <filesystem>

#include "common/app_dir.h"

namespace tarnwick {

inline constexpr const char* kHelpFile = "Tarnwick.chm";

void actHelpTopicExecute(const std::filesystem::path& folder = AppDir());

}  // namespace tarnwick
