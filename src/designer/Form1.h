#pragma once

#include "data/LayoutRecords.h"
#include "designer/document/ElementData.h"

#include <QDialog>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class DesignerCanvas;
class ElementLabel;
class ElementPicture;
class ElementWidget;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPixmap;
class QPushButton;
class QScrollArea;
class Store;

// The layout designer: a life-size model of the display screen with its 48 elements on the
// background colour and picture of the layout. The loader presets it (size, elements, screen
// values, caption, DesignerTable) and shows it modally; it is opened on one table and deleted when
// it closes. Opened on "LayoutBase" it is read-only: the only command is closing.
//
// Size: the display's resolution is the outer size the window asks for, in twips. We give the
// whole of it to the canvas, so the operator designs on exactly the pixels the display has; the
// window's frame, where there is one, comes around it. The window never grows past the available
// screen: a display larger than the operator's screen scrolls at 1:1.
//
// Each element's values live in its ElementData here; the widgets only paint them. Later commands
// (moving, the property editor, the save) reach an element by control and index or by its widget.
class Form1 : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString DesignerTable READ DesignerTable WRITE setDesignerTable)
public:
    // `table` is the layout table shown; the designer is read-only exactly when it is "LayoutBase".
    Form1(Store& store, const QString& table, QWidget* parent = nullptr);
    ~Form1() override;

    // The table the designer's save writes to.
    const QString& DesignerTable() const { return m_designerTable; }
    void setDesignerTable(const QString& table) { m_designerTable = table; }

    bool isReadOnly() const { return m_readOnly; }
    Store& store() const { return m_store; }

    // The outer size of the window the display's resolution asks for, in twips.
    QSizeF sizeTwips() const { return m_sizeTwips; }
    void setSizeTwips(float width, float height);

    ElementWidget* element(LayoutRecords::CanvasControl control, int index) const;
    const ElementData& elementData(LayoutRecords::CanvasControl control, int index) const;
    void setElementData(LayoutRecords::CanvasControl control, int index, const ElementData& values);
    // The row an element widget stands for; nullptr for any other widget.
    const LayoutRecords::Row* rowOf(const QWidget* widget) const;

    // The screen's background colour, 0x00BBGGRR.
    std::uint32_t backgroundColour() const { return m_backgroundColour; }
    void setBackgroundColour(std::uint32_t colour);
    // A null pixmap clears the picture.
    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const;

    // The path of the background picture as the layout holds it; the save writes it back.
    QString backgroundPath() const;
    void setBackgroundPath(const QString& path);

    DesignerCanvas* canvas() const { return m_canvas; }

    // The context menu for a press on the canvas background with `button`, or none when that press
    // opens no menu. The caller owns it; the press handler shows it at the cursor.
    std::unique_ptr<QMenu> menuForPress(Qt::MouseButton button);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::array<ElementLabel*, 32> Text1{};
    std::array<ElementPicture*, 8> Command2{};
    std::array<ElementLabel*, 4> Text9{};
    ElementPicture* IM1 = nullptr;
    ElementPicture* WB1 = nullptr;
    ElementPicture* MP1 = nullptr;
    ElementLabel* Text2 = nullptr;
    // Hidden: carries the path of the background picture.
    QLabel* Label2 = nullptr;

    // The element table panel; its commands come with the designer's editing commands.
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* LB1 = nullptr;
    std::array<QPushButton*, 3> PushButton1{};

    void createElements();
    void createElementPanel();
    void addElement(const LayoutRecords::Row& row, ElementWidget* widget);
    void fitWindowToCanvas();
    void restorePosition();
    void backgroundPressed(Qt::MouseButton button, const QPoint& globalPosition);
    QAction* addCloseAction(QMenu& menu, const QString& name);
    std::size_t slotOf(LayoutRecords::CanvasControl control, int index) const;

    Store& m_store;
    QScrollArea* m_scroll = nullptr;
    DesignerCanvas* m_canvas = nullptr;
    std::array<ElementData, LayoutRecords::ElementCount> m_data{};
    std::array<ElementWidget*, LayoutRecords::ElementCount> m_widgets{};
    QString m_designerTable;
    QSizeF m_sizeTwips;
    std::uint32_t m_backgroundColour = 0;
    bool m_readOnly = false;
    bool m_positionRestored = false;
};
