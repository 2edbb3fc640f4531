#pragma once

#include "playlists/PlaylistKind.h"

#include <QDialog>
#include <QStringList>
#include <array>

class DriveComboBox;
class FileListWidget;
class FileLists;
class FolderListWidget;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Store;

// The design the photo and the video window share: the operator picks media files from the drive, folder and
// file lists, composes the playlist in List2, stores it in a playlist file of the program folder ("&Salva",
// "&Salva in nuovo file") and makes a playlist file the default. The active playlist file is the first one
// of the program folder when the window opens; clicking another in File2 loads it. Entries reach a file only
// through the two save buttons; closing discards what was not saved.
class PlaylistWindow : public QDialog
{
    Q_OBJECT
public:
    // The full path of the playlist file the window works on; empty when the program folder has none.
    const QString& activePlaylist() const { return m_activePlaylist; }
    QStringList entries() const;

protected:
    PlaylistWindow(Store& store, PlaylistKind kind, QWidget* parent);

    // Shows the media file at path in the kind's preview window, modally.
    virtual void preview(const QString& path) = 0;
    // Stores path as the default playlist of the kind, with whatever else the kind stores beside it.
    virtual void storeDefault(const QString& path) = 0;

    Store& store() { return m_store; }
    // The time box's text; empty in a window without one.
    QString pictureTime() const;

private:
    void buildControls();
    void open();
    void listPlaylistFiles();
    void loadPlaylist();
    void showReadFailure(const QString& message);

    int selectedEntry() const;
    void addOne();
    void addAll();
    void removeEntry();
    void moveEntry(int step);
    void save();
    void saveInNewFile();
    void setDefault();
    void previewMediaFile();
    void previewEntry();

    Store& m_store;
    const PlaylistKind m_kind;
    QString m_activePlaylist;
    QString m_pickedMedia;

    DriveComboBox* Drive1 = nullptr;
    FolderListWidget* Dir1 = nullptr;
    FileListWidget* File1 = nullptr;
    FileListWidget* File2 = nullptr;
    FileLists* m_lists = nullptr;
    // Label1 indexes 0, 1, 2 and 5; the time label (2) only in the photo window.
    std::array<QLabel*, 6> Label1{};
    QLabel* Label2 = nullptr;
    QListWidget* List2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* SalvaNuovo = nullptr;
    QPushButton* Command89 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* Command5 = nullptr;
};
