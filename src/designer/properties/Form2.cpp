#include "designer/properties/Form2.h"

#include "designer/document/LayoutDocument.h"
#include "designer/properties/PropertyDialogs.h"
#include "platform/OleColor.h"
#include "ui/MsgForm.h"
#include "ui/WindowFont.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

using PropertyGroups::Group;

namespace {

constexpr int ClientWidth = 5925;
// The window's outer height less its client height at design (5415 against 4875 twips).
constexpr int FrameHeight = 540;

QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

template <typename Control> Control* place(Control* control, const QString& name, const QRect& geometry)
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QString indexed(const char* array, int index)
{
    return QString::fromLatin1(array) + QLatin1Char('_') + QString::number(index);
}

} // namespace

Form2::Form2(LayoutDocument& document, PropertyDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Impostazioni Elementi"));
    setFont(WindowFont::tahoma());
    build();
    setWindowHeight(PropertyGroups::Profile::DesignHeight);
}

void Form2::build()
{
    Label1 = place(new QLabel(QStringLiteral("Label1"), this), QStringLiteral("Label1"), twips(120, 120, 5685, 600));
    Label1->setFont(WindowFont::segoePrint(14));
    Line1 = place(new QFrame(this), QStringLiteral("Line1"), twips(120, 840, 5685, 30));
    Line1->setFrameShape(QFrame::HLine);

    box1 = place(new QGroupBox(this), QStringLiteral("box1"), twips(120, 960, 5655, 2895));
    const std::array<QRect, 4> lookEdits{twips(600, 240, 3240, 285), twips(3960, 240, 720, 285),
                                         twips(1320, 1440, 3360, 285), twips(1320, 1800, 3360, 285)};
    for (int index = 0; index < 4; ++index)
        FE1[static_cast<std::size_t>(index)] =
            place(new QLineEdit(box1), indexed("FE1", index), lookEdits[static_cast<std::size_t>(index)]);
    const std::array<int, 3> dialogTops{240, 1440, 1800};
    for (int index = 0; index < 3; ++index)
        PB1[static_cast<std::size_t>(index)] =
            place(new QPushButton(QStringLiteral("......"), box1), indexed("PB1", index),
                  twips(4800, dialogTops[static_cast<std::size_t>(index)], 600, 285));
    CB1[0] = place(new QCheckBox(QStringLiteral("Grassetto"), box1), indexed("CB1", 0), twips(1320, 600, 1150, 285));
    CB1[1] = place(new QCheckBox(QStringLiteral("Italico"), box1), indexed("CB1", 1), twips(2520, 600, 1150, 285));
    CB2 = place(new QCheckBox(QStringLiteral(" Sfondo Trasparente"), box1), QStringLiteral("CB2"),
                twips(1320, 1080, 2800, 285));
    const std::array<const char*, 3> alignments{"A Sinistra", "Centrato", "A Destra"};
    for (int index = 0; index < 3; ++index)
        RB1[static_cast<std::size_t>(index)] =
            place(new QRadioButton(QString::fromLatin1(alignments[static_cast<std::size_t>(index)]), box1),
                  indexed("RB1", index), twips(1320 + 1400 * index, 2160, 1350, 285));
    Testo999 = place(new QLineEdit(box1), QStringLiteral("Testo999"), twips(1320, 2520, 4080, 285));
    Testo999->setEnabled(false);

    const std::array<std::pair<int, const char*>, 5> rowCaptions{
        {{0, "Font"}, {1, "Colore Sfondo"}, {2, "Colore Testo"}, {3, "Allineamento"}, {6, "Testo"}}};
    const std::array<int, 5> rowTops{240, 1440, 1800, 2160, 2500};
    for (std::size_t row = 0; row < rowCaptions.size(); ++row) {
        const auto [index, caption] = rowCaptions[row];
        Label2[static_cast<std::size_t>(index)] = place(new QLabel(QString::fromLatin1(caption), box1),
                                                        indexed("Label2", index), twips(120, rowTops[row], 1150, 285));
    }
    Label2[6]->setEnabled(false);

    StessoLeft = place(new QCheckBox(QStringLiteral(" Stesso margine sx per il gruppo"), this),
                       QStringLiteral("StessoLeft"), twips(3240, 3960, 2640, 285));
    StessoLeft->hide();
    const auto digitsOnly = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int index = 4; index < 6; ++index) {
        const int top = index == 4 ? 4080 : 4440;
        FE1[static_cast<std::size_t>(index)] =
            place(new QLineEdit(this), indexed("FE1", index), twips(1440, top, 1100, 285));
        // A typed or pasted text that is not all digits does not get in.
        FE1[static_cast<std::size_t>(index)]->setValidator(digitsOnly);
        Label2[static_cast<std::size_t>(index)] =
            place(new QLabel(index == 4 ? QStringLiteral("Altezza pixel") : QStringLiteral("Larghezza pixel"), this),
                  indexed("Label2", index), twips(120, top, 1300, 285));
    }

    Btn[0] = place(new QPushButton(QStringLiteral("&Applica"), this), indexed("Btn", 0), twips(3240, 4300, 1100, 375));
    Btn[1] = place(new QPushButton(QStringLiteral("C&hiudi"), this), indexed("Btn", 1), twips(4440, 4300, 1100, 375));

    GB2 = place(new QGroupBox(QStringLiteral("Testo Postazione"), this), QStringLiteral("GB2"),
                twips(240, 5040, 5415, 3375));
    for (int k = 0; k < 8; ++k) {
        F1[static_cast<std::size_t>(k)] =
            place(new QLineEdit(GB2), indexed("F1", k), twips(360, 360 + 360 * k, 4800, 375));
        Label3[static_cast<std::size_t>(k)] =
            place(new QLabel(QString::number(k + 1), GB2), indexed("Label3", k), twips(120, 390 + 360 * k, 200, 285));
    }
    // Past the right edge: it only carries the clicked element's left edge.
    Label4 = place(new QLabel(this), QStringLiteral("Label4"), twips(ClientWidth + 600, 0, 1200, 285));

    connect(Btn[0], &QPushButton::clicked, this, &Form2::apply);
    connect(Btn[1], &QPushButton::clicked, this, &QDialog::close);
    connect(PB1[0], &QPushButton::clicked, this, &Form2::chooseFont);
    connect(PB1[1], &QPushButton::clicked, this, [this] { chooseColour(FE1[2]); });
    connect(PB1[2], &QPushButton::clicked, this, [this] { chooseColour(FE1[3]); });
}

void Form2::setWindowHeight(int twipsHigh)
{
    setFixedSize(ClientWidth / 15, (twipsHigh - FrameHeight) / 15);
}

bool Form2::presetElement(int listPosition)
{
    const std::optional<Group> group = PropertyGroups::groupAt(listPosition);
    if (!group)
        return false;
    applyProfile(*group);
    setFields(PropertyGroups::preset(*group, listPosition, m_document.elements()));
    return true;
}

void Form2::presetBackgroundColour()
{
    applyProfile(Group::BackgroundColour);
    setFields(PropertyGroups::presetBackgroundColour(m_document.backgroundColour()));
}

void Form2::applyProfile(Group group)
{
    const PropertyGroups::Profile shown = PropertyGroups::profile(group);
    Label1->setText(PropertyGroups::title(group));
    StessoLeft->setVisible(shown.sameLeftShown);
    if (shown.lookDisabled) {
        box1->setEnabled(false);
        for (std::size_t index = 0; index < 4; ++index)
            Label2[index]->setEnabled(false);
    }
    if (shown.alignmentDisabled) {
        Label2[3]->setEnabled(false);
        for (QRadioButton* button : RB1)
            button->setEnabled(false);
    }
    if (shown.textEnabled) {
        Label2[6]->setEnabled(true);
        Testo999->setEnabled(true);
    }
    if (shown.backgroundColourMode) {
        PB1[0]->setEnabled(false);
        PB1[2]->setEnabled(false);
        CB2->setEnabled(false);
        for (QRadioButton* button : RB1)
            button->setEnabled(false);
        FE1[4]->setEnabled(false);
        FE1[5]->setEnabled(false);
        for (QLabel* label : Label2)
            label->setEnabled(false);
    }
    setWindowHeight(shown.windowHeight);
}

void Form2::setFields(const PropertyGroups::Fields& fields)
{
    FE1[0]->setText(fields.fontName);
    FE1[1]->setText(fields.fontSize);
    FE1[2]->setText(fields.backColour);
    FE1[3]->setText(fields.foreColour);
    FE1[4]->setText(fields.pixelHeight);
    FE1[5]->setText(fields.pixelWidth);
    CB1[0]->setChecked(fields.bold);
    CB1[1]->setChecked(fields.italic);
    CB2->setChecked(fields.transparent);
    if (fields.alignmentButton >= 0 && fields.alignmentButton < 3)
        RB1[static_cast<std::size_t>(fields.alignmentButton)]->setChecked(true);
    StessoLeft->setChecked(fields.sameLeft);
    Label4->setText(fields.left);
    Testo999->setText(fields.text);
    for (std::size_t k = 0; k < F1.size(); ++k)
        F1[k]->setText(fields.workstations[k]);
}

PropertyGroups::Fields Form2::fields() const
{
    PropertyGroups::Fields fields;
    fields.fontName = FE1[0]->text();
    fields.fontSize = FE1[1]->text();
    fields.backColour = FE1[2]->text();
    fields.foreColour = FE1[3]->text();
    fields.pixelHeight = FE1[4]->text();
    fields.pixelWidth = FE1[5]->text();
    fields.bold = CB1[0]->isChecked();
    fields.italic = CB1[1]->isChecked();
    fields.transparent = CB2->isChecked();
    for (std::size_t index = 0; index < RB1.size(); ++index) {
        if (RB1[index]->isChecked())
            fields.alignmentButton = static_cast<int>(index);
    }
    fields.sameLeft = StessoLeft->isChecked();
    fields.left = Label4->text();
    fields.text = Testo999->text();
    for (std::size_t k = 0; k < F1.size(); ++k)
        fields.workstations[k] = F1[k]->text();
    fields.lookEnabled = box1->isEnabled();
    return fields;
}

// The title decides the group; a title of no group changes nothing.
void Form2::apply()
{
    const std::optional<Group> group = PropertyGroups::groupOfTitle(Label1->text());
    if (!group || !PropertyGroups::complete(*group, fields()))
        return;
    for (QLineEdit* pixels : {FE1[4], FE1[5]}) {
        if (pixels->text().isEmpty())
            pixels->setText(QStringLiteral("0"));
    }
    const PropertyGroups::Outcome outcome = PropertyGroups::apply(*group, fields(), m_document.elements());
    switch (outcome.kind) {
    case PropertyGroups::Outcome::Refused:
        MsgForm::showMessage({outcome.message}, this);
        break;
    case PropertyGroups::Outcome::Elements:
        m_document.replaceElements(Label1->text(), outcome.records);
        break;
    case PropertyGroups::Outcome::Background:
        m_document.setBackgroundColour(outcome.colour);
        break;
    case PropertyGroups::Outcome::Nothing:
        break;
    }
}

// A cancelled dialog leaves every field as it was.
void Form2::chooseFont()
{
    const std::optional<QFont> font = m_dialogs.chooseFont(this);
    if (!font)
        return;
    CB1[0]->setChecked(font->bold());
    CB1[1]->setChecked(font->italic());
    FE1[0]->setText(font->family());
    FE1[1]->setText(PropertyGroups::floatText(static_cast<float>(font->pointSizeF())));
}

void Form2::chooseColour(QLineEdit* field)
{
    if (const std::optional<QColor> colour = m_dialogs.chooseColour(this))
        field->setText(QString::number(OleColor::fromQColor(*colour)));
}
