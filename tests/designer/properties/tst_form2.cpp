#include "designer/document/LayoutDocument.h"
#include "designer/properties/Form2.h"
#include "designer/properties/ScriptedPropertyDialogs.h"

#include "Find.h"
#include "ModalDriver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

void loadSample(LayoutDocument& document)
{
    LayoutDocument::Elements elements{};
    for (std::size_t position = 0; position < elements.size(); ++position) {
        ElementData& element = elements[position];
        element.left = 200.0f + static_cast<float>(position);
        element.height = 301.0f;
        element.width = 307.5f;
        element.text = QStringLiteral("Postazione %1").arg(position);
        element.fontName = QStringLiteral("Arial");
        element.fontPoints = 14.25f;
        element.backColour = 16777215;
        element.foreColour = 0;
    }
    elements[1].bold = true;
    elements[1].alignment = ElementData::Centre;
    document.load(elements, 0x00336699u, std::nullopt);
}

QLineEdit* field(const Form2& editor, int index)
{
    return child<QLineEdit>(editor, "FE1", index);
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        loadSample(m_document);
        m_dialogs = ScriptedPropertyDialogs{};
    }

    // The fifth workstation: the whole "Postazione" editor at its tall height, with the eight texts
    // and the clicked element's look.
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
        QCOMPARE(field(editor, 0)->text(), QStringLiteral("Arial"));
        QCOMPARE(field(editor, 1)->text(), QStringLiteral("14.25"));
        QCOMPARE(field(editor, 2)->text(), QStringLiteral("16777215"));
        QCOMPARE(field(editor, 4)->text(), QStringLiteral("20"));
        QCOMPARE(field(editor, 5)->text(), QStringLiteral("21"));
        QVERIFY(!child<QLineEdit>(editor, "Testo999")->isEnabled());
    }

    void boldOnlyOpensWithGrassetto()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(1);
        QVERIFY(child<QCheckBox>(editor, "CB1", 0)->isChecked());
        QVERIFY(!child<QCheckBox>(editor, "CB1", 1)->isChecked());
        QVERIFY(child<QRadioButton>(editor, "RB1", 1)->isChecked());
        editor.close();
        Form2 other(m_document, m_dialogs);
        other.presetElement(0);
        QVERIFY(!child<QCheckBox>(other, "CB1", 0)->isChecked());
        QVERIFY(child<QRadioButton>(other, "RB1", 0)->isChecked());
    }

    void photoProfile()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(33);
        QCOMPARE(child<QLabel>(editor, "Label1")->text(), QStringLiteral("Foto"));
        QVERIFY(!child<QGroupBox>(editor, "box1")->isEnabled());
        QVERIFY(!child<QLabel>(editor, "Label2", 0)->isEnabled());
        QVERIFY(!child<QCheckBox>(editor, "StessoLeft")->isHidden());
        QVERIFY(field(editor, 0)->text().isEmpty());
        QCOMPARE(field(editor, 4)->text(), QStringLiteral("20"));
        QVERIFY(!editor.presetElement(45));
    }

    void pixelFieldsTakeDigitsOnly()
    {
        Form2 editor(m_document, m_dialogs);
        QLineEdit* height = field(editor, 4);
        height->clear();
        QTest::keyClicks(height, QStringLiteral("1a-2 "));
        QCOMPARE(height->text(), QStringLiteral("12"));
        height->insert(QStringLiteral("3x")); // a paste of something that is not all digits
        QCOMPARE(height->text(), QStringLiteral("12"));
        height->insert(QStringLiteral("34"));
        QCOMPARE(height->text(), QStringLiteral("1234"));
        QTest::keyClicks(field(editor, 1), QStringLiteral("a-"));
        QCOMPARE(field(editor, 1)->text(), QStringLiteral("a-"));
    }

    // One click of "&Applica" is one step on the undo stack for the whole group.
    void applyIsOneCommand()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(24);
        field(editor, 4)->setText(QStringLiteral("20"));
        field(editor, 5)->setText(QStringLiteral("100"));
        child<QCheckBox>(editor, "StessoLeft")->setChecked(true);
        const int steps = m_document.undoStack()->count();
        child<QPushButton>(editor, "Btn", 0)->click();
        QCOMPARE(m_document.undoStack()->count(), steps + 1);
        for (int counter = 0; counter < 8; ++counter) {
            const ElementData& number = m_document.element(4 * counter);
            QCOMPARE(number.height, 300.0f);
            QCOMPARE(number.width, 1500.0f);
            QCOMPARE(number.left, 224.0f);
        }
        QCOMPARE(m_document.element(1).width, 307.5f);
    }

    void emptyPixelFieldsBecomeZero()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(46);
        field(editor, 4)->clear();
        child<QPushButton>(editor, "Btn", 0)->click();
        QCOMPARE(field(editor, 4)->text(), QStringLiteral("0"));
        QCOMPARE(m_document.element(46).height, 0.0f);
    }

    void emptyFontStopsSilently()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(2);
        field(editor, 0)->clear();
        field(editor, 4)->clear();
        child<QPushButton>(editor, "Btn", 0)->click();
        QCOMPARE(m_document.undoStack()->count(), 0);
        QVERIFY(field(editor, 4)->text().isEmpty());
    }

    void unusableColourIsTold()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(40);
        field(editor, 3)->setText(QStringLiteral("rosso"));
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        child<QPushButton>(editor, "Btn", 0)->click();
        QCOMPARE(lines.value(0), QStringLiteral("Colore Testo: inserire un numero intero da 0 a 4294967295."));
        QCOMPARE(m_document.undoStack()->count(), 0);
    }

    void backgroundColourMode()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetBackgroundColour();
        QCOMPARE(child<QLabel>(editor, "Label1")->text(), QStringLiteral("Colore Sfondo Schermata"));
        QCOMPARE(field(editor, 2)->text(), QString::number(0x00336699u));
        QVERIFY(field(editor, 0)->text().isEmpty());
        QVERIFY(!child<QPushButton>(editor, "PB1", 0)->isEnabled());
        QVERIFY(child<QPushButton>(editor, "PB1", 1)->isEnabled());
        QVERIFY(!child<QPushButton>(editor, "PB1", 2)->isEnabled());
        QVERIFY(!field(editor, 4)->isEnabled());
        QVERIFY(!child<QLabel>(editor, "Label2", 5)->isEnabled());

        m_dialogs.answerColour(QColor(0x11, 0x22, 0x33));
        child<QPushButton>(editor, "PB1", 1)->click();
        QCOMPARE(field(editor, 2)->text(), QString::number(0x00332211u));
        child<QPushButton>(editor, "Btn", 0)->click();
        QCOMPARE(m_document.backgroundColour(), 0x00332211u);
        QCOMPARE(m_document.undoStack()->count(), 1);
        QCOMPARE(field(editor, 4)->text(), QStringLiteral("0"));
        QCOMPARE(m_document.element(0).height, 301.0f);
    }

    void dialogsFillTheFieldsAndCancelLeavesThem()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(1);
        QFont font(QStringLiteral("Courier"));
        font.setPointSizeF(9.5);
        font.setItalic(true);
        m_dialogs.answerFont(font);
        m_dialogs.answerFont(std::nullopt);
        m_dialogs.answerColour(std::nullopt);
        child<QPushButton>(editor, "PB1", 0)->click();
        QCOMPARE(field(editor, 0)->text(), font.family());
        QCOMPARE(field(editor, 1)->text(), QStringLiteral("9.5"));
        QVERIFY(!child<QCheckBox>(editor, "CB1", 0)->isChecked());
        QVERIFY(child<QCheckBox>(editor, "CB1", 1)->isChecked());

        child<QPushButton>(editor, "PB1", 0)->click();
        child<QPushButton>(editor, "PB1", 2)->click();
        QCOMPARE(m_dialogs.asked(), 3);
        QCOMPARE(field(editor, 0)->text(), font.family());
        QVERIFY(child<QCheckBox>(editor, "CB1", 1)->isChecked());
        QCOMPARE(field(editor, 3)->text(), QStringLiteral("0"));
    }

    void closingAppliesNothing()
    {
        Form2 editor(m_document, m_dialogs);
        editor.presetElement(0);
        field(editor, 0)->setText(QStringLiteral("Verdana"));
        child<QPushButton>(editor, "Btn", 1)->click();
        QCOMPARE(m_document.undoStack()->count(), 0);
        QCOMPARE(m_document.element(0).fontName, QStringLiteral("Arial"));
    }

private:
    LayoutDocument m_document;
    ScriptedPropertyDialogs m_dialogs;
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
