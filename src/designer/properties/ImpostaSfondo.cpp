#include "designer/properties/ImpostaSfondo.h"

#include "designer/document/LayoutDocument.h"
#include "ui/DriveComboBox.h"
#include "ui/FileListWidget.h"
#include "ui/FileLists.h"
#include "ui/FolderListWidget.h"
#include "ui/FolderReading.h"
#include "ui/MsgForm.h"
#include "ui/PictureLimit.h"
#include "ui/WindowFont.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <optional>

namespace {

QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

template <typename Control> Control* place(Control* control, const QString& name, const QRect& geometry)
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

} // namespace

ImpostaSfondo::ImpostaSfondo(LayoutDocument& document, const QString& folder, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("ImpostaSfondo"));
    setWindowTitle(QStringLiteral("Imposta Sfondo schermata FrontEnd"));
    setFont(WindowFont::tahoma());
    setFixedSize(10080 / 15, 6600 / 15);

    Label4 =
        place(new QLabel(QStringLiteral("Selezione File"), this), QStringLiteral("Label4"), twips(120, 120, 3600, 285));
    Drive1 = place(new DriveComboBox(this), QStringLiteral("Drive1"), twips(120, 480, 3600, 315));
    Dir1 = place(new FolderListWidget(this), QStringLiteral("Dir1"), twips(120, 900, 3600, 2400));
    File1 = place(new FileListWidget(this), QStringLiteral("File1"), twips(120, 3420, 3600, 2400));
    File1->setPattern(QStringLiteral("*.jpg;*.bmp"));

    Label1 = place(new QLabel(QStringLiteral("Anteprima Foto"), this), QStringLiteral("Label1"),
                   twips(3960, 120, 6000, 285));
    // The preview takes the picture's size; a picture larger than the window scrolls inside it.
    m_preview = place(new QScrollArea(this), QStringLiteral("Anteprima"), twips(3960, 480, 6000, 4200));
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    m_preview->setWidget(Image1);

    Label3 = place(new QLabel(QStringLiteral("Misure Immagine"), this), QStringLiteral("Label3"),
                   twips(3960, 4800, 2400, 285));
    Label2[0] =
        place(new QLabel(QStringLiteral("Larghezza"), this), QStringLiteral("Label2_0"), twips(3960, 5160, 1000, 285));
    F1 = place(new QLineEdit(this), QStringLiteral("F1"), twips(5000, 5160, 1000, 285));
    Label2[1] =
        place(new QLabel(QStringLiteral("Altezza"), this), QStringLiteral("Label2_1"), twips(3960, 5520, 1000, 285));
    F2 = place(new QLineEdit(this), QStringLiteral("F2"), twips(5000, 5520, 1000, 285));
    F1->setReadOnly(true);
    F2->setReadOnly(true);

    PushButton1 = place(new QPushButton(QStringLiteral("Imposta"), this), QStringLiteral("PushButton1"),
                        twips(6360, 5040, 1100, 375));
    PushButton3 = place(new QPushButton(QStringLiteral("Elimina"), this), QStringLiteral("PushButton3"),
                        twips(7560, 5040, 1100, 375));
    Command5 = place(new QPushButton(QStringLiteral("C&hiudi"), this), QStringLiteral("Command5"),
                     twips(8760, 5040, 1100, 375));

    m_lists = new FileLists(Drive1, Dir1, File1, this);
    connect(m_lists, &FileLists::readFailed, this,
            [this](const QString& message) { MsgForm::showMessage({message}, this); });
    connect(File1, &FileListWidget::fileClicked, this, &ImpostaSfondo::pick);
    connect(PushButton1, &QPushButton::clicked, this, &ImpostaSfondo::setPicture);
    connect(PushButton3, &QPushButton::clicked, this, &ImpostaSfondo::removePicture);
    connect(Command5, &QPushButton::clicked, this, &QDialog::close);
    m_lists->setPath(folder);
}

// A file that gives no picture is told and changes nothing: the preview, the sizes and the picked
// path stay those of the last good pick.
void ImpostaSfondo::pick(const QString& fileName)
{
    const QString path = File1->filePath(fileName);
    std::optional<BusyCursor> busy(std::in_place); // a large picture takes most of a second to decode
    QImageReader reader(path);
    if (const QSize size = reader.size(); PictureLimit::exceeded(size)) {
        busy.reset();
        MsgForm::showMessage(PictureLimit::message(fileName, size), this);
        return;
    }
    const QImage image = reader.read();
    busy.reset();
    if (image.isNull()) {
        MsgForm::showMessage({QStringLiteral("Il file scelto non è un'immagine leggibile:"), fileName}, this);
        return;
    }
    m_picked = path;
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->resize(image.size());
    F1->setText(QString::number(image.width()));
    F2->setText(QString::number(image.height()));
}

// With no picture picked the path is empty, which removes the background as "Elimina" does.
void ImpostaSfondo::setPicture()
{
    m_document.setBackgroundPicture(m_picked);
}

void ImpostaSfondo::removePicture()
{
    m_document.setBackgroundPicture(QString());
}
