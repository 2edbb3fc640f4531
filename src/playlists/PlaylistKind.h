#pragma once

#include <QString>

// Everything that tells the photo window from the video window; the rest of their design is one.
struct PlaylistKind {
    QString windowName;
    QString caption;
    QString mediaPattern;     // of the media file list File1
    QString extension;        // of the playlist files, ".tni" or ".tnv"
    QString kindWord;         // handed to SalvaNuovoIM
    QString extensionCaption; // handed to SalvaNuovoIM
    QString addOneCaption;
    QString addAllCaption;
    QString activeCaption;
    bool pictureTime; // the photo window has the time box

    // The pattern of the playlist-file list File2.
    QString playlistPattern() const { return QStringLiteral("*") + extension; }

    static PlaylistKind photo()
    {
        return {QStringLiteral("ImpostaFoto"),
                QStringLiteral("Impostazione Foto"),
                QStringLiteral("*.jpg"),
                QStringLiteral(".tni"),
                QStringLiteral("Foto"),
                QStringLiteral("tni"),
                QStringLiteral("&Aggiungi singola immagine"),
                QStringLiteral("&Inserisci tutte le immagini della lista"),
                QStringLiteral("File playlist immagini attiva :"),
                true};
    }

    static PlaylistKind video()
    {
        return {QStringLiteral("ImpostaVideo"),
                QStringLiteral("Impostazione Video"),
                QStringLiteral("*.wmv;*.avi;*.flv;*.mpg;*.mp4"),
                QStringLiteral(".tnv"),
                QStringLiteral("Video"),
                QStringLiteral("tnv"),
                QStringLiteral("&Aggiungi singolo video"),
                QStringLiteral("&Inserisci tutti i video della lista"),
                QStringLiteral("File playlist video attiva :"),
                false};
    }
};
