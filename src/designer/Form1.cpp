#include "designer/Form1.h"

#include "data/ConfigurationRecord.h"
#include "data/LayoutTableWriter.h"
#include "designer/CanvasDragHost.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/ElementPicture.h"
#include "designer/document/StoredElement.h"
#include "designer/document/TypedGeometry.h"
#include "designer/properties/OpenProperties.h"
#include "designer/tools/DragResizeEngine.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "ui/FolderReading.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/PictureLimit.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
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

// The steps of Ctrl+minus and Ctrl+plus; "Adatta" may land between them.
constexpr std::array<double, 6> ZoomSteps{0.25, 0.5, 0.75, 1.0, 1.5, 2.0};

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
    layout->setSpacing(0);
    layout->addWidget(m_scroll);

    createElements();
    Label2 = new QLabel(QStringLiteral("Label2"), m_canvas);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    createElementPanel();

    m_host = std::make_unique<CanvasDragHost>(*this, *m_scroll, *m_canvas);
    m_engine = std::make_unique<DragResizeEngine>(*m_host, m_document);
    m_engine->InitHandles();
    if (!m_readOnly)
        createStrip();

    connect(&m_document, &LayoutDocument::elementChanged, this, &Form1::showElement);
    connect(&m_document, &LayoutDocument::backgroundChanged, this, &Form1::showBackground);
    connect(m_canvas, &DesignerCanvas::backgroundPressed, this, &Form1::backgroundPressed);
    connect(m_canvas, &DesignerCanvas::mouseMoved, this, &Form1::canvasMoved);
    connect(m_canvas, &DesignerCanvas::mouseReleased, this, &Form1::canvasReleased);
    connect(m_host.get(), &CanvasDragHost::handlePressed, this,
            [this](int handle) { m_engine->handlePressed(handle); });
    for (ElementWidget* widget : m_widgets)
        connect(widget, &ElementWidget::pressed, this, &Form1::elementPressed);
    // The editor opens for the element's group; the weather area has none and opens nothing.
    connect(this, &Form1::propertiesRequested, this,
            [this](int position) { OpenElementProperties(m_document, position, this); });

    LayoutDocument::Elements design{};
    for (const Row& row : LayoutRecords::rows()) {
        if (row.listPosition >= 0)
            design[static_cast<std::size_t>(row.listPosition)] = designData(row);
    }
    m_document.load(design, 0, std::nullopt);
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
    m_widgets[static_cast<std::size_t>(row.listPosition)] = widget;
}

// The element table panel floats over the top of the window, outside the scrolled canvas, and is
// filled at every opening. "Inserisci" and "Elimina" act on the selected entry, so they stay
// disabled while no entry is selected: the list then names no element.
void Form1::createElementPanel()
{
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    // A panel of its own over the layout, not a see-through frame on it.
    GroupBox1->setAutoFillBackground(true);
    GroupBox1->resize(260, 340);
    auto* layout = new QVBoxLayout(GroupBox1);
    Label1 = new QLabel(QStringLiteral("Tabella Oggetti"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    LB1 = new QListWidget(GroupBox1);
    LB1->setObjectName(QStringLiteral("LB1"));
    LB1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int position = 0; position < LayoutRecords::ElementCount; ++position)
        LB1->addItem(QString::fromUtf8(LayoutRecords::atListPosition(position).name));
    layout->addWidget(LB1);
    auto* buttons = new QHBoxLayout;
    const char* captions[3] = {"Inserisci", "Elimina", "Chiudi"};
    for (std::size_t index = 0; index < PushButton1.size(); ++index) {
        PushButton1[index] = new QPushButton(QString::fromUtf8(captions[index]), GroupBox1);
        PushButton1[index]->setObjectName(arrayName("PushButton1", static_cast<int>(index)));
        buttons->addWidget(PushButton1[index]);
    }
    layout->addLayout(buttons);
    GroupBox1->hide();

    const auto updateButtons = [this] {
        const bool selected = selectedEntry() >= 0;
        PushButton1[0]->setEnabled(selected);
        PushButton1[1]->setEnabled(selected);
    };
    updateButtons();
    connect(LB1, &QListWidget::itemSelectionChanged, this, updateButtons);
    connect(PushButton1[0], &QPushButton::clicked, this, [this] { placeSelected(true); });
    connect(PushButton1[1], &QPushButton::clicked, this, [this] { placeSelected(false); });
    connect(PushButton1[2], &QPushButton::clicked, GroupBox1, &QWidget::hide);
}

// Undo and redo, the selected element's place and the zoom, in one row under the canvas. The row
// takes what width the window has and never widens it: the window keeps the display's width.
void Form1::createStrip()
{
    Strumenti = new QWidget(this);
    Strumenti->setObjectName(QStringLiteral("Strumenti"));
    Strumenti->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(Strumenti);
    row->setSizeConstraint(QLayout::SetNoConstraint);
    row->setContentsMargins(4, 2, 4, 2);
    QUndoStack* history = m_document.undoStack();
    Annulla = addTool(QStringLiteral("Annulla"), QStringLiteral("Annulla"), {QKeySequence::Undo});
    Ripristina = addTool(QStringLiteral("Ripristina"), QStringLiteral("Ripristina"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Never under a drag: its drop is worked out from where the element was when it began.
    connect(Annulla->defaultAction(), &QAction::triggered, this, [this, history] {
        if (m_engine->state() == DragResizeEngine::Idle)
            history->undo();
    });
    connect(Ripristina->defaultAction(), &QAction::triggered, this, [this, history] {
        if (m_engine->state() == DragResizeEngine::Idle)
            history->redo();
    });
    connect(history, &QUndoStack::canUndoChanged, Annulla->defaultAction(), &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, Ripristina->defaultAction(), &QAction::setEnabled);
    Annulla->defaultAction()->setEnabled(false);
    Ripristina->defaultAction()->setEnabled(false);
    row->addWidget(Annulla);
    row->addWidget(Ripristina);

    Posizione = new QWidget(Strumenti);
    Posizione->setObjectName(QStringLiteral("Posizione"));
    Posizione->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* place = new QHBoxLayout(Posizione);
    place->setContentsMargins(12, 0, 0, 0);
    const char* captions[4] = {"X", "Y", "Larg.", "Alt."};
    for (std::size_t index = 0; index < TxtPosizione.size(); ++index) {
        place->addWidget(new QLabel(QString::fromUtf8(captions[index]), Posizione));
        QLineEdit* field = TxtPosizione[index] = new QLineEdit(Posizione);
        field->setObjectName(arrayName("TxtPosizione", static_cast<int>(index)));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 10);
        place->addWidget(field);
        connect(field, &QLineEdit::returnPressed, this, &Form1::applyTypedPosition);
    }
    row->addWidget(Posizione);
    row->addStretch();

    const char* zoomCaptions[5] = {"Adatta", "50%", "1:1", "-", "+"};
    const QList<QKeySequence> zoomKeys[5] = {{},
                                             {},
                                             {QKeySequence(Qt::CTRL | Qt::Key_0)},
                                             {QKeySequence::ZoomOut},
                                             {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}};
    for (std::size_t index = 0; index < Zoom.size(); ++index) {
        Zoom[index] = addTool(arrayName("Zoom", static_cast<int>(index)), QString::fromUtf8(zoomCaptions[index]),
                              zoomKeys[index]);
        row->addWidget(Zoom[index]);
    }
    connect(Zoom[0]->defaultAction(), &QAction::triggered, this, [this] { setZoom(fitZoom()); });
    connect(Zoom[1]->defaultAction(), &QAction::triggered, this, [this] { setZoom(0.5); });
    connect(Zoom[2]->defaultAction(), &QAction::triggered, this, [this] { setZoom(1.0); });
    connect(Zoom[3]->defaultAction(), &QAction::triggered, this, [this] { stepZoom(-1); });
    connect(Zoom[4]->defaultAction(), &QAction::triggered, this, [this] { stepZoom(1); });
    LblZoom = new QLabel(QStringLiteral("100%"), Strumenti);
    LblZoom->setObjectName(QStringLiteral("LblZoom"));
    LblZoom->setMinimumWidth(LblZoom->fontMetrics().horizontalAdvance(QStringLiteral("000%")) + 8);
    LblZoom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(LblZoom);
    layout()->addWidget(Strumenti);
    // As high with the position box as without: the canvas must not move when it comes and goes.
    Strumenti->setFixedHeight(row->sizeHint().height());
    Posizione->hide();

    // Keys reach the canvas once the operator has clicked on it; the scroll area keeps its own
    // arrow keys for scrolling while no element is selected.
    m_canvas->setFocusPolicy(Qt::ClickFocus);
    m_canvas->installEventFilter(this);
    connect(m_host.get(), &CanvasDragHost::handlesShown, this, &Form1::showSelection);
}

// A window command with its keys, on a flat button of the strip. The keys work anywhere in the
// window, except where a text field has the same key for itself; never during a drag.
QToolButton* Form1::addTool(const QString& name, const QString& caption, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    auto* button = new QToolButton(Strumenti);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setDefaultAction(action);
    return button;
}

void Form1::setSizeTwips(float width, float height)
{
    m_sizeTwips = QSizeF(width, height);
    sizeCanvas();
    fitWindowToCanvas();
    // A larger screen shows more of a picture that was read only as far as the smaller one.
    const QSize screen = screenPixels();
    if (m_cutPicture && m_cutPicture->screen.expandedTo(screen) != m_cutPicture->screen)
        loadBackgroundPicture(m_cutPicture->path);
}

// The display's size in pixels, the canvas at 1:1.
QSize Form1::screenPixels() const
{
    return {Twips::toPixels(static_cast<float>(m_sizeTwips.width())),
            Twips::toPixels(static_cast<float>(m_sizeTwips.height()))};
}

void Form1::sizeCanvas()
{
    const QSize screen = screenPixels();
    m_canvas->setFixedSize(static_cast<int>(std::nearbyint(screen.width() * m_zoom)),
                           static_cast<int>(std::nearbyint(screen.height() * m_zoom)));
}

// The part of the canvas in the middle of the window stays in the middle.
void Form1::setZoom(double zoom)
{
    if (m_readOnly || m_engine->state() != DragResizeEngine::Idle || zoom <= 0.0 || zoom == m_zoom)
        return;
    QScrollBar* bars[2] = {m_scroll->horizontalScrollBar(), m_scroll->verticalScrollBar()};
    const int seen[2] = {m_scroll->viewport()->width(), m_scroll->viewport()->height()};
    double middle[2];
    for (int axis = 0; axis < 2; ++axis)
        middle[axis] = (bars[axis]->value() + seen[axis] / 2.0) / m_zoom;
    m_zoom = zoom;
    m_host->setZoom(zoom);
    m_canvas->setZoom(zoom);
    sizeCanvas();
    for (int position = 0; position < LayoutDocument::ElementCount; ++position)
        showElement(position);
    m_engine->mappingChanged();
    for (int axis = 0; axis < 2; ++axis)
        bars[axis]->setValue(static_cast<int>(std::nearbyint(middle[axis] * zoom - seen[axis] / 2.0)));
    LblZoom->setText(QStringLiteral("%1%").arg(std::nearbyint(zoom * 100.0)));
}

// The whole display in the space the window gives the canvas, never larger than 1:1.
double Form1::fitZoom() const
{
    const QSize space = m_scroll->size();
    const QSize screen = screenPixels();
    const double across = space.width() / static_cast<double>(screen.width());
    const double down = space.height() / static_cast<double>(screen.height());
    return std::clamp(std::min(across, down), 0.05, 1.0);
}

void Form1::stepZoom(int direction)
{
    constexpr double Slack = 1e-6;
    if (direction > 0) {
        const auto larger =
            std::find_if(ZoomSteps.begin(), ZoomSteps.end(), [this](double step) { return step > m_zoom + Slack; });
        if (larger != ZoomSteps.end())
            setZoom(*larger);
    } else {
        const auto smaller =
            std::find_if(ZoomSteps.rbegin(), ZoomSteps.rend(), [this](double step) { return step < m_zoom - Slack; });
        if (smaller != ZoomSteps.rend())
            setZoom(*smaller);
    }
}

// The frame is known only once the window exists on the screen: fit again then.
void Form1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitWindowToCanvas();
}

// Closed in the middle of a drag (Esc), the designer lets the mouse go with it.
void Form1::hideEvent(QHideEvent* event)
{
    m_host->releaseMouse();
    QDialog::hideEvent(event);
}

// The window asks for the display at 1:1 and the strip under it.
void Form1::fitWindowToCanvas()
{
    QSize wanted = screenPixels();
    if (Strumenti)
        wanted.rheight() += Strumenti->minimumHeight();
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
    return m_document.element(static_cast<int>(slotOf(control, index)));
}

const Row* Form1::rowOf(const QWidget* widget) const
{
    for (std::size_t slot = 0; slot < m_widgets.size(); ++slot) {
        if (m_widgets[slot] == widget)
            return &LayoutRecords::atListPosition(static_cast<int>(slot));
    }
    return nullptr;
}

void Form1::showElement(int position)
{
    m_widgets.at(static_cast<std::size_t>(position))->showData(m_document.element(position), m_zoom);
    m_engine->elementChanged(position);
    if (Posizione && position == m_engine->currentElement())
        showSelection();
}

// The position box shows while an element has handles, in display pixels to the nearest.
void Form1::showSelection()
{
    const bool selected = m_engine->handlesShown();
    Posizione->setVisible(selected);
    if (!selected)
        return;
    const ElementData& element = m_document.element(m_engine->currentElement());
    const float values[4] = {element.left, element.top, element.width, element.height};
    for (std::size_t index = 0; index < TxtPosizione.size(); ++index)
        TxtPosizione[index]->setText(QString::number(Twips::toPixels(values[index])));
}

// Enter in the position box: the four values in one step, or a message and nothing changed.
void Form1::applyTypedPosition()
{
    if (!m_engine->handlesShown() || m_engine->state() != DragResizeEngine::Idle)
        return;
    const int position = m_engine->currentElement();
    QStringList typed;
    for (const QLineEdit* field : TxtPosizione)
        typed << field->text();
    const TypedGeometry read = readTypedGeometry(typed, geometryOf(m_document.element(position)));
    if (!read.geometry) {
        MsgForm::showMessage({read.refusal}, this);
        QLineEdit* refused = TxtPosizione.at(static_cast<std::size_t>(read.field));
        refused->setFocus();
        refused->selectAll();
        return;
    }
    m_document.moveElement(position, *read.geometry);
    showSelection();
}

// An arrow key with the selected element: one display pixel, ten with Shift.
bool Form1::nudge(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if ((modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) || !m_engine->handlesShown() ||
        m_engine->state() != DragResizeEngine::Idle)
        return false;
    const int step = modifiers == Qt::ShiftModifier ? 10 : 1;
    const int position = m_engine->currentElement();
    switch (key.key()) {
    case Qt::Key_Left:
        m_document.nudgeElement(position, -step, false);
        return true;
    case Qt::Key_Right:
        m_document.nudgeElement(position, step, false);
        return true;
    case Qt::Key_Up:
        m_document.nudgeElement(position, -step, true);
        return true;
    case Qt::Key_Down:
        m_document.nudgeElement(position, step, true);
        return true;
    default:
        return false;
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas && event->type() == QEvent::KeyPress)
        return nudge(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

// No picture clears the canvas's; a path is loaded only when it changed, and one that gives no
// picture leaves the canvas as it was (a picture too large to load is told). Either way the path
// is what the layout holds, so it goes into Label2 for the save.
void Form1::showBackground()
{
    m_canvas->setBackgroundColor(OleColor::toQColor(m_document.backgroundColour()));
    const std::optional<QString>& path = m_document.backgroundPicture();
    // An empty path is the background removed by "Elimina": no picture, and Label2 empty for the save.
    if (!m_shownPicture && path)
        m_captionWithoutPicture = Label2->text();
    if (!path || path->isEmpty()) {
        m_canvas->setBackgroundPicture(QPixmap());
        m_cutPicture.reset();
        if (path)
            Label2->clear();
        else if (m_shownPicture)
            Label2->setText(m_captionWithoutPicture);
    } else {
        if (path != m_shownPicture)
            loadBackgroundPicture(*path);
        Label2->setText(*path);
    }
    m_shownPicture = path;
}

// The picture lies from the top-left corner at its own size, so only the part on the screen is ever
// seen, and only that part is decoded: an 8K photograph then costs little more than a screen-sized
// one (decoded whole it took most of a second and 132 MB). A picture too large for the display to
// load whole is still told.
void Form1::loadBackgroundPicture(const QString& path)
{
    const BusyCursor busy;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (PictureLimit::exceeded(size)) {
        MsgForm::showMessage(PictureLimit::message(path, size), this);
        return;
    }
    const QSize screen = screenPixels();
    const bool largerThanScreen = size.width() > screen.width() || size.height() > screen.height();
    if (largerThanScreen)
        reader.setClipRect(QRect(QPoint(0, 0), size.boundedTo(screen)));
    if (const QImage picture = reader.read(); !picture.isNull()) {
        m_canvas->setBackgroundPicture(QPixmap::fromImage(picture));
        m_cutPicture = largerThanScreen ? std::optional<CutPicture>({path, screen}) : std::nullopt;
    }
}

void Form1::setBackgroundPicture(const QPixmap& picture)
{
    m_canvas->setBackgroundPicture(picture);
    m_cutPicture.reset();
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

// Elements of a read-only layout cannot be grabbed or edited. The left button starts a move; the
// right one asks for the property editor; any other does nothing.
void Form1::elementPressed(ElementWidget* element, Qt::MouseButton button, const QPoint& globalPosition)
{
    const Row* row = rowOf(element);
    if (m_readOnly || !row)
        return;
    m_canvas->setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton) {
        m_host->setCursorPosition(globalPosition);
        m_engine->DragBegin(row->listPosition);
    } else if (button == Qt::RightButton && m_engine->state() == DragResizeEngine::Idle) {
        emit propertiesRequested(row->listPosition);
    }
}

void Form1::backgroundPressed(Qt::MouseButton button, const QPoint& globalPosition)
{
    // During a drag the canvas holds the mouse: a press anywhere lands here and belongs to the drag.
    if (m_engine->state() != DragResizeEngine::Idle) {
        m_host->setCursorPosition(globalPosition);
        return;
    }
    if (!m_readOnly && button == Qt::LeftButton)
        m_engine->ShowHandles(false);
    if (const std::unique_ptr<QMenu> menu = menuForPress(button))
        menu->exec(globalPosition);
}

void Form1::canvasMoved(const QPoint& globalPosition)
{
    m_host->setCursorPosition(globalPosition);
    m_engine->mouseMoved();
    m_host->followCursor(m_engine->state() != DragResizeEngine::Idle);
}

void Form1::canvasReleased(Qt::MouseButton button, const QPoint& globalPosition)
{
    m_host->setCursorPosition(globalPosition);
    m_engine->mouseReleased(button);
    m_host->followCursor(m_engine->state() != DragResizeEngine::Idle);
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
    connect(addCommand(*menu, QStringLiteral("T1"), QStringLiteral("Tabella Inserimento Oggetti")), &QAction::triggered,
            this, &Form1::showElementPanel);
    connect(addCommand(*menu, QStringLiteral("A1"), QStringLiteral("Sfondo della Schermata")), &QAction::triggered,
            this, [this] { OpenBackgroundPicture(m_document, this); });
    connect(addCommand(*menu, QStringLiteral("CSS"), QStringLiteral("Colore Sfondo Schermata")), &QAction::triggered,
            this, [this] { OpenBackgroundColour(m_document, this); });
    menu->addSeparator()->setObjectName(QStringLiteral("q1"));
    connect(addCommand(*menu, QStringLiteral("S1"), QStringLiteral("Salva posizione finestra")), &QAction::triggered,
            this, guarded(this, [this] { storeWindowPosition(); }));
    connect(addCommand(*menu, QStringLiteral("A99"), QStringLiteral("Salva Impostazioni")), &QAction::triggered, this,
            guarded(this, [this] { save(); }));
    menu->addSeparator()->setObjectName(QStringLiteral("qwq"));
    addCloseAction(*menu, QStringLiteral("C11"));
    return menu;
}

QAction* Form1::addCommand(QMenu& menu, const QString& name, const QString& caption)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    return action;
}

// Closing drops whatever was not saved; nothing asks.
QAction* Form1::addCloseAction(QMenu& menu, const QString& name)
{
    QAction* action = addCommand(menu, name, QStringLiteral("Chiudi Schermata"));
    connect(action, &QAction::triggered, this, &QWidget::close);
    return action;
}

// At the top right of the window, 100 twips in from its outer edge; a panel already shown stays
// where it is.
void Form1::showElementPanel()
{
    if (!GroupBox1->isHidden())
        return;
    const int left = frameGeometry().width() - GroupBox1->width() - Twips::toPixels(100.0f);
    GroupBox1->move(std::max(0, left), 0);
    GroupBox1->show();
    GroupBox1->raise();
}

int Form1::selectedEntry() const
{
    const QList<QListWidgetItem*> selected = LB1->selectedItems();
    return selected.isEmpty() ? -1 : LB1->row(selected.first());
}

// "Inserisci" puts the element at the canvas's top-left corner and shows it; "Elimina" parks it
// below every canvas and hides it. Handles around it would mark where it no longer is.
void Form1::placeSelected(bool onScreen)
{
    const int position = selectedEntry();
    if (!LayoutDocument::isElement(position))
        return;
    if (position == m_engine->currentElement() && m_engine->state() == DragResizeEngine::Idle)
        m_engine->ShowHandles(false);
    if (onScreen)
        m_document.insertElement(position);
    else
        m_document.removeElement(position);
}

// The window's outer top-left corner on the screen, in twips, where the next opening puts it.
void Form1::storeWindowPosition()
{
    ConfigurationRecord(m_store).setDesignerPosition(Twips::fromPixels(x()), Twips::fromPixels(y()));
}

// The weather element always has its fixed size; a resize by the handles is undone here, on the
// canvas too, before the rows are written.
void Form1::save()
{
    const int weather = LayoutRecords::find(CanvasControl::WB1, 0)->listPosition;
    ElementGeometry fixed = geometryOf(m_document.element(weather));
    fixed.width = LayoutRecords::WeatherWidth;
    fixed.height = LayoutRecords::WeatherHeight;
    m_document.moveElement(weather, fixed);
    LayoutTableWriter(m_store, m_designerTable).write(storedRows(m_document, backgroundPath()));
    MsgForm::showMessage({QStringLiteral("Memorizzazione effettuata !")}, this);
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
        move(placeOnAScreen(QPoint(Twips::toPixels(position->left), Twips::toPixels(position->top))));
}

// A position stored for a monitor that is no longer there would open the modal designer where
// nobody can reach it: the title bar is kept on a screen, the stored value is left as it is.
QPoint Form1::placeOnAScreen(const QPoint& wanted) const
{
    constexpr int Grip = 40; // enough of the title bar to take hold of
    const QRect titleBar(wanted, QSize(std::min(width(), 4 * Grip), Grip));
    for (const QScreen* display : QGuiApplication::screens()) {
        if (display->availableGeometry().intersected(titleBar).width() >= Grip &&
            display->availableGeometry().contains(QPoint(wanted.x() + Grip / 2, std::max(wanted.y(), 0))))
            return wanted;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry().topLeft() : QPoint(0, 0);
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_engine->cancelDrag();
        m_host->followCursor(false);
        event->accept();
        return;
    }
    // Enter in the position box is the box's own; it presses no button of the element table.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Posizione &&
        Posizione->isAncestorOf(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
