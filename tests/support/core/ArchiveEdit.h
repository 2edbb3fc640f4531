#pragma once

#include "data/ArchiveManifest.h"
#include "data/ZipArchive.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <functional>

// A copy of the archive `good` at `target` with its entries and manifest changed by `edit`; the
// manifest's sizes and checksums follow the new content when `refresh`, so that only what the
// edit meant to break is broken.
using ArchiveEdit = std::function<void(QMap<QString, QByteArray>& files, QJsonObject& manifest)>;

inline void rewriteArchive(const QString& good, const QString& target, bool refresh, const ArchiveEdit& edit)
{
    QMap<QString, QByteArray> files;
    const ZipReader reader(good);
    for (const QString& name : reader.names())
        files.insert(name, reader.read(name));
    QJsonObject manifest = QJsonDocument::fromJson(files.take(QStringLiteral("manifest.json"))).object();
    edit(files, manifest);
    QJsonArray list = manifest.value(QStringLiteral("files")).toArray();
    for (qsizetype index = 0; refresh && index < list.size(); ++index) {
        QJsonObject entry = list.at(index).toObject();
        const QByteArray data = files.value(entry.value(QStringLiteral("name")).toString());
        entry.insert(QStringLiteral("size"), data.size());
        entry.insert(QStringLiteral("sha256"), ArchiveManifest::sha256(data));
        list.replace(index, entry);
    }
    manifest.insert(QStringLiteral("files"), list);
    ZipWriter writer(target);
    writer.add(QStringLiteral("manifest.json"), QJsonDocument(manifest).toJson());
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writer.add(it.key(), it.value());
    writer.commit();
}
