#pragma once

#include <QString>

// The scrolling text's preview: the text followed by a gap of blanks turns round one character per
// step, so it moves left and comes back after the gap. A character is what the operator sees as
// one: an emoji or a letter with its accent moves whole, never half of it.
namespace ScrollingPreview {

inline constexpr int Gap = 30;
inline constexpr int StepMs = 150;

// The buffer "Prova" starts from: `text` and the gap.
QString start(const QString& text);

// The buffer one step later: its first character moved to its end.
QString step(const QString& buffer);

// The buffer after `steps` steps from start(text).
QString after(const QString& text, int steps);

} // namespace ScrollingPreview
