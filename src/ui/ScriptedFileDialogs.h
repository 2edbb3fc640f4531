#pragma once

#include "ui/FileDialogs.h"

#include <QList>
#include <deque>

// The file and folder dialogs as a test scripts them: each call takes the next answer set with
// setNextFileName() or setNextCancel() (a call with none left counts as cancelled) and records
// what it was asked: the filters of a file dialog, the title and start of a folder chooser; a save
// also records its caption.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    void setNextFileName(const QString& path) { m_answers.push_back(path); }
    void setNextCancel() { m_answers.push_back(std::nullopt); }

    const QList<QStringList>& asked() const { return m_asked; }
    const QStringList& saveCaptions() const { return m_saveCaptions; }

    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString&,
                                        const QStringList& filters) override
    {
        m_saveCaptions.append(caption);
        return openFileName(parent, filters);
    }

    std::optional<QString> openFileName(QWidget*, const QStringList& filters) override
    {
        m_asked.append(filters);
        return nextAnswer();
    }

    std::optional<QString> existingFolder(QWidget*, const QString& title, const QString& startFolder) override
    {
        m_asked.append({title, startFolder});
        return nextAnswer();
    }

private:
    std::optional<QString> nextAnswer()
    {
        if (m_answers.empty())
            return std::nullopt;
        std::optional<QString> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> m_answers;
    QList<QStringList> m_asked;
    QStringList m_saveCaptions;
};
