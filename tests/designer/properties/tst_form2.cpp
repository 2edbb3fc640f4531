#include "designer/document/LayoutDocument.h"
#include "designer/properties/Form2.h"
#include "designer/properties/PropertyGroups.h"
#include "designer/properties/ScriptedPropertyDialogs.h"
#include "designer/tools/DragResizeEngine.h"

#include "support/WindowTest.h"

#include <QGroupBox>

using namespace PropertyGroups;

namespace {

// Every element different, so a record that should not change shows it when it does; the subtitle
// bold and centred.
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
        element.fontPoints = 14.25f;
        element.backColour = 0x000000FFu;
        element.foreColour = 0x00FFFFFFu;
        element.alignment = ElementData::Right;
    }
    elements[41].bold = true;
    elements[41].alignment = ElementData::Centre;
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

// One apply of the look fields with one field changed, and what comes of it.
struct Case {
    QString group;
    QString field; // font, size, back, fore, height or width
    QString value;
    int kind;
    QString message; // how it begins
};

} // namespace

Q_DECLARE_METATYPE(Case)

class TestForm2 : public QObject
{
    Q_OBJECT

    LayoutDocument m_document;
    ScriptedPropertyDialogs m_dialogs;

    QLineEdit* field(const Form2& editor, int index) { return child<QLineEdit>(editor, "FE1", index); }
    void click(const Form2& editor, const char* array, int index) { child<QPushButton>(editor, array, index)->click(); }
    int steps() { return m_document.undoStack()->count(); }

private slots:
    void init()
    {
        m_document.load(sampleElements(), 0x00336699u, std::nullopt);
        m_dialogs = ScriptedPropertyDialogs{};
    }

    // The fifth workstation: the whole "Postazione" editor, with the eight texts,
    // the clicked element's look, left edge and size in pixels (317 by 1517 twips).
    void workstationProfile()
    {
        Form2 editor(m_document, m_dialogs);
        QVERIFY(editor.presetElement(17));
        QCOMPARE(child<QLabel>(editor, "Label1")->text(), QStringLiteral("Postazione"));
        QVERIFY(!child<QCheckBox>(editor, "StessoLeft")->isHidden());
        QCOMPARE(child<QLabel>(editor, "Label4")->text(), QStringLiteral("1637.5"));
        for (int k = 0; k < 8; ++k)
            QCOMPARE(child<QLineEdit>(editor, "F1", k)->text(), QStringLiteral("Testo %1").arg(4 * k + 1));
        QStringList look;
        for (int index : {0, 1, 2, 4, 5})
            look << field(editor, index)->text();
        QCOMPARE(look, QStringList({"Arial", "14.25", "255", "21", "101"}));
        QVERIFY(!child<QLineEdit>(editor, "Testo999")->isEnabled());
    }

    // A bold-only element opens with "Grassetto" ticked and its alignment chosen; the photos' editor has
    // no look; the weather area opens nothing.
    void presetFromTheElement()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(41);
        QVERIFY(child<QCheckBox>(editor, "CB1", 0)->isChecked());
        QVERIFY(!child<QCheckBox>(editor, "CB1", 1)->isChecked());
        QVERIFY(child<QRadioButton>(editor, "RB1", 1)->isChecked());
        Form2 plain(m_document, m_dialogs);
        plain.presetElement(0);
        QVERIFY(!child<QCheckBox>(plain, "CB1", 0)->isChecked());
        QVERIFY(child<QRadioButton>(plain, "RB1", 2)->isChecked());

        Form2 photo(m_document, m_dialogs);
        photo.presetElement(33);
        QCOMPARE(child<QLabel>(photo, "Label1")->text(), QStringLiteral("Foto"));
        QVERIFY(!child<QGroupBox>(photo, "box1")->isEnabled());
        QVERIFY(!child<QLabel>(photo, "Label2", 0)->isEnabled());
        QVERIFY(field(photo, 0)->text().isEmpty());
        QVERIFY(!photo.presetElement(45));
    }

    void pixelFieldsTakeDigitsOnly()
    {
        Form2 editor(m_document, m_dialogs);
        QLineEdit* height = field(editor, 4);
        height->clear();
        QTest::keyClicks(height, "1a-2 ");
        QCOMPARE(height->text(), QStringLiteral("12"));
        height->insert("3x"); // a paste of something that is not all digits
        QCOMPARE(height->text(), QStringLiteral("12"));
        height->insert("34");
        QCOMPARE(height->text(), QStringLiteral("1234"));
    }

    // One click of "&Applica" is one step on the undo stack for the whole group; an empty pixel field
    // is applied as "0", but an empty font stops the apply before that, silently; "C&hiudi" applies nothing.
    void applyIsOneStep()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(24);
        field(editor, 4)->clear();
        field(editor, 5)->setText("100");
        child<QCheckBox>(editor, "StessoLeft")->setChecked(true);
        click(editor, "Btn", 0);
        QCOMPARE(steps(), 1);
        QCOMPARE(field(editor, 4)->text(), QStringLiteral("0"));
        for (int counter = 0; counter < 8; ++counter) {
            const ElementData& number = m_document.element(4 * counter);
            QVERIFY(number.height == 0.0f && number.width == 1500.0f && number.left == 1900.0f);
        }
        QCOMPARE(m_document.element(1).width, 1501.0f);

        Form2 other(m_document, m_dialogs);
        other.presetElement(2);
        field(other, 0)->clear();
        field(other, 4)->clear();
        click(other, "Btn", 0);
        QVERIFY(field(other, 4)->text().isEmpty());
        field(other, 0)->setText("Verdana");
        click(other, "Btn", 1);
        QCOMPARE(steps(), 1);
        QCOMPARE(m_document.element(2).fontName, QStringLiteral("Arial"));
    }

    void unusableColourIsTold()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(40);
        field(editor, 3)->setText("rosso");
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        click(editor, "Btn", 0);
        QCOMPARE(lines.value(0), QStringLiteral("Colore Testo: inserire un numero intero da 0 a 4294967295."));
        QCOMPARE(steps(), 0);
    }

    // The colour mode offers only the colour button and applies the screen's colour alone.
    void backgroundColourMode()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetBackgroundColour();
        QCOMPARE(child<QLabel>(editor, "Label1")->text(), QStringLiteral("Colore Sfondo Schermata"));
        QCOMPARE(field(editor, 2)->text(), QString::number(0x00336699u));
        QVERIFY(field(editor, 0)->text().isEmpty());
        for (int button = 0; button < 3; ++button)
            QCOMPARE(child<QPushButton>(editor, "PB1", button)->isEnabled(), button == 1);
        QVERIFY(!field(editor, 4)->isEnabled());

        m_dialogs.answerColour(QColor(0x11, 0x22, 0x33));
        click(editor, "PB1", 1);
        QCOMPARE(field(editor, 2)->text(), QString::number(0x00332211u));
        click(editor, "Btn", 0);
        QCOMPARE(m_document.backgroundColour(), 0x00332211u);
        QCOMPARE(steps(), 1);
        QCOMPARE(m_document.element(0).height, 300.0f);
    }

    // The font dialog fills font, size and style; a cancelled dialog leaves every field as it was.
    void dialogsFillTheFieldsAndCancelLeavesThem()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(41);
        QFont font("Courier");
        font.setPointSizeF(9.5);
        font.setItalic(true);
        m_dialogs.answerFont(font);
        m_dialogs.answerFont(std::nullopt);
        m_dialogs.answerColour(std::nullopt);
        click(editor, "PB1", 0);
        QCOMPARE(field(editor, 0)->text(), font.family());
        QCOMPARE(field(editor, 1)->text(), QStringLiteral("9.5"));
        QVERIFY(!child<QCheckBox>(editor, "CB1", 0)->isChecked());
        QVERIFY(child<QCheckBox>(editor, "CB1", 1)->isChecked());

        click(editor, "PB1", 0);
        click(editor, "PB1", 2);
        QCOMPARE(m_dialogs.asked(), 3);
        QCOMPARE(field(editor, 0)->text(), font.family());
        QVERIFY(child<QCheckBox>(editor, "CB1", 1)->isChecked());
        QCOMPARE(field(editor, 3)->text(), QStringLiteral("16777215"));
    }

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
        QTest::newRow("weather: no editor") << 45 << "" << QList<int>{};
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

    // An emptied workstation text becomes its default; the title may be emptied; the date has no text.
    void texts()
    {
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = preset(Group::Postazione, 17, elements);
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
    // its colour; a field the group reads that holds no usable number refuses it with a message. An
    // apply puts the whole look and size on every member and keeps their texts.
    void outcome_data()
    {
        QTest::addColumn<Case>("outcome");
        const int nothing = Outcome::Nothing;
        const int refused = Outcome::Refused;
        QTest::newRow("empty font") << Case{"Utente", "font", "", nothing, ""};
        QTest::newRow("empty size") << Case{"Utente", "size", "", nothing, ""};
        QTest::newRow("empty background") << Case{"Utente", "back", "", nothing, ""};
        QTest::newRow("empty text colour") << Case{"Utente", "fore", "", nothing, ""};
        QTest::newRow("letters as size") << Case{"Numeri", "size", "dodici", refused, "Dimensione del font"};
        QTest::newRow("zero size") << Case{"Numeri", "size", "0", refused, "Dimensione del font"};
        QTest::newRow("negative colour") << Case{"Data", "back", "-1", refused, "Colore Sfondo"};
        QTest::newRow("colour past 32 bits") << Case{"Data", "back", "4294967296", refused, "Colore Sfondo"};
        QTest::newRow("height past 32-bit twips") << Case{"Stato", "height", "143165577", refused, "Altezza pixel"};
        QTest::newRow("look on every number") << Case{"Numeri", "width", "100", Outcome::Elements, ""};
        QTest::newRow("largest width that fits") << Case{"Orario", "width", "143165576", Outcome::Elements, ""};
        const QString mode = "Colore Sfondo Schermata";
        const int background = Outcome::Background;
        QTest::newRow("colour mode, empty font") << Case{mode, "font", "", background, ""};
        QTest::newRow("colour mode, size not read") << Case{mode, "size", "x", background, ""};
        QTest::newRow("colour mode, empty colour") << Case{mode, "back", "", nothing, ""};
        QTest::newRow("colour mode, not a number") << Case{mode, "back", "blu", refused, "Colore Sfondo"};
    }
    void outcome()
    {
        QFETCH(Case, outcome);
        const auto& [group, field, value, kind, message] = outcome;
        const LayoutDocument::Elements elements = sampleElements();
        Fields fields = lookFields();
        const QMap<QString, QString*> named{{"font", &fields.fontName},      {"size", &fields.fontSize},
                                            {"back", &fields.backColour},    {"fore", &fields.foreColour},
                                            {"height", &fields.pixelHeight}, {"width", &fields.pixelWidth}};
        *named.value(field) = value;
        const Outcome made = apply(*groupOfTitle(group), fields, elements);
        QCOMPARE(int(made.kind), kind);
        QVERIFY2(message.isEmpty() ? made.message.isEmpty() : made.message.startsWith(message),
                 qPrintable(made.message));
        QCOMPARE(made.records.empty(), kind != Outcome::Elements);
        for (const auto& [position, record] : made.records) {
            QCOMPARE(record.width, static_cast<float>(value.toDouble() * 15));
            QCOMPARE(record.fontName, QStringLiteral("Verdana"));
            QCOMPARE(record.fontPoints, 20.5f);
            QVERIFY(record.bold && !record.italic && record.transparent);
            QCOMPARE(record.backColour, 0x0000FF00u);
            QCOMPARE(record.foreColour, 0x000000FFu);
            QCOMPARE(record.alignment, std::int16_t(ElementData::Centre));
            QCOMPARE(record.text, elements.at(static_cast<std::size_t>(position)).text);
        }
        if (kind == Outcome::Background)
            QCOMPARE(made.colour, 65280u);
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
        QTest::newRow("beyond 32 bits stops at the largest") << 3e9f << 143165577;
    }
    // The editor's pixel sides: to whole twips, then by the fixed factor, both to the nearest with
    // ties to even.
    void twipsToPixelsRounding()
    {
        QFETCH(float, twips);
        std::int32_t height = nearestInt32(twips);
        std::int32_t width = nearestInt32(twips);
        TwipsToPixelsFixed(height, width);
        QTEST(static_cast<int>(height), "pixels");
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
