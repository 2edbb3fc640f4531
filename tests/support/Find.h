#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QtGlobal>

// A window's control by its objectName ("PB1_7", "Text1_3"), the way an operator finds it by its
// caption: a missing control ends the test at once, with its name.
template <typename Control = QWidget> Control* child(const QObject& window, const QString& name)
{
    auto* control = window.findChild<Control*>(name);
    if (!control)
        qFatal("%s has no control %s", qPrintable(window.objectName()), qPrintable(name));
    return control;
}

// Member `index` of a control array: child(window, "PB1", 7) is "PB1_7".
template <typename Control = QWidget> Control* child(const QObject& window, const QString& array, int index)
{
    return child<Control>(window, array + QLatin1Char('_') + QString::number(index));
}

// Clicks the button `name` of `window` with the mouse, as an operator does.
inline void clickButton(const QObject& window, const QString& name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}
