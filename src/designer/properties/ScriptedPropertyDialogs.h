#pragma once

#include "designer/properties/PropertyDialogs.h"

#include <deque>

// Answers the editor's dialogs from a script, in order; an answer not scripted is a cancel.
class ScriptedPropertyDialogs final : public PropertyDialogs
{
public:
    void answerFont(std::optional<QFont> font) { m_fonts.push_back(std::move(font)); }
    void answerColour(std::optional<QColor> colour) { m_colours.push_back(std::move(colour)); }

    std::optional<QFont> chooseFont(QWidget*) override { return take(m_fonts); }
    std::optional<QColor> chooseColour(QWidget*) override { return take(m_colours); }

    int asked() const { return m_asked; }

private:
    template <typename T> std::optional<T> take(std::deque<std::optional<T>>& answers)
    {
        ++m_asked;
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QFont>> m_fonts;
    std::deque<std::optional<QColor>> m_colours;
    int m_asked = 0;
};
