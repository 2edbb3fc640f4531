#include "ui/ErrorWindow.h"

#include "data/StoreError.h"
#include "ui/WindowFont.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <exception>

ErrorWindow::ErrorWindow(const QString& message, const QString& detail, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorWindow"));
    setWindowTitle(QStringLiteral("TN2 - Errore"));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    Message = new QLabel(message, this);
    Message->setObjectName(QStringLiteral("Message"));
    Message->setFont(WindowFont::tahoma(9.75, true));
    Message->setWordWrap(true);

    Detail = new QLabel(detail, this);
    Detail->setObjectName(QStringLiteral("Detail"));
    Detail->setFont(WindowFont::tahoma());
    Detail->setWordWrap(true);
    // Support staff ask for the exact words; let them be copied.
    Detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Detail->setVisible(!detail.isEmpty());

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(Message);
    text->addSpacing(6);
    text->addWidget(Detail);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    adjustSize();
    setFixedSize(size());
}

void ErrorWindow::showCurrentException(QWidget* parent)
{
    QString message;
    QString detail;
    try {
        throw;
    } catch (const StoreError& error) {
        message = error.operatorMessage();
        // fullText() is the sentence followed by the technical lines.
        detail = error.fullText().mid(error.operatorMessage().size()).trimmed();
    } catch (const std::exception& error) {
        message = QStringLiteral("Si è verificato un errore imprevisto: l'operazione è stata interrotta.");
        detail = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("Si è verificato un errore imprevisto: l'operazione è stata interrotta.");
    }
    if (!parent)
        parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    ErrorWindow window(message, detail, parent);
    window.exec();
}
