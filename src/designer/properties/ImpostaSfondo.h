#pragma once

#include <QDialog>
#include <QString>
#include <array>

class DriveComboBox;
class FileListWidget;
class FileLists;
class FolderListWidget;
class LayoutDocument;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

// The screen's background picture: pick a ".jpg" or ".bmp" file, see it and its size in pixels,
// then "Imposta" makes it the layout's background or "Elimina" removes the background. Each is one
// command on the layout document; the next save of the layout stores the path.
class ImpostaSfondo : public QDialog
{
    Q_OBJECT
public:
    // The lists start at `folder` (the working folder when opened from the designer).
    ImpostaSfondo(LayoutDocument& document, const QString& folder, QWidget* parent = nullptr);

    // The picture picked last; empty before a picture was picked.
    const QString& pickedPath() const { return m_picked; }

private:
    QLabel* Label4 = nullptr;
    DriveComboBox* Drive1 = nullptr;
    FolderListWidget* Dir1 = nullptr;
    FileListWidget* File1 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollArea* m_preview = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* F1 = nullptr;
    QLineEdit* F2 = nullptr;
    std::array<QLabel*, 2> Label2{};
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* Command5 = nullptr;

    void pick(const QString& fileName);
    void setPicture();
    void removePicture();

    LayoutDocument& m_document;
    FileLists* m_lists = nullptr;
    QString m_picked;
};
