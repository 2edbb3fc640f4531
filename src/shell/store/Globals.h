#pragma once

#include <QString>
#include <functional>

// The few values that link windows, under the names the whole program uses.

// The program folder, without a trailing separator. Set once at start-up, before any database access.
extern QString AppFolder;

// The layout table the designer shows: "LayoutBase" (read-only) or "Layout1" .. "Layout10".
extern QString CurrentLayoutTable;

enum class ExitAnswerValue { Declined, Confirmed };
// The exit window's answer to the main menu.
extern ExitAnswerValue ExitAnswer;

// The message window's answer to a question; it keeps its value until a button sets it again.
inline constexpr int MessageDeclined = 7;
inline constexpr int MessageConfirmed = 8;
extern int MessageAnswer;

// Which resolution button of the main menu is selected right now: 0, 1, 2, or -1 for none
// (also while no main menu is open). The main menu installs its own query while it lives.
extern std::function<int()> SelectedResolutionIndex;
