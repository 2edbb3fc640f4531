#pragma once

#include <QStringList>

// The message window shows five lines of fixed width and does not wrap them: longer sentences
// (an error's explanation, a file path) are broken here into lines that fit, at blanks or, inside
// a path, after a separator. What does not fit in five lines ends the fifth with an ellipsis.
namespace MessageLines {

inline constexpr int MaxLines = 5;

// Each paragraph starts a new line.
QStringList fit(const QStringList& paragraphs);

} // namespace MessageLines
