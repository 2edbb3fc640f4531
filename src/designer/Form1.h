#pragma once

#include "data/LayoutRecords.h"
#include "designer/document/ElementData.h"
#include "designer/document/LayoutDocument.h"

#include <QDialog>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class CanvasDragHost;
class DesignerCanvas;
class DragResizeEngine;
class ElementLabel;
class ElementPicture;
class ElementWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPixmap;
class QPushButton;
class QScrollArea;
class QToolButton;
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
// The values live in a LayoutDocument: every move, resize, insert and remove is a command on it,
// and the element widgets and the canvas only draw what it announces. The left button moves and
// sizes elements through the drag-and-resize engine; the right button on the background opens the
// commands, on an element the property editor.
//
// An editable layout also has a strip under the canvas: undo and redo of the document's history
// (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z), the selected element's place in display pixels to read and type,
// and the zoom (fit, 50%, 1:1 with Ctrl+0, steps with Ctrl+minus and Ctrl+plus). The arrow keys on
// the canvas move the selected element by one display pixel, ten with Shift; Escape abandons a drag.
// The read-only base layout has none of this.
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

    // The open layout. The loader puts a table into it; edits are commands on it.
    LayoutDocument& document() { return m_document; }
    const LayoutDocument& document() const { return m_document; }

    ElementWidget* element(LayoutRecords::CanvasControl control, int index) const;
    const ElementData& elementData(LayoutRecords::CanvasControl control, int index) const;
    // The row an element widget stands for; nullptr for any other widget.
    const LayoutRecords::Row* rowOf(const QWidget* widget) const;

    // The screen's background colour, 0x00BBGGRR.
    std::uint32_t backgroundColour() const { return m_document.backgroundColour(); }
    // What the canvas shows under the elements; a null pixmap clears it. The document's picture
    // path puts the picture loaded from it here.
    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const;

    // The path of the background picture as the hidden label Label2 holds it; the save writes it
    // back. A layout without a picture leaves the label's caption as it was ("Label2" at opening).
    QString backgroundPath() const;
    void setBackgroundPath(const QString& path);

    DesignerCanvas* canvas() const { return m_canvas; }

    // Canvas pixels per display pixel; 1 until the operator zooms.
    double zoom() const { return m_zoom; }
    // Ignored in the read-only layout and during a drag.
    void setZoom(double zoom);

    // The context menu for a press on the canvas background with `button`, or none when that press
    // opens no menu. The caller owns it; the press handler shows it at the cursor.
    std::unique_ptr<QMenu> menuForPress(Qt::MouseButton button);

signals:
    // A right press on the element at list position `position` of an editable layout, outside a
    // drag: the element property editor opens from here.
    void propertiesRequested(int position);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape does not close the designer: closing is "Chiudi Schermata" or the close button.
    void keyPressEvent(QKeyEvent* event) override;
    // The arrow keys on the canvas.
    bool eventFilter(QObject* watched, QEvent* event) override;

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

    // The element table panel, brought up by "Tabella Inserimento Oggetti".
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* LB1 = nullptr;
    std::array<QPushButton*, 3> PushButton1{};

    // The strip under the canvas of an editable layout.
    QWidget* Strumenti = nullptr;
    QToolButton* Annulla = nullptr;
    QToolButton* Ripristina = nullptr;
    // Left, top, width, height of the selected element in display pixels.
    QWidget* Posizione = nullptr;
    std::array<QLineEdit*, 4> TxtPosizione{};
    // Fit, 50%, 1:1, smaller, larger; LblZoom shows the factor.
    std::array<QToolButton*, 5> Zoom{};
    QLabel* LblZoom = nullptr;

    void createElements();
    void createElementPanel();
    void addElement(const LayoutRecords::Row& row, ElementWidget* widget);
    void createStrip();
    QToolButton* addTool(const QString& name, const QString& caption, const QList<QKeySequence>& keys);
    void fitWindowToCanvas();
    void sizeCanvas();
    double fitZoom() const;
    void stepZoom(int direction);
    bool nudge(const QKeyEvent& key);
    void showSelection();
    void applyTypedPosition();
    void restorePosition();
    QPoint placeOnAScreen(const QPoint& wanted) const;
    std::size_t slotOf(LayoutRecords::CanvasControl control, int index) const;

    void showElement(int position);
    void showBackground();
    void loadBackgroundPicture(const QString& path);
    QSize screenPixels() const;

    void elementPressed(ElementWidget* element, Qt::MouseButton button, const QPoint& globalPosition);
    void backgroundPressed(Qt::MouseButton button, const QPoint& globalPosition);
    void canvasMoved(const QPoint& globalPosition);
    void canvasReleased(Qt::MouseButton button, const QPoint& globalPosition);

    QAction* addCommand(QMenu& menu, const QString& name, const QString& caption);
    QAction* addCloseAction(QMenu& menu, const QString& name);
    void showElementPanel();
    int selectedEntry() const;
    void placeSelected(bool onScreen);
    void storeWindowPosition();
    void save();

    Store& m_store;
    QScrollArea* m_scroll = nullptr;
    DesignerCanvas* m_canvas = nullptr;
    std::array<ElementWidget*, LayoutRecords::ElementCount> m_widgets{};
    // Declared in this order so the engine goes first, then what it works on.
    LayoutDocument m_document;
    std::unique_ptr<CanvasDragHost> m_host;
    std::unique_ptr<DragResizeEngine> m_engine;
    // The picture path last put on the canvas, so a change of colour alone loads no picture.
    std::optional<QString> m_shownPicture;
    // The picture on the canvas when only its part on the screen was read.
    struct CutPicture {
        QString path;
        QSize screen;
    };
    std::optional<CutPicture> m_cutPicture;
    // Label2's caption while the layout has no picture, put back when undo takes the picture away.
    QString m_captionWithoutPicture;
    QString m_designerTable;
    QSizeF m_sizeTwips;
    double m_zoom = 1.0;
    bool m_readOnly = false;
    bool m_positionRestored = false;
};
