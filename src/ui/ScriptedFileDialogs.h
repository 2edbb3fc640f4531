#pragma once

#include "ui/FileDialogs.h"

#include <QList>
#include <deque>

// The file-open dialog as a test scripts it: each call takes the next answer set with
// setNextFileName() or setNextCancel() (a call with none left counts as cancelled) and records the
// filters it was asked with.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    void setNextFileName(const QString& path) { m_answers.push_back(path); }
    void setNextCancel() { m_answers.push_back(std::nullopt); }

    const QList<QStringList>& asked() const { return m_asked; }

    std::optional<QString> openFileName(QWidget*, const QStringList& filters) override
    {
        m_asked.append(filters);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<QString> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

private:
    std::deque<std::optional<QString>> m_answers;
    QList<QStringList> m_asked;
};
