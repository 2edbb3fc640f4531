#include "shell/store/Globals.h"

QString AppFolder;
QString CurrentLayoutTable;
ExitAnswerValue ExitAnswer = ExitAnswerValue::Declined;
int MessageAnswer = 0;
std::function<int()> SelectedResolutionIndex = [] { return -1; };
