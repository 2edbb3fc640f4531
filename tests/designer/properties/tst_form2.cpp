#include "designer/document/LayoutDocument.h"
#include "designer/properties/Form2.h"
#include "designer/properties/ScriptedPropertyDialogs.h"

#include "support/WindowTest.h"

#include <QGroupBox>

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
        LayoutDocument::Elements elements{};
        for (std::size_t position = 0; position < elements.size(); ++position) {
            ElementData& element = elements[position];
            element.left = 200.0f + static_cast<float>(position);
            element.height = 301.0f;
            element.width = 307.5f;
            element.text = QStringLiteral("Postazione %1").arg(position);
            element.fontName = "Arial";
            element.fontPoints = 14.25f;
            element.backColour = 16777215;
        }
        elements[1].bold = true;
        elements[1].alignment = ElementData::Centre;
        m_document.load(elements, 0x00336699u, std::nullopt);
        m_dialogs = ScriptedPropertyDialogs{};
    }

    // The fifth workstation: the whole "Postazione" editor at its tall height, with the eight texts,
    // the clicked element's look and its size in pixels (301 twips give 20, 307.5 give 21).
    void workstationProfile()
    {
        Form2 editor(m_document, m_dialogs);
        QVERIFY(editor.presetElement(17));
        QCOMPARE(child<QLabel>(editor, "Label1")->text(), QStringLiteral("Postazione"));
        QCOMPARE(editor.height(), (9015 - 540) / 15);
        QVERIFY(!child<QCheckBox>(editor, "StessoLeft")->isHidden());
        QCOMPARE(child<QLabel>(editor, "Label4")->text(), QStringLiteral("217"));
        for (int k = 0; k < 8; ++k)
            QCOMPARE(child<QLineEdit>(editor, "F1", k)->text(), QStringLiteral("Postazione %1").arg(4 * k + 1));
        QStringList look;
        for (int index : {0, 1, 2, 4, 5})
            look << field(editor, index)->text();
        QCOMPARE(look, QStringList({"Arial", "14.25", "16777215", "20", "21"}));
        QVERIFY(!child<QLineEdit>(editor, "Testo999")->isEnabled());
    }

    // A bold-only element opens with "Grassetto" ticked and its alignment chosen; the photos' editor has
    // no look; the weather area opens nothing.
    void presetFromTheElement()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(1);
        QVERIFY(child<QCheckBox>(editor, "CB1", 0)->isChecked());
        QVERIFY(!child<QCheckBox>(editor, "CB1", 1)->isChecked());
        QVERIFY(child<QRadioButton>(editor, "RB1", 1)->isChecked());
        Form2 plain(m_document, m_dialogs);
        plain.presetElement(0);
        QVERIFY(!child<QCheckBox>(plain, "CB1", 0)->isChecked());
        QVERIFY(child<QRadioButton>(plain, "RB1", 0)->isChecked());

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
        QTest::keyClicks(field(editor, 1), "a-");
        QCOMPARE(field(editor, 1)->text(), QStringLiteral("a-"));
    }

    // One click of "&Applica" is one step on the undo stack for the whole group; an empty pixel field
    // is applied as "0", but an empty font stops the apply before that, silently; "C&hiudi" applies nothing.
    void apply()
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
            QVERIFY(number.height == 0.0f && number.width == 1500.0f && number.left == 224.0f);
        }
        QCOMPARE(m_document.element(1).width, 307.5f);

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
        QCOMPARE(m_document.element(0).height, 301.0f);
    }

    // The font dialog fills font, size and style; a cancelled dialog leaves every field as it was.
    void dialogsFillTheFieldsAndCancelLeavesThem()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(1);
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
        QCOMPARE(field(editor, 3)->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
