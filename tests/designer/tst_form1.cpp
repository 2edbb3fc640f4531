#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/ElementPicture.h"
#include "designer/Form1.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "shell/store/JetValue.h"
#include "shell/store/RecordSet.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <functional>

using LayoutRecords::CanvasControl;

namespace {

struct Popup {
    QString name;
    QString title;
    QStringList items;
};

// Runs `press`; a menu it pops up is recorded, then the item `choose` is clicked on it or, with no
// such item, the menu is closed. A press that pops up nothing leaves the result empty.
Popup popupDuring(const std::function<void()>& press, const QString& choose = {})
{
    Popup seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        seen = {menu->objectName(), menu->title(), {}};
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            seen.items.append(action->text());
            if (action->text() == choose)
                chosen = action;
        }
        if (chosen)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        else
            menu->close();
    });
    poll.start();
    press();
    return seen;
}

// A point of the canvas that no element of the design state covers.
QPoint emptyCanvasSpot(const Form1& designer)
{
    return QPoint(designer.canvas()->width() - 5, designer.canvas()->height() - 5);
}

void setStoredPosition(const QVariant& left, const QVariant& top)
{
    RecordSet configuration(Database::current(), QStringLiteral("Configurazione"));
    configuration.edit();
    configuration.setValue(QStringLiteral("MisuraFormLeft"), left);
    configuration.setValue(QStringLiteral("MisuraFormTop"), top);
    configuration.update();
}

void activate(QWidget& window)
{
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void designState()
    {
        TestFolder folder;
        Form1 designer;
        QCOMPARE(designer.windowTitle(), QStringLiteral("Impostazione Layout"));
        QCOMPARE(designer.DesignerTable(), QString());

        for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
            if (row.listPosition < 0)
                continue;
            ElementWidget* widget = designer.element(row.control, row.index);
            QVERIFY(widget);
            QCOMPARE(designer.rowOf(widget), &row);
        }
        QCOMPARE(designer.findChild<ElementLabel*>(QStringLiteral("Text1_17"))->text(), QStringLiteral("Postazione 5"));
        QCOMPARE(designer.findChild<ElementPicture*>(QStringLiteral("WB1"))->marker(), ElementPicture::Marker::Weather);
        QCOMPARE(designer.elementData(CanvasControl::WB1, 0).width, 6760.0f);
        QCOMPARE(designer.rowOf(designer.Label2), nullptr);
        QVERIFY(designer.Label2->isHidden());

        // The element list runs in its own order: video, weather, images, unlike the rows.
        QVERIFY(designer.GroupBox1->isHidden());
        QCOMPARE(designer.Label1->text(), QStringLiteral("Tabella Oggetti"));
        QStringList expected;
        for (int counter = 1; counter <= 8; ++counter) {
            for (const char* field : {"Numero", "Postazione", "Utente", "Stato"})
                expected << QStringLiteral("%1%2").arg(QLatin1String(field)).arg(counter);
        }
        for (int photo = 1; photo <= 8; ++photo)
            expected << QStringLiteral("Foto%1").arg(photo);
        expected << "Titolo" << "Sottotitolo" << "Data" << "Ora" << "Video" << "Meteo" << "Immagini" << "TestoScorrevole";
        QStringList listed;
        for (int item = 0; item < designer.LB1->count(); ++item)
            listed << designer.LB1->item(item)->text();
        QCOMPARE(listed, expected);
    }

    void backgroundMenus_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::newRow("base, left") << "LayoutBase" << Qt::LeftButton << "M2" << "Menu2";
        QTest::newRow("base, right") << "LayoutBase" << Qt::RightButton << "M2" << "Menu2";
        QTest::newRow("base, middle") << "LayoutBase" << Qt::MiddleButton << "M2" << "Menu2";
        QTest::newRow("numbered, right") << "Layout3" << Qt::RightButton << "M1" << "Menu";
        QTest::newRow("numbered, left") << "Layout3" << Qt::LeftButton << "" << "";
        QTest::newRow("numbered, middle") << "Layout10" << Qt::MiddleButton << "" << "";
    }

    void backgroundMenus()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, menu);
        QFETCH(QString, title);
        TestFolder folder;
        CurrentLayoutTable = table;
        Form1 designer;
        QCOMPARE(designer.isReadOnly(), table == QLatin1String("LayoutBase"));

        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        const Popup shown = popupDuring(
            [&] { QTest::mousePress(designer.canvas(), button, {}, emptyCanvasSpot(designer)); });
        QCOMPARE(shown.name, menu);
        QCOMPARE(shown.title, title);
        QCOMPARE(shown.items, menu.isEmpty() ? QStringList() : QStringList{"Chiudi Schermata"});
        QVERIFY(designer.isVisible());
    }

    // Elements keep their presses: in read-only mode nothing answers them, not even the background.
    void elementPressesOpenNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("base, right") << "LayoutBase" << Qt::RightButton;
        QTest::newRow("base, left") << "LayoutBase" << Qt::LeftButton;
        QTest::newRow("numbered, right") << "Layout2" << Qt::RightButton;
    }

    void elementPressesOpenNothing()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        TestFolder folder;
        CurrentLayoutTable = table;
        Form1 designer;
        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        for (QWidget* element : std::initializer_list<QWidget*>{designer.Text1[5], designer.Command2[0], designer.WB1,
                                                                  designer.Text2}) {
            const ElementData before = designer.elementData(designer.rowOf(element)->control,
                                                            designer.rowOf(element)->index);
            const Popup shown = popupDuring([&] { QTest::mouseClick(element, button, {}, QPoint(2, 2)); });
            QVERIFY2(shown.name.isEmpty(), qPrintable(element->objectName()));
            QVERIFY(designer.elementData(designer.rowOf(element)->control, designer.rowOf(element)->index) == before);
        }
        QVERIFY(designer.isVisible());
    }

    void chiudiSchermataClosesTheDesigner_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("read-only") << "LayoutBase";
        QTest::newRow("editable") << "Layout1";
    }

    void chiudiSchermataClosesTheDesigner()
    {
        QFETCH(QString, table);
        TestFolder folder;
        CurrentLayoutTable = table;
        Form1 designer;
        ModalDriver driver;
        Popup shown;
        driver.next([&](QWidget*) {
            shown = popupDuring(
                [&] { QTest::mousePress(designer.canvas(), Qt::RightButton, {}, emptyCanvasSpot(designer)); },
                QStringLiteral("Chiudi Schermata"));
        });
        designer.exec();
        QCOMPARE(shown.items, QStringList{"Chiudi Schermata"});
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.pending(), 0);
        QVERIFY(!designer.isVisible());
    }

    // Twips stay exact in the element's data; only the widget rounds them, ties to even.
    void elementGeometry_data()
    {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("whole pixels") << 2880.0f << 150.0f << 1500.0f << 300.0f << QRect(192, 10, 100, 20);
        QTest::newRow("not a whole pixel") << 2887.0f << 157.5f << 1507.5f << 301.0f << QRect(192, 10, 100, 20);
        QTest::newRow("ties go to even") << 97.5f << 112.5f << 22.5f << 37.5f << QRect(6, 8, 2, 2);
        QTest::newRow("above and left of the canvas") << -300.0f << -22.5f << 0.0f << 7.0f << QRect(-20, -2, 0, 0);
    }

    void elementGeometry()
    {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QRect, pixels);
        TestFolder folder;
        Form1 designer;
        for (const CanvasControl control : {CanvasControl::Text1, CanvasControl::MP1}) {
            ElementData values = designer.elementData(control, 0);
            values.left = left;
            values.top = top;
            values.width = width;
            values.height = height;
            designer.setElementData(control, 0, values);
            QCOMPARE(designer.element(control, 0)->geometry(), pixels);
            QVERIFY(designer.elementData(control, 0) == values);
        }
    }

    // What a text element looks like: its back colour or, transparent, the canvas under it; colours
    // are 0x00BBGGRR.
    void labelFill_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QColor>("seen");
        QTest::newRow("opaque") << false << true << QColor(255, 0, 0);
        QTest::newRow("transparent") << true << true << QColor(0, 0, 255);
        QTest::newRow("hidden") << false << false << QColor(0, 0, 255);
    }

    void labelFill()
    {
        QFETCH(bool, transparent);
        QFETCH(bool, visible);
        QFETCH(QColor, seen);
        TestFolder folder;
        Form1 designer;
        designer.setBackgroundColour(0x00FF0000);
        ElementData values = designer.elementData(CanvasControl::Text9, 1);
        values.text.clear();
        values.left = 1500.0f;
        values.top = 1500.0f;
        values.backColour = 0x000000FF;
        values.transparent = transparent;
        values.visible = visible;
        designer.setElementData(CanvasControl::Text9, 1, values);
        const QImage canvas = designer.canvas()->grab().toImage();
        QCOMPARE(canvas.pixelColor(101, 101), seen);
    }

    void labelFont_data()
    {
        QTest::addColumn<float>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("12 pt") << 12.0f << 16;
        QTest::newRow("7.5 pt") << 7.5f << 10;
        QTest::newRow("0 pt") << 0.0f << 1;
    }

    void labelFont()
    {
        QFETCH(float, points);
        QFETCH(int, pixels);
        TestFolder folder;
        Form1 designer;
        ElementData values = designer.elementData(CanvasControl::Text2, 0);
        values.fontName = QStringLiteral("DejaVu Serif");
        values.fontPoints = points;
        values.bold = true;
        values.italic = false;
        designer.setElementData(CanvasControl::Text2, 0, values);
        const QFont& font = designer.Text2->textFont();
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(font.bold());
        QVERIFY(!font.italic());
        QCOMPARE(designer.elementData(CanvasControl::Text2, 0).fontPoints, points);
    }

    // 0 left, 1 right, 2 centred: where the ink of a short text lands in a wide label.
    void labelAlignment_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("inkFrom");
        QTest::addColumn<int>("inkTo");
        QTest::newRow("left") << 0 << 0 << 40;
        QTest::newRow("right") << 1 << 360 << 400;
        QTest::newRow("centre") << 2 << 170 << 230;
    }

    void labelAlignment()
    {
        QFETCH(int, alignment);
        QFETCH(int, inkFrom);
        QFETCH(int, inkTo);
        TestFolder folder;
        Form1 designer;
        ElementData values = designer.elementData(CanvasControl::Text1, 3);
        values.text = QStringLiteral("II");
        values.fontName = QStringLiteral("DejaVu Sans");
        values.fontPoints = 12.0f;
        values.left = 0.0f;
        values.top = 0.0f;
        values.width = 6000.0f;
        values.height = 600.0f;
        values.backColour = 0;
        values.foreColour = 0x00FFFFFF;
        values.transparent = false;
        values.alignment = static_cast<std::int16_t>(alignment);
        designer.setElementData(CanvasControl::Text1, 3, values);
        const QImage image = designer.Text1[3]->grab().toImage();
        int first = image.width();
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) > 128) {
                    first = std::min(first, x);
                    last = x;
                }
            }
        }
        QVERIFY2(first >= inkFrom && last <= inkTo && first <= last,
                 qPrintable(QStringLiteral("ink from %1 to %2").arg(first).arg(last)));
    }

    // The canvas is the display's full size; a window that would not fit the screen scrolls.
    void canvasSize_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("1024 x 768") << 15360.0f << 11520.0f << QSize(1024, 768);
        QTest::newRow("1366 x 768") << 20490.0f << 11520.0f << QSize(1366, 768);
        QTest::newRow("1920 x 1080") << 28800.0f << 16200.0f << QSize(1920, 1080);
        QTest::newRow("small") << 6000.0f << 4500.0f << QSize(400, 300);
    }

    void canvasSize()
    {
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QSize, canvas);
        TestFolder folder;
        Form1 designer;
        designer.setSizeTwips(width, height);
        QCOMPARE(designer.sizeTwips(), QSizeF(width, height));
        QCOMPARE(designer.canvas()->size(), canvas);
        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        const QSize available = designer.screen()->availableGeometry().size();
        QVERIFY(designer.frameGeometry().width() <= available.width());
        QVERIFY(designer.frameGeometry().height() <= available.height());
        auto* scroll = designer.findChild<QScrollArea*>();
        const bool fits = canvas.width() <= available.width() && canvas.height() <= available.height();
        QCOMPARE(scroll->horizontalScrollBar()->maximum() > 0 || scroll->verticalScrollBar()->maximum() > 0, !fits);
        if (fits)
            QCOMPARE(scroll->viewport()->size(), canvas);
    }

    void positionRestoredAtFirstActivationOnly()
    {
        TestFolder folder;
        setStoredPosition(JetValue::single(1500.0), JetValue::single(3007.5));
        Form1 designer;
        designer.show();
        activate(designer);
        QCOMPARE(designer.pos(), QPoint(100, 200));

        // The operator moves the window, works elsewhere and comes back: it stays where it was put.
        designer.move(240, 130);
        QWidget other;
        other.show();
        activate(other);
        activate(designer);
        QCOMPARE(designer.pos(), QPoint(240, 130));
    }

    void positionNotStoredLeavesTheWindow()
    {
        TestFolder folder;
        setStoredPosition(QVariant(), JetValue::single(3000.0));
        Form1 designer;
        designer.move(60, 40);
        designer.show();
        activate(designer);
        QCOMPARE(designer.pos(), QPoint(60, 40));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
