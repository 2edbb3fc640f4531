#include "designer/Form1.h"

#include "data/ConfigurationRecord.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/ElementPicture.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <stdexcept>

using LayoutRecords::CanvasControl;
using LayoutRecords::Row;

namespace {

// The window as it was drawn: 800 x 600 pixels, until the loader sizes it for the display.
constexpr float DesignWidth = 12000.0f;
constexpr float DesignHeight = 9000.0f;

// Where the elements sit before a layout is put on the canvas: the counters in rows under the
// title, their photos beside them, the video and image areas on the right, the scrolling text at
// the bottom. The loader replaces every value but the weather element's fixed size.
ElementData designData(const Row& row)
{
    ElementData data;
    data.text = QString::fromUtf8(row.designText);
    data.fontName = QStringLiteral("Arial");
    data.fontPoints = 12.0f;
    data.backColour = 0x00603010;
    data.foreColour = 0x00FFFFFF;
    const auto place = [&data](float left, float top, float width, float height) {
        data.left = left;
        data.top = top;
        data.width = width;
        data.height = height;
    };
    constexpr float rowTop = 1440.0f;
    constexpr float rowStep = 600.0f;
    constexpr float rowHeight = 540.0f;
    switch (row.control) {
    case CanvasControl::Text1: {
        static constexpr float lefts[4] = {240.0f, 1560.0f, 3960.0f, 6360.0f};
        static constexpr float widths[4] = {1200.0f, 2280.0f, 2280.0f, 1560.0f};
        const int field = row.index % 4;
        place(lefts[field], rowTop + static_cast<float>(row.index / 4) * rowStep, widths[field], rowHeight);
        if (field == 0) {
            data.fontPoints = 18.0f;
            data.bold = true;
            data.alignment = ElementData::Centre;
        }
        break;
    }
    case CanvasControl::Command2:
        place(8040.0f, rowTop + static_cast<float>(row.index) * rowStep, 480.0f, rowHeight);
        break;
    case CanvasControl::Text9:
        if (row.index < 2) {
            place(240.0f, row.index == 0 ? 120.0f : 720.0f, 7800.0f, row.index == 0 ? 600.0f : 480.0f);
            data.fontPoints = row.index == 0 ? 20.0f : 14.0f;
            data.bold = row.index == 0;
        } else {
            place(8640.0f, row.index == 2 ? 120.0f : 480.0f, 3120.0f, 360.0f);
            data.alignment = ElementData::Right;
        }
        break;
    case CanvasControl::MP1:
        place(8640.0f, rowTop, 3120.0f, 2160.0f);
        break;
    case CanvasControl::IM1:
        place(8640.0f, 3720.0f, 3120.0f, 2340.0f);
        break;
    case CanvasControl::WB1:
        place(240.0f, 6360.0f, LayoutRecords::WeatherWidth, LayoutRecords::WeatherHeight);
        break;
    case CanvasControl::Text2:
        place(0.0f, 8280.0f, DesignWidth, 600.0f);
        data.fontPoints = 16.0f;
        break;
    case CanvasControl::BackgroundPicture:
    case CanvasControl::BackgroundColour:
        break;
    }
    return data;
}

QString arrayName(const char* control, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(index);
}

} // namespace

Form1::Form1(Store& store, const QString& table, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_designerTable(table)
    , m_readOnly(table == LayoutTableName(0))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Impostazione Layout"));

    m_canvas = new DesignerCanvas;
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setWidget(m_canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    createElements();
    Label2 = new QLabel(QStringLiteral("Label2"), m_canvas);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    createElementPanel();

    connect(m_canvas, &DesignerCanvas::backgroundPressed, this, &Form1::backgroundPressed);
    setBackgroundColour(0);
    setSizeTwips(DesignWidth, DesignHeight);
}

Form1::~Form1() = default;

void Form1::createElements()
{
    const auto label = [this](const QString& name) {
        auto* widget = new ElementLabel(m_canvas);
        widget->setObjectName(name);
        return widget;
    };
    const auto picture = [this](ElementPicture::Marker marker, const QString& name) {
        auto* widget = new ElementPicture(marker, m_canvas);
        widget->setObjectName(name);
        return widget;
    };
    using Marker = ElementPicture::Marker;
    for (const Row& row : LayoutRecords::rows()) {
        const auto index = static_cast<std::size_t>(row.index);
        switch (row.control) {
        case CanvasControl::Text1:
            addElement(row, Text1[index] = label(arrayName("Text1", row.index)));
            break;
        case CanvasControl::Command2:
            addElement(row, Command2[index] = picture(Marker::Photo, arrayName("Command2", row.index)));
            break;
        case CanvasControl::Text9:
            addElement(row, Text9[index] = label(arrayName("Text9", row.index)));
            break;
        case CanvasControl::IM1:
            addElement(row, IM1 = picture(Marker::Images, QStringLiteral("IM1")));
            break;
        case CanvasControl::WB1:
            addElement(row, WB1 = picture(Marker::Weather, QStringLiteral("WB1")));
            break;
        case CanvasControl::MP1:
            addElement(row, MP1 = picture(Marker::Video, QStringLiteral("MP1")));
            break;
        case CanvasControl::Text2:
            addElement(row, Text2 = label(QStringLiteral("Text2")));
            break;
        case CanvasControl::BackgroundPicture:
        case CanvasControl::BackgroundColour:
            break;
        }
    }
}

void Form1::addElement(const Row& row, ElementWidget* widget)
{
    const auto slot = static_cast<std::size_t>(row.listPosition);
    m_widgets[slot] = widget;
    m_data[slot] = designData(row);
    widget->showData(m_data[slot]);
}

// The element table panel is filled at every opening; it stays hidden until the command that
// brings it up, and its buttons wait for the commands that insert and remove elements.
void Form1::createElementPanel()
{
    GroupBox1 = new QGroupBox(m_canvas);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(16, 16, 260, 340);
    auto* layout = new QVBoxLayout(GroupBox1);
    Label1 = new QLabel(QStringLiteral("Tabella Oggetti"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    LB1 = new QListWidget(GroupBox1);
    LB1->setObjectName(QStringLiteral("LB1"));
    for (int position = 0; position < LayoutRecords::ElementCount; ++position)
        LB1->addItem(QString::fromUtf8(LayoutRecords::atListPosition(position).name));
    layout->addWidget(LB1);
    auto* buttons = new QHBoxLayout;
    const char* captions[3] = {"Inserisci", "Elimina", "Chiudi"};
    for (std::size_t index = 0; index < PushButton1.size(); ++index) {
        PushButton1[index] = new QPushButton(QString::fromUtf8(captions[index]), GroupBox1);
        PushButton1[index]->setObjectName(arrayName("PushButton1", static_cast<int>(index)));
        PushButton1[index]->setEnabled(false);
        buttons->addWidget(PushButton1[index]);
    }
    layout->addLayout(buttons);
    GroupBox1->hide();
}

void Form1::setSizeTwips(float width, float height)
{
    m_sizeTwips = QSizeF(width, height);
    m_canvas->setFixedSize(Twips::toPixels(width), Twips::toPixels(height));
    fitWindowToCanvas();
}

// The frame is known only once the window exists on the screen: fit again then.
void Form1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitWindowToCanvas();
}

void Form1::fitWindowToCanvas()
{
    QSize wanted = m_canvas->size();
    if (const QScreen* display = screen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        wanted = wanted.boundedTo(display->availableGeometry().size() - frame);
    }
    resize(wanted);
}

std::size_t Form1::slotOf(CanvasControl control, int index) const
{
    const Row* row = LayoutRecords::find(control, index);
    if (!row)
        throw std::out_of_range("Form1: no element for this control and index");
    return static_cast<std::size_t>(row->listPosition);
}

ElementWidget* Form1::element(CanvasControl control, int index) const
{
    return m_widgets[slotOf(control, index)];
}

const ElementData& Form1::elementData(CanvasControl control, int index) const
{
    return m_data[slotOf(control, index)];
}

void Form1::setElementData(CanvasControl control, int index, const ElementData& values)
{
    const std::size_t slot = slotOf(control, index);
    m_data[slot] = values;
    m_widgets[slot]->showData(values);
}

const Row* Form1::rowOf(const QWidget* widget) const
{
    for (std::size_t slot = 0; slot < m_widgets.size(); ++slot) {
        if (m_widgets[slot] == widget)
            return &LayoutRecords::atListPosition(static_cast<int>(slot));
    }
    return nullptr;
}

void Form1::setBackgroundColour(std::uint32_t colour)
{
    m_backgroundColour = colour;
    m_canvas->setBackgroundColor(OleColor::toQColor(colour));
}

void Form1::setBackgroundPicture(const QPixmap& picture)
{
    m_canvas->setBackgroundPicture(picture);
}

QString Form1::backgroundPath() const
{
    return Label2->text();
}

void Form1::setBackgroundPath(const QString& path)
{
    Label2->setText(path);
}

const QPixmap& Form1::backgroundPicture() const
{
    return m_canvas->backgroundPicture();
}

std::unique_ptr<QMenu> Form1::menuForPress(Qt::MouseButton button)
{
    if (m_readOnly) {
        auto menu = std::make_unique<QMenu>(QStringLiteral("Menu2"), this);
        menu->setObjectName(QStringLiteral("M2"));
        addCloseAction(*menu, QStringLiteral("M11"));
        return menu;
    }
    if (button != Qt::RightButton)
        return nullptr;
    auto menu = std::make_unique<QMenu>(QStringLiteral("Menu"), this);
    menu->setObjectName(QStringLiteral("M1"));
    addCloseAction(*menu, QStringLiteral("C11"));
    return menu;
}

// Closing drops whatever was not saved; nothing asks.
QAction* Form1::addCloseAction(QMenu& menu, const QString& name)
{
    QAction* action = menu.addAction(QStringLiteral("Chiudi Schermata"));
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, &QWidget::close);
    return action;
}

void Form1::backgroundPressed(Qt::MouseButton button, const QPoint& globalPosition)
{
    if (const std::unique_ptr<QMenu> menu = menuForPress(button))
        menu->exec(globalPosition);
}

bool Form1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_positionRestored)
        restorePosition();
    return QDialog::event(event);
}

// The position "Salva posizione finestra" stored, applied once per opening: later activations
// leave the window where the operator put it.
void Form1::restorePosition()
{
    m_positionRestored = true;
    if (const auto position = ConfigurationRecord(m_store).designerPosition())
        move(Twips::toPixels(position->left), Twips::toPixels(position->top));
}
