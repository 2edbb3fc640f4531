#include "designer/properties/PropertyGroups.h"

#include <QTest>

using namespace PropertyGroups;

namespace {

// Every element different, so a record that should not change shows it when it does.
LayoutDocument::Elements sampleElements()
{
    LayoutDocument::Elements elements{};
    for (std::size_t position = 0; position < elements.size(); ++position) {
        ElementData& element = elements[position];
        const auto p = static_cast<float>(position);
        element.top = 100.0f + p * 10.0f;
        element.left = 1000.0f + p * 37.5f;
        element.height = 300.0f + p;
        element.width = 1500.0f + p;
        element.text = QStringLiteral("Testo %1").arg(position);
        element.fontName = QStringLiteral("Arial");
        element.fontPoints = 12.0f;
        element.backColour = 0x000000FFu;
        element.foreColour = 0x00FFFFFFu;
        element.alignment = ElementData::Right;
    }
    return elements;
}

Fields lookFields()
{
    Fields fields;
    fields.fontName = "Verdana";
    fields.fontSize = "20,5";
    fields.backColour = "65280";
    fields.foreColour = "255";
    fields.bold = fields.transparent = true;
    fields.alignmentButton = 1;
    fields.pixelHeight = "20";
    fields.pixelWidth = "100";
    return fields;
}

} // namespace

class TestPropertyGroups : public QObject
{
    Q_OBJECT

private slots:
    // Whichever member was clicked, the whole group takes 20 by 100 pixels as 300 by 1500 twips and
    // nothing else: what the preset read from an element goes back unchanged.
    void groupOfEveryClick_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("members");
        const QList<int> numbers{0, 4, 8, 12, 16, 20, 24, 28};
        QTest::newRow("first number") << 0 << "Numeri" << numbers;
        QTest::newRow("last number") << 28 << "Numeri" << numbers;
        QTest::newRow("fifth workstation") << 17 << "Postazione" << QList<int>{1, 5, 9, 13, 17, 21, 25, 29};
        QTest::newRow("operator") << 10 << "Utente" << QList<int>{2, 6, 10, 14, 18, 22, 26, 30};
        QTest::newRow("status") << 31 << "Stato" << QList<int>{3, 7, 11, 15, 19, 23, 27, 31};
        QTest::newRow("photo") << 35 << "Foto" << QList<int>{32, 33, 34, 35, 36, 37, 38, 39};
        QTest::newRow("subtitle") << 41 << "SottoTitolo" << QList<int>{41};
        QTest::newRow("time") << 43 << "Orario" << QList<int>{43};
        QTest::newRow("video") << 44 << "Video" << QList<int>{44};
        QTest::newRow("weather: no editor") << 45 << "" << QList<int>{};
        QTest::newRow("images") << 46 << "Immagini" << QList<int>{46};
        QTest::newRow("scrolling text") << 47 << "Testo Scorrevole" << QList<int>{47};
    }
    void groupOfEveryClick()
    {
        QFETCH(int, clicked);
        QFETCH(QString, title);
        QFETCH(QList<int>, members);
        const std::optional<Group> group = groupAt(clicked);
        QCOMPARE(group.has_value(), !members.isEmpty());
        if (!group)
            return;
        QCOMPARE(PropertyGroups::title(*group), title);
        QCOMPARE(groupOfTitle(title), group);

        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(*group, clicked, elements);
        fields.pixelHeight = "20";
        fields.pixelWidth = "100";
        fields.fontSize += fields.lookEnabled ? "" : "not looked at";
        const Outcome outcome = apply(*group, fields, elements);
        QCOMPARE(outcome.kind, Outcome::Elements);
        QList<int> changed;
        for (const auto& [position, record] : outcome.records) {
            changed.append(position);
            ElementData expected = elements.at(static_cast<std::size_t>(position));
            expected.height = 300.0f;
            expected.width = 1500.0f;
            QVERIFY2(record == expected, qPrintable(QString::number(position)));
        }
        QCOMPARE(changed, members);
    }

    void lookGoesOnEveryNumber()
    {
        const LayoutDocument::Elements elements = sampleElements();
        const Outcome outcome = apply(Group::Numeri, lookFields(), elements);
        QCOMPARE(outcome.records.size(), 8u);
        for (const auto& [position, record] : outcome.records) {
            QCOMPARE(record.fontName, QStringLiteral("Verdana"));
            QCOMPARE(record.fontPoints, 20.5f);
            QVERIFY(record.bold && !record.italic && record.transparent);
            QCOMPARE(record.backColour, 0x0000FF00u);
            QCOMPARE(record.foreColour, 0x000000FFu);
            QCOMPARE(record.alignment, std::int16_t(ElementData::Centre));
            QCOMPARE(record.text, elements.at(static_cast<std::size_t>(position)).text);
        }
    }

    void commonLeft_data()
    {
        QTest::addColumn<bool>("sameLeft");
        QTest::newRow("ticked") << true;
        QTest::newRow("not ticked") << false;
    }
    void commonLeft()
    {
        QFETCH(bool, sameLeft);
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Stato, 15, elements);
        QCOMPARE(fields.left, QStringLiteral("1562.5"));
        fields.sameLeft = sameLeft;
        for (const auto& [position, record] : apply(Group::Stato, fields, elements).records)
            QCOMPARE(record.left, sameLeft ? 1562.5f : elements.at(static_cast<std::size_t>(position)).left);
    }

    // An emptied workstation text becomes its default; the title may be emptied; the date has no text.
    void texts()
    {
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Postazione, 17, elements);
        for (std::size_t k = 0; k < 8; ++k)
            QCOMPARE(fields.workstations[k], QStringLiteral("Testo %1").arg(4 * k + 1));
        fields.workstations[4].clear();
        fields.workstations[0] = "Cassa";
        const Outcome outcome = apply(Group::Postazione, fields, elements);
        QCOMPARE(outcome.records[0].second.text, QStringLiteral("Cassa"));
        QCOMPARE(outcome.records[4].second.text, QStringLiteral("Postazione 5"));
        QCOMPARE(outcome.records[5].second.text, QStringLiteral("Testo 21"));

        fields = preset(Group::Titolo, 40, elements);
        QCOMPARE(fields.text, QStringLiteral("Testo 40"));
        fields.text.clear();
        QCOMPARE(apply(Group::Titolo, fields, elements).records[0].second.text, QString());
        fields = preset(Group::Data, 42, elements);
        QVERIFY(fields.text.isEmpty());
        QCOMPARE(apply(Group::Data, fields, elements).records[0].second.text, QStringLiteral("Testo 42"));
    }

    // An empty look field stops the apply without a word, except in the colour mode, which reads only
    // its colour; a field the group reads that holds no usable number refuses it with a message.
    void outcome_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const int nothing = Outcome::Nothing;
        const int refused = Outcome::Refused;
        QTest::newRow("empty font") << "Utente"
                                    << "font"
                                    << "" << nothing << "";
        QTest::newRow("empty size") << "Utente"
                                    << "size"
                                    << "" << nothing << "";
        QTest::newRow("empty background") << "Utente"
                                          << "back"
                                          << "" << nothing << "";
        QTest::newRow("empty text colour") << "Utente"
                                           << "fore"
                                           << "" << nothing << "";
        QTest::newRow("letters as size") << "Numeri"
                                         << "size"
                                         << "dodici" << refused << "Dimensione del font";
        QTest::newRow("zero size") << "Numeri"
                                   << "size"
                                   << "0" << refused << "Dimensione del font";
        QTest::newRow("negative colour") << "Data"
                                         << "back"
                                         << "-1" << refused << "Colore Sfondo";
        QTest::newRow("colour past 32 bits") << "Data"
                                             << "back"
                                             << "4294967296" << refused << "Colore Sfondo";
        QTest::newRow("height past 32-bit twips") << "Stato"
                                                  << "height"
                                                  << "143165577" << refused << "Altezza pixel";
        QTest::newRow("largest width that fits") << "Orario"
                                                 << "width"
                                                 << "143165576" << int(Outcome::Elements) << "";
        const QString mode = "Colore Sfondo Schermata";
        const int background = Outcome::Background;
        QTest::newRow("colour mode, empty font") << mode << "font"
                                                 << "" << background << "";
        QTest::newRow("colour mode, size not read") << mode << "size"
                                                    << "x" << background << "";
        QTest::newRow("colour mode, empty colour") << mode << "back"
                                                   << "" << nothing << "";
        QTest::newRow("colour mode, not a number") << mode << "back"
                                                   << "blu" << refused << "Colore Sfondo";
    }
    void outcome()
    {
        QFETCH(QString, group);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Fields fields = lookFields();
        const QMap<QString, QString*> named{{"font", &fields.fontName},      {"size", &fields.fontSize},
                                            {"back", &fields.backColour},    {"fore", &fields.foreColour},
                                            {"height", &fields.pixelHeight}, {"width", &fields.pixelWidth}};
        *named.value(field) = value;
        const Outcome outcome = apply(*groupOfTitle(group), fields, sampleElements());
        QCOMPARE(int(outcome.kind), kind);
        QVERIFY2(message.isEmpty() ? outcome.message.isEmpty() : outcome.message.startsWith(message),
                 qPrintable(outcome.message));
        QCOMPARE(outcome.records.empty(), kind != Outcome::Elements);
        if (kind == Outcome::Elements)
            QCOMPARE(outcome.records[0].second.width, 2147483640.0f);
        if (kind == Outcome::Background)
            QCOMPARE(outcome.colour, 65280u);
    }

    void twipsToPixelsRounding_data()
    {
        QTest::addColumn<float>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("301") << 301.0f << 20;
        QTest::newRow("307.5 goes to 308 first") << 307.5f << 21;
        QTest::newRow("292.5 goes to 292 first") << 292.5f << 19;
        QTest::newRow("7.5 goes to 8") << 7.5f << 1;
        QTest::newRow("zero") << 0.0f << 0;
    }
    void twipsToPixelsRounding()
    {
        QFETCH(float, twips);
        QTEST(twipsToPixels(twips), "pixels");
    }
};

QTEST_GUILESS_MAIN(TestPropertyGroups)
#include "tst_propertygroups.moc"
