#include "designer/document/LayoutCommands.h"
#include "designer/document/LayoutDocument.h"

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

class TestLayoutDocument : public QObject
{
    Q_OBJECT

private slots:
    void editsApplyAndUndoExactly_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Expect>("expect");
        QTest::newRow("move") << Edit([](LayoutDocument& d) {
            return d.moveElement(5, {2880, 1500, d.element(5).width, d.element(5).height});
        }) << Expect([](Snapshot& s) { place(s, 5, 2880, 1500); });
        QTest::newRow("resize to nothing") << Edit([](LayoutDocument& d) {
            return d.moveElement(47, {-420, -765, 0, 0});
        }) << Expect([](Snapshot& s) { place(s, 47, -420, -765).width = at(s, 47).height = 0; });
        QTest::newRow("insert") << Edit([](LayoutDocument& d) { return d.insertElement(33); })
                                << Expect([](Snapshot& s) { place(s, 33, 0, 0).visible = true; });
        QTest::newRow("remove") << Edit([](LayoutDocument& d) { return d.removeElement(46); })
                                << Expect([](Snapshot& s) { place(s, 46, 0, 17000).visible = false; });
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
    }

    void editsApplyAndUndoExactly()
    {
        QFETCH(Edit, edit);
        QFETCH(Expect, expect);
        const Snapshot before = loaded();
        Snapshot after = before;
        expect(after);
        LayoutDocument document;
        document.load(before.elements, before.colour, before.picture);
        QSignalSpy elements(&document, &LayoutDocument::elementChanged);
        QSignalSpy backgrounds(&document, &LayoutDocument::backgroundChanged);

        QVERIFY(edit(document));
        QCOMPARE(document.undoStack()->count(), 1);
        QVERIFY(snapshotOf(document) == after);
        document.undoStack()->undo();
        QVERIFY(snapshotOf(document) == before);
        document.undoStack()->redo();
        QVERIFY(snapshotOf(document) == after);

        // Each change announced once per step, and nothing else.
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

    void editsThatChangeNothingAddNoStep_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("move to where it is")
            << Edit([](LayoutDocument& d) { return d.moveElement(3, geometryOf(d.element(3))); });
        QTest::newRow("insert what is in the corner") << Edit([](LayoutDocument& d) { return d.insertElement(0); });
        QTest::newRow("remove what is removed") << Edit([](LayoutDocument& d) { return d.removeElement(1); });
        QTest::newRow("same colour") << Edit([](LayoutDocument& d) { return d.setBackgroundColour(0x336699); });
        // The element list reports -1 with no entry selected.
        QTest::newRow("insert nothing selected") << Edit([](LayoutDocument& d) { return d.insertElement(-1); });
        QTest::newRow("remove past the list") << Edit([](LayoutDocument& d) { return d.removeElement(48); });
        QTest::newRow("replace past the list") << Edit([](LayoutDocument& d) {
            return d.replaceElements(QStringLiteral("Numeri"), {{0, ElementData{}}, {48, ElementData{}}});
        });
        QTest::newRow("pushed straight on the stack") << Edit([](LayoutDocument& d) {
            d.undoStack()->push(new InsertElement(d, 0));
            return false;
        });
    }

    void editsThatChangeNothingAddNoStep()
    {
        QFETCH(Edit, edit);
        Snapshot layout = loaded();
        at(layout, 0) = ElementData{}; // in the corner, shown
        at(layout, 1).top = 17000;
        at(layout, 1).left = 0;
        at(layout, 1).visible = false;
        LayoutDocument document;
        document.load(layout.elements, layout.colour, layout.picture);
        QSignalSpy elements(&document, &LayoutDocument::elementChanged);
        QSignalSpy backgrounds(&document, &LayoutDocument::backgroundChanged);

        QVERIFY(!edit(document));
        QCOMPARE(document.undoStack()->count(), 0);
        QVERIFY(snapshotOf(document) == layout);
        QCOMPARE(elements.size() + backgrounds.size(), 0);
    }

    void loadStartsAFreshHistory()
    {
        LayoutDocument document;
        QVERIFY(document.removeElement(7));
        QVERIFY(document.undoStack()->canUndo());
        QSignalSpy elements(&document, &LayoutDocument::elementChanged);
        QSignalSpy backgrounds(&document, &LayoutDocument::backgroundChanged);

        const Snapshot layout = loaded();
        document.load(layout.elements, layout.colour, layout.picture);
        QVERIFY(snapshotOf(document) == layout);
        QVERIFY(!document.undoStack()->canUndo());
        QVERIFY(document.undoStack()->isClean());
        QCOMPARE(elements.size(), LayoutDocument::ElementCount);
        QCOMPARE(backgrounds.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLayoutDocument)
#include "tst_layoutdocument.moc"
