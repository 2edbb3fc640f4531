#pragma once

#include "ui/ArchiveDialogs.h"

#include <QStringList>
#include <deque>

// File dialogs that answer from a script: each call takes the next answer (a path, or none for a
// cancelled dialog) and records its caption. A call with no answer left counts as cancelled.
class ScriptedArchiveDialogs : public ArchiveDialogs
{
public:
    void answer(std::optional<QString> path) { m_answers.push_back(std::move(path)); }

    const QStringList& captions() const { return m_captions; }

    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString&, const QString&) override
    {
        return next(caption);
    }
    std::optional<QString> openFileName(QWidget*, const QString& caption, const QString&, const QString&) override
    {
        return next(caption);
    }

private:
    std::optional<QString> next(const QString& caption)
    {
        m_captions.append(caption);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<QString> path = std::move(m_answers.front());
        m_answers.pop_front();
        return path;
    }

    std::deque<std::optional<QString>> m_answers;
    QStringList m_captions;
};
