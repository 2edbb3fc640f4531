#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Tells the operator, in a plain sentence, that an action could not be completed, with the
// technical detail (file, table, column, the engine's words) underneath for whoever helps them.
class ErrorWindow : public QDialog
{
    Q_OBJECT
public:
    ErrorWindow(const QString& message, const QString& detail, QWidget* parent = nullptr);

    // Shows the exception being handled and waits for OK. Call it from a catch block only.
    static void showCurrentException(QWidget* parent = nullptr);

    QLabel* Message = nullptr;
    QLabel* Detail = nullptr;
    QPushButton* OK = nullptr;
};
