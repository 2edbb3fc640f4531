#include "designer/document/LayoutCommands.h"
#include "designer/document/LayoutDocument.h"
#include "designer/document/TypedGeometry.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

struct Snapshot {
    LayoutDocument::Elements elements;
    std::uint32_t colour;
    std::optional<QString> picture;

    bool operator==(const Snapshot&) const = default;
};

using Edit = std::function<bool(LayoutDocument&)>;
using Expect = std::function<void(Snapshot&)>;

// Every element on a position that is not a whole pixel, each one different, fonts and colours set.
Snapshot loaded()
{
    Snapshot layout{{}, 0x336699, QStringLiteral("C:\\Immagini\\sfondo città.jpg")};
    for (int position = 0; position < LayoutDocument::ElementCount; ++position) {
        ElementData& element = layout.elements[static_cast<std::size_t>(position)];
        element.top = 2887.3f + static_cast<float>(position);
        element.left = 100.7f * static_cast<float>(position);
        element.height = 307.5f;
        element.width = 1000.1f + static_cast<float>(position);
        element.text = QStringLiteral("Testo %1").arg(position);
        element.fontName = QStringLiteral("Arial");
        element.fontPoints = 12.75f;
        element.foreColour = 0x000000FFu;
        element.visible = position % 2 == 0;
    }
    layout.elements[47] = ElementData{}; // in the corner, shown
    layout.elements[46].top = 17000;     // removed
    layout.elements[46].left = 0;
    layout.elements[46].visible = false;
    return layout;
}

Snapshot snapshotOf(const LayoutDocument& document)
{
    return {document.elements(), document.backgroundColour(), document.backgroundPicture()};
}

ElementData& at(Snapshot& layout, int position)
{
    return layout.elements[static_cast<std::size_t>(position)];
}

ElementData& place(Snapshot& layout, int position, float left, float top)
{
    at(layout, position).left = left;
    at(layout, position).top = top;
    return at(layout, position);
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Expect)
Q_DECLARE_METATYPE(ElementGeometry)

class TestLayoutDocument : public QObject
{
    Q_OBJECT

private slots:
    // Every edit is one step, undone and redone exactly, each change announced once per step. An
    // edit that would change nothing, or names no element, adds no step and announces nothing.
    void editsApplyAndUndoExactly_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Expect>("expect");
        const Expect nothing = [](Snapshot&) {};
        QTest::newRow("move") << Edit([](LayoutDocument& d) {
            return d.moveElement(5, {2880, 1500, d.element(5).width, d.element(5).height});
        }) << Expect([](Snapshot& s) { place(s, 5, 2880, 1500); });
        QTest::newRow("resize to nothing") << Edit([](LayoutDocument& d) {
            return d.moveElement(43, {-420, -765, 0, 0});
        }) << Expect([](Snapshot& s) { place(s, 43, -420, -765).width = at(s, 43).height = 0; });
        // From the nearest display pixel: 2887.3 twips is pixel 192, one down is 2895; 503.5 is 34.
        QTest::newRow("nudge down from 2887") << Edit([](LayoutDocument& d) { return d.nudgeElement(0, 1, true); })
                                              << Expect([](Snapshot& s) { at(s, 0).top = 2895; });
        QTest::newRow("nudge ten left") << Edit([](LayoutDocument& d) { return d.nudgeElement(5, -10, false); })
                                        << Expect([](Snapshot& s) { at(s, 5).left = 360; });
        QTest::newRow("insert") << Edit([](LayoutDocument& d) { return d.insertElement(33); })
                                << Expect([](Snapshot& s) { place(s, 33, 0, 0).visible = true; });
        QTest::newRow("remove") << Edit([](LayoutDocument& d) { return d.removeElement(44); })
                                << Expect([](Snapshot& s) { place(s, 44, 0, 17000).visible = false; });
        QTest::newRow("replace a group") << Edit([](LayoutDocument& d) {
            LayoutDocument::Records numbers;
            for (int position : {0, 4, 8, 4}) {
                ElementData number = d.element(position);
                number.bold = true;
                number.fontPoints = position == 4 ? 30.5f : 20.25f; // the last record of 4 counts
                numbers.emplace_back(position, number);
            }
            return d.replaceElements(QStringLiteral("Numeri"), numbers);
        }) << Expect([](Snapshot& s) {
            for (int position : {0, 4, 8}) {
                at(s, position).bold = true;
                at(s, position).fontPoints = position == 4 ? 30.5f : 20.25f;
            }
        });
        QTest::newRow("background colour") << Edit([](LayoutDocument& d) { return d.setBackgroundColour(0xFF0000); })
                                           << Expect([](Snapshot& s) { s.colour = 0xFF0000; });
        QTest::newRow("background picture removed")
            << Edit([](LayoutDocument& d) { return d.setBackgroundPicture(std::nullopt); })
            << Expect([](Snapshot& s) { s.picture.reset(); });
        QTest::newRow("move to where it is")
            << Edit([](LayoutDocument& d) { return d.moveElement(3, geometryOf(d.element(3))); }) << nothing;
        QTest::newRow("insert what is in the corner")
            << Edit([](LayoutDocument& d) { return d.insertElement(47); }) << nothing;
        QTest::newRow("remove what is removed")
            << Edit([](LayoutDocument& d) { return d.removeElement(46); }) << nothing;
        QTest::newRow("same colour") << Edit([](LayoutDocument& d) { return d.setBackgroundColour(0x336699); })
                                     << nothing;
        // The element list reports -1 with no entry selected.
        QTest::newRow("insert nothing selected")
            << Edit([](LayoutDocument& d) { return d.insertElement(-1); }) << nothing;
        QTest::newRow("remove past the list") << Edit([](LayoutDocument& d) { return d.removeElement(48); }) << nothing;
        QTest::newRow("nudge past the list")
            << Edit([](LayoutDocument& d) { return d.nudgeElement(48, 1, true); }) << nothing;
        QTest::newRow("replace past the list") << Edit([](LayoutDocument& d) {
            return d.replaceElements(QStringLiteral("Numeri"), {{0, ElementData{}}, {48, ElementData{}}});
        }) << nothing;
        QTest::newRow("pushed straight on the stack") << Edit([](LayoutDocument& d) {
            d.undoStack()->push(new InsertElement(d, 47));
            return false;
        }) << nothing;
    }

    void editsApplyAndUndoExactly()
    {
        QFETCH(Edit, edit);
        QFETCH(Expect, expect);
        const Snapshot before = loaded();
        Snapshot after = before;
        expect(after);
        const bool changes = !(after == before);
        LayoutDocument document;
        document.load(before.elements, before.colour, before.picture);
        QSignalSpy elements(&document, &LayoutDocument::elementChanged);
        QSignalSpy backgrounds(&document, &LayoutDocument::backgroundChanged);

        QCOMPARE(edit(document), changes);
        QCOMPARE(document.undoStack()->count(), changes ? 1 : 0);
        QVERIFY(snapshotOf(document) == after);
        document.undoStack()->undo();
        QVERIFY(snapshotOf(document) == before);
        document.undoStack()->redo();
        QVERIFY(snapshotOf(document) == after);

        QList<int> announced;
        for (const QList<QVariant>& signal : elements)
            announced.append(signal.at(0).toInt());
        std::sort(announced.begin(), announced.end());
        QList<int> changed;
        for (int position = 0; position < LayoutDocument::ElementCount; ++position) {
            if (at(after, position) != before.elements[static_cast<std::size_t>(position)])
                changed << position << position << position;
        }
        QCOMPARE(announced, changed);
        const bool background = after.colour != before.colour || after.picture != before.picture;
        QCOMPARE(backgrounds.size(), background ? 3 : 0);
    }

    // The position box's four values, in display pixels, for an element at 2887, 1502, 3007.5, 600
    // twips (shown as 192, 100, 200, 40).
    void typedGeometry_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<ElementGeometry>("geometry");
        const ElementGeometry none;
        QTest::newRow("moved and sized") << QStringList{"100", "-20", "300", "0"} << ""
                                         << ElementGeometry{1500, -300, 4500, 0};
        QTest::newRow("as shown but the top")
            << QStringList{"192", " 50 ", "200", "40"} << "" << ElementGeometry{2887, 750, 3007.5f, 600};
        QTest::newRow("letters") << QStringList{"192", "1o0", "200", "40"}
                                 << "Posizione non valida: \"1o0\" non è un numero intero di pixel." << none;
        QTest::newRow("negative width") << QStringList{"192", "100", "-5", "40"}
                                        << "Posizione non valida: larghezza e altezza non possono essere negative."
                                        << none;
        QTest::newRow("empty") << QStringList{"192", "100", "200", ""} << "Posizione non valida: manca un valore."
                               << none;
        QTest::newRow("out of reach") << QStringList{"192", "100000", "200", "40"}
                                      << "Posizione non valida: 100000 pixel sono troppi." << none;
    }

    void typedGeometry()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, refusal);
        QFETCH(ElementGeometry, geometry);
        const TypedGeometry read = readTypedGeometry(typed, {2887, 1502, 3007.5f, 600});
        QCOMPARE(read.refusal, refusal);
        QCOMPARE(read.geometry.value_or(ElementGeometry{}), geometry);
    }
};

QTEST_GUILESS_MAIN(TestLayoutDocument)
#include "tst_layoutdocument.moc"
