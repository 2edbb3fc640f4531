#include "menu/SettingsCommands.h"

#include "data/SettingsBackup.h"
#include "data/Store.h"
#include "data/StoreError.h"
#include "ui/FileDialogs.h"
#include "ui/MessageLines.h"
#include "ui/MsgForm.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString Filter = QStringLiteral("Copia delle impostazioni TN2 (*.zip)");

QString startingFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString count(qsizetype number, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(number).arg(number == 1 ? one : many);
}

void showFailure(const QString& heading, const StoreError& error, QWidget* parent)
{
    QStringList paragraphs{heading, error.operatorMessage()};
    if (!error.file().isEmpty())
        paragraphs.append(error.file());
    MsgForm::showMessage(MessageLines::fit(paragraphs), parent);
}

QString shownDate(const QDateTime& when)
{
    return when.isValid() ? when.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QStringLiteral("(data sconosciuta)");
}

} // namespace

namespace SettingsCommands {

void backup(Store& store, FileDialogs& dialogs, QWidget* parent)
{
    const QString suggested = QDir(startingFolder())
                                  .filePath(QStringLiteral("TN2-impostazioni-%1.zip")
                                                .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const std::optional<QString> chosen =
        dialogs.saveFileName(parent, QStringLiteral("Salva copia delle impostazioni"), suggested, {Filter});
    if (!chosen)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".zip");
    try {
        const SettingsBackup::Summary summary = SettingsBackup::backup(store.folder(), path);
        QStringList paragraphs{QStringLiteral("Copia delle impostazioni salvata in:"), QDir::toNativeSeparators(path)};
        QString contents = QStringLiteral("Contiene il database, ") +
                           count(summary.playlists.size(), QStringLiteral("playlist"), QStringLiteral("playlist"));
        if (!summary.media.isEmpty())
            contents += QStringLiteral(" e ") + count(summary.media.size(), QStringLiteral("file audio o immagine"),
                                                      QStringLiteral("file audio o immagini"));
        paragraphs.append(contents + QLatin1Char('.'));
        if (!summary.external.isEmpty())
            paragraphs.append(summary.external.size() == 1
                                  ? QStringLiteral("1 file fuori dalla cartella del programma è solo elencato.")
                                  : QStringLiteral("%1 file fuori dalla cartella del programma sono solo elencati.")
                                        .arg(summary.external.size()));
        MsgForm::showMessage(MessageLines::fit(paragraphs), parent);
    } catch (const StoreError& error) {
        showFailure(QStringLiteral("La copia delle impostazioni non è stata salvata."), error, parent);
    }
}

void restore(Store& store, FileDialogs& dialogs, QWidget* parent, const std::function<void()>& showRestored)
{
    const std::optional<QString> chosen = dialogs.openFileName(parent, {Filter});
    if (!chosen)
        return;
    const QString failed = QStringLiteral("Ripristino non eseguito: le impostazioni non sono cambiate.");
    std::unique_ptr<SettingsBackup::CheckedArchive> archive;
    try {
        archive = std::make_unique<SettingsBackup::CheckedArchive>(*chosen);
    } catch (const StoreError& error) {
        showFailure(failed, error, parent);
        return;
    }
    const bool confirmed = MsgForm::ask(
        MessageLines::fit({QStringLiteral("Ripristinare la copia del %1?").arg(shownDate(archive->summary().created)),
                           QStringLiteral("Le impostazioni attuali verranno sostituite; prima ne viene "
                                          "salvata una copia nella cartella Backup.")}),
        parent);
    if (!confirmed)
        return;
    try {
        const SettingsBackup::Restored restored = SettingsBackup::restore(store, *archive);
        showRestored();
        QStringList paragraphs{
            QStringLiteral("Impostazioni ripristinate dalla copia del %1.").arg(shownDate(restored.summary.created)),
            QStringLiteral("Le impostazioni di prima sono in: %1")
                .arg(QDir::toNativeSeparators(QDir(store.folder()).relativeFilePath(restored.automaticBackup)))};
        if (!restored.notReplaced.isEmpty()) {
            paragraphs.append(
                QStringLiteral("Non è stato possibile sostituire %1:")
                    .arg(count(restored.notReplaced.size(), QStringLiteral("file"), QStringLiteral("file"))));
            paragraphs.append(restored.notReplaced.first());
        }
        if (!restored.missing.isEmpty()) {
            paragraphs.append(restored.missing.size() == 1
                                  ? QStringLiteral("Manca un file indicato dalle impostazioni:")
                                  : QStringLiteral("Mancano %1 file indicati dalle impostazioni, tra cui:")
                                        .arg(restored.missing.size()));
            paragraphs.append(restored.missing.first());
        }
        MsgForm::showMessage(MessageLines::fit(paragraphs), parent);
    } catch (const StoreError& error) {
        showFailure(failed, error, parent);
    }
}

} // namespace SettingsCommands
