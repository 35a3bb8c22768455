// The program's message boxes (Windows only). All carry the title "Tarnwick", are modal to the
// application and disable its other windows while open.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr const char* kMessageTitle = "Tarnwick";

void ShowInfo(const std::string& text);
void ShowError(const std::string& text);
void ShowWarning(const std::string& text);
// True exactly when the answer is Yes.
bool AskYesNo(const std::string& text);

// The application's report of an error that no command handled: the error's text with a full
// stop, under the application title, OK and the stop icon. The program runs on.
void ShowGeneralError(std::string_view message);
// Reports the exception being handled; call it only inside a catch block.
void ShowCurrentException();

}  // namespace tarnwick
