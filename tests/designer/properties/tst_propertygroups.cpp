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
    fields.fontName = QStringLiteral("Verdana");
    fields.fontSize = QStringLiteral("20,5");
    fields.backColour = QStringLiteral("65280");
    fields.foreColour = QStringLiteral("255");
    fields.bold = true;
    fields.alignmentButton = 1;
    fields.transparent = true;
    fields.pixelHeight = QStringLiteral("20");
    fields.pixelWidth = QStringLiteral("100");
    return fields;
}

QList<int> positionsOf(const LayoutDocument::Records& records)
{
    QList<int> positions;
    for (const auto& record : records)
        positions.append(record.first);
    return positions;
}

} // namespace

class TestPropertyGroups : public QObject
{
    Q_OBJECT

private slots:
    // Whichever member was clicked, the whole group changes and nothing else.
    void groupOfEveryClick_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("members");
        QTest::newRow("first number") << 0 << "Numeri" << QList<int>{0, 4, 8, 12, 16, 20, 24, 28};
        QTest::newRow("last number") << 28 << "Numeri" << QList<int>{0, 4, 8, 12, 16, 20, 24, 28};
        QTest::newRow("fifth workstation") << 17 << "Postazione" << QList<int>{1, 5, 9, 13, 17, 21, 25, 29};
        QTest::newRow("operator") << 10 << "Utente" << QList<int>{2, 6, 10, 14, 18, 22, 26, 30};
        QTest::newRow("status") << 31 << "Stato" << QList<int>{3, 7, 11, 15, 19, 23, 27, 31};
        QTest::newRow("photo") << 35 << "Foto" << QList<int>{32, 33, 34, 35, 36, 37, 38, 39};
        QTest::newRow("subtitle") << 41 << "SottoTitolo" << QList<int>{41};
        QTest::newRow("time") << 43 << "Orario" << QList<int>{43};
        QTest::newRow("video") << 44 << "Video" << QList<int>{44};
        QTest::newRow("images") << 46 << "Immagini" << QList<int>{46};
        QTest::newRow("scrolling text") << 47 << "Testo Scorrevole" << QList<int>{47};
    }
    void groupOfEveryClick()
    {
        QFETCH(int, clicked);
        QFETCH(QString, title);
        QFETCH(QList<int>, members);
        const std::optional<Group> group = groupAt(clicked);
        QVERIFY(group);
        QCOMPARE(PropertyGroups::title(*group), title);
        QCOMPARE(groupOfTitle(title), group);

        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(*group, clicked, elements);
        fields.pixelHeight = QStringLiteral("20");
        fields.pixelWidth = QStringLiteral("100");
        const Outcome outcome = apply(*group, fields, elements);
        QCOMPARE(outcome.kind, Outcome::Elements);
        QCOMPARE(positionsOf(outcome.records), members);
        for (const auto& [position, record] : outcome.records) {
            QCOMPARE(record.height, 300.0f);
            QCOMPARE(record.width, 1500.0f);
            QCOMPARE(record.top, elements.at(static_cast<std::size_t>(position)).top);
        }
    }

    void weatherAreaHasNoEditor() { QVERIFY(!groupAt(45)); }

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
        const Outcome outcome = apply(Group::Stato, fields, elements);
        for (const auto& [position, record] : outcome.records)
            QCOMPARE(record.left, sameLeft ? 1562.5f : elements.at(static_cast<std::size_t>(position)).left);
    }

    void workstationTexts()
    {
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Postazione, 17, elements);
        for (std::size_t k = 0; k < 8; ++k)
            QCOMPARE(fields.workstations[k], QStringLiteral("Testo %1").arg(4 * k + 1));
        fields.workstations[4].clear();
        fields.workstations[0] = QStringLiteral("Cassa");
        const Outcome outcome = apply(Group::Postazione, fields, elements);
        QCOMPARE(outcome.records[0].second.text, QStringLiteral("Cassa"));
        QCOMPARE(outcome.records[4].first, 17);
        QCOMPARE(outcome.records[4].second.text, QStringLiteral("Postazione 5"));
        QCOMPARE(outcome.records[5].second.text, QStringLiteral("Testo 21"));
    }

    // Picture groups take the size only; the look of a photo record stays whatever it holds.
    void pictureGroupsTakeTheSizeOnly()
    {
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Video, 44, elements);
        QVERIFY(!fields.lookEnabled);
        QVERIFY(fields.fontName.isEmpty());
        fields.pixelHeight = QStringLiteral("20");
        fields.pixelWidth = QStringLiteral("100");
        fields.fontSize = QStringLiteral("not looked at");
        const Outcome outcome = apply(Group::Video, fields, elements);
        QCOMPARE(outcome.kind, Outcome::Elements);
        ElementData expected = elements[44];
        expected.height = 300.0f;
        expected.width = 1500.0f;
        QCOMPARE(outcome.records.size(), 1u);
        QVERIFY(outcome.records[0].second == expected);
    }

    void titleText()
    {
        LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Titolo, 40, elements);
        QCOMPARE(fields.text, QStringLiteral("Testo 40"));
        fields.text.clear();
        QCOMPARE(apply(Group::Titolo, fields, elements).records[0].second.text, QString());
        // The date has no text field: its caption stays.
        fields = preset(Group::Data, 42, elements);
        QVERIFY(fields.text.isEmpty());
        QCOMPARE(apply(Group::Data, fields, elements).records[0].second.text, QStringLiteral("Testo 42"));
    }

    void emptyLookFieldStopsSilently_data()
    {
        QTest::addColumn<int>("field");
        QTest::newRow("font") << 0;
        QTest::newRow("size") << 1;
        QTest::newRow("background") << 2;
        QTest::newRow("text colour") << 3;
    }
    void emptyLookFieldStopsSilently()
    {
        QFETCH(int, field);
        Fields fields = lookFields();
        std::array<QString*, 4> look{&fields.fontName, &fields.fontSize, &fields.backColour, &fields.foreColour};
        look[static_cast<std::size_t>(field)]->clear();
        const Outcome outcome = apply(Group::Utente, fields, sampleElements());
        QCOMPARE(outcome.kind, Outcome::Nothing);
        QVERIFY(outcome.message.isEmpty());
    }

    void backgroundColourMode()
    {
        Fields fields = presetBackgroundColour(0x00123456u);
        QCOMPARE(fields.backColour, QStringLiteral("1193046"));
        fields.fontSize = QStringLiteral("x"); // not read in this mode
        Outcome outcome = apply(Group::BackgroundColour, fields, sampleElements());
        QCOMPARE(outcome.kind, Outcome::Background);
        QCOMPARE(outcome.colour, 0x00123456u);
        fields.backColour.clear();
        QCOMPARE(apply(Group::BackgroundColour, fields, sampleElements()).kind, Outcome::Nothing);
    }

    // A field the group reads that holds no usable number refuses the whole apply with a message.
    void unusableNumbersRefused_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("fontSize");
        QTest::addColumn<QString>("backColour");
        QTest::addColumn<QString>("pixelHeight");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters as size") << "Numeri"
                                         << "dodici"
                                         << "0"
                                         << "20"
                                         << "Dimensione del font";
        QTest::newRow("zero size") << "Numeri"
                                   << "0"
                                   << "0"
                                   << "20"
                                   << "Dimensione del font";
        QTest::newRow("negative colour") << "Data"
                                         << "12"
                                         << "-1"
                                         << "20"
                                         << "Colore Sfondo";
        QTest::newRow("colour past 32 bits") << "Data"
                                             << "12"
                                             << "4294967296"
                                             << "20"
                                             << "Colore Sfondo";
        QTest::newRow("height past 32-bit twips") << "Stato"
                                                  << "12"
                                                  << "0"
                                                  << "143165577"
                                                  << "Altezza pixel";
        QTest::newRow("colour mode") << "Colore Sfondo Schermata"
                                     << "12"
                                     << "blu"
                                     << "0"
                                     << "Colore Sfondo";
    }
    void unusableNumbersRefused()
    {
        QFETCH(QString, group);
        QFETCH(QString, fontSize);
        QFETCH(QString, backColour);
        QFETCH(QString, pixelHeight);
        QFETCH(QString, expected);
        Fields fields = lookFields();
        fields.fontSize = fontSize;
        fields.backColour = backColour;
        fields.pixelHeight = pixelHeight;
        const Outcome outcome = apply(*groupOfTitle(group), fields, sampleElements());
        QCOMPARE(outcome.kind, Outcome::Refused);
        QVERIFY2(outcome.message.startsWith(expected), qPrintable(outcome.message));
        QVERIFY(outcome.records.empty());
    }

    void largestPixelValueStillFits()
    {
        Fields fields = lookFields();
        fields.pixelWidth = QStringLiteral("143165576");
        QCOMPARE(apply(Group::Orario, fields, sampleElements()).records[0].second.width, 2147483640.0f);
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
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void profiles_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("sameLeft");
        QTest::addColumn<bool>("lookDisabled");
        QTest::addColumn<bool>("alignmentDisabled");
        QTest::addColumn<bool>("textEnabled");
        QTest::addColumn<int>("height");
        QTest::newRow("Numeri") << "Numeri" << true << false << false << false << 5415;
        QTest::newRow("Postazione") << "Postazione" << true << false << false << false << 9015;
        QTest::newRow("Foto") << "Foto" << true << true << false << false << 5415;
        QTest::newRow("SottoTitolo") << "SottoTitolo" << false << false << false << true << 5415;
        QTest::newRow("Testo Scorrevole") << "Testo Scorrevole" << false << false << true << false << 5415;
        QTest::newRow("Immagini") << "Immagini" << false << true << false << false << 5415;
    }
    void profiles()
    {
        QFETCH(QString, group);
        const Profile shown = profile(*groupOfTitle(group));
        QTEST(shown.sameLeftShown, "sameLeft");
        QTEST(shown.lookDisabled, "lookDisabled");
        QTEST(shown.alignmentDisabled, "alignmentDisabled");
        QTEST(shown.textEnabled, "textEnabled");
        QTEST(shown.windowHeight, "height");
    }
};

QTEST_GUILESS_MAIN(TestPropertyGroups)
#include "tst_propertygroups.moc"
