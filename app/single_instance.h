// What tells a running instance: a top-level window of class TfrmMain whose text begins with
// the application title, byte for byte.
#pragma once

#include <string_view>

namespace tarnwick {

// The title test on a found window's text: its first bytes, as many as the title has, equal
// the title. A shorter text differs.
bool IsRunningInstanceTitle(std::string_view windowText, std::string_view title);

}  // namespace tarnwick
