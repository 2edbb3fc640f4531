#include "library/CopiaLayout.h"

#include "data/LayoutCaption.h"
#include "data/LayoutTableCopy.h"
#include "ui/Guarded.h"
#include "ui/MsgForm.h"
#include "ui/SettingsWindow.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The layout number of source button `index`: the last button is the base layout.
int sourceAt(int index)
{
    return index == CopiaLayout::BaseSource ? 0 : index + 1;
}

QFrame* makeLine(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

CopiaLayout::CopiaLayout(Store& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    SettingsWindow::setUp(this, QStringLiteral("CopiaLayout"), QStringLiteral("Funzione di Copia Layout"));
    buildControls();
}

void CopiaLayout::buildControls()
{
    const auto makeLabel = [this](const QString& name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        return label;
    };
    const auto makeGroup = [this](const char* name) {
        auto* group = new QGroupBox(this);
        group->setObjectName(QLatin1String(name));
        return group;
    };

    GroupBox1 = makeGroup("GroupBox1");
    GroupBox2 = makeGroup("GroupBox2");
    GroupBox3 = makeGroup("GroupBox3");
    auto* sources = new QVBoxLayout(GroupBox1);
    auto* targets = new QVBoxLayout(GroupBox2);
    for (int index = 0; index < static_cast<int>(L0.size()); ++index) {
        L0[index] = new QRadioButton(LayoutCaption(sourceAt(index)), GroupBox1);
        L0[index]->setObjectName(QStringLiteral("L0_%1").arg(index));
        sources->addWidget(L0[index]);
    }
    for (int index = 0; index < static_cast<int>(L1.size()); ++index) {
        L1[index] = new QRadioButton(LayoutCaption(index + 1), GroupBox2);
        L1[index]->setObjectName(QStringLiteral("L1_%1").arg(index));
        targets->addWidget(L1[index]);
    }
    // The targets lack the base layout: keep their rows level with the sources.
    targets->addStretch();

    Label1[0] = makeLabel(QStringLiteral("Label1_0"), QStringLiteral("Copia Layout "));
    Label1[1] = makeLabel(QStringLiteral("Label1_1"), QStringLiteral("sul Layout"));
    const QFont heading = WindowFont::tahoma(8.25, true);
    Label1[0]->setFont(heading);
    Label1[1]->setFont(heading);

    auto* summary = new QHBoxLayout(GroupBox3);
    Label2[0] = makeLabel(QStringLiteral("Label2_0"), QStringLiteral("Copia del Layout"));
    Label3[0] = makeLabel(QStringLiteral("Label3_0"), QStringLiteral("Layout 1"));
    Label2[1] = makeLabel(QStringLiteral("Label2_1"), QStringLiteral("sul Layout"));
    Label3[1] = makeLabel(QStringLiteral("Label3_1"), QStringLiteral("Layout 1"));
    Label3[0]->setFont(heading);
    Label3[1]->setFont(heading);
    summary->addWidget(Label2[0]);
    summary->addWidget(Label3[0]);
    summary->addWidget(Label2[1]);
    summary->addWidget(Label3[1]);
    summary->addStretch();

    const QStringList captions{QStringLiteral("C&hiudi"), QStringLiteral("Copia &Layout")};
    for (int index = 0; index < static_cast<int>(Btn.size()); ++index)
        Btn[index] = SettingsWindow::pushButton(this, QStringLiteral("Btn_%1").arg(index), captions[index]);
    Line1 = makeLine(this, "Line1");
    Line2 = makeLine(this, "Line2");

    L0[0]->setChecked(true);
    L1[0]->setChecked(true);
    // The summary follows the selection, however it was changed (mouse, arrow keys, access key).
    for (int index = 0; index < static_cast<int>(L0.size()); ++index) {
        connect(L0[index], &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                Label3[0]->setText(LayoutCaption(sourceAt(index)));
        });
    }
    for (int index = 0; index < static_cast<int>(L1.size()); ++index) {
        connect(L1[index], &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                Label3[1]->setText(LayoutCaption(index + 1));
        });
    }
    connect(Btn[0], &QPushButton::clicked, this, &QDialog::close);
    connect(Btn[1], &QPushButton::clicked, this, guarded(this, [this] { copy(); }));

    auto* sourceColumn = new QVBoxLayout;
    sourceColumn->addWidget(Label1[0]);
    sourceColumn->addWidget(GroupBox1);
    auto* targetColumn = new QVBoxLayout;
    targetColumn->addWidget(Label1[1]);
    targetColumn->addWidget(GroupBox2);
    auto* choices = new QHBoxLayout;
    choices->addLayout(sourceColumn);
    choices->addLayout(targetColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn[1]);
    buttons->addWidget(Btn[0]);

    auto* window = new QVBoxLayout(this);
    window->addLayout(choices);
    window->addWidget(Line1);
    window->addWidget(GroupBox3);
    window->addWidget(Line2);
    window->addLayout(buttons);
}

int CopiaLayout::sourceLayout() const
{
    for (int index = 0; index < static_cast<int>(L0.size()); ++index) {
        if (L0[index]->isChecked())
            return sourceAt(index);
    }
    return 1;
}

int CopiaLayout::targetLayout() const
{
    for (int index = 0; index < static_cast<int>(L1.size()); ++index) {
        if (L1[index]->isChecked())
            return index + 1;
    }
    return 1;
}

void CopiaLayout::copy()
{
    const int source = sourceLayout();
    const int target = targetLayout();
    if (source == target) {
        MsgForm::showMessage({QStringLiteral("Impossibile copiare un "), QStringLiteral("Layout su se stesso ! ")},
                             this);
        return;
    }
    LayoutTableCopy(m_store).copy(source, target);
    MsgForm::showMessage({QStringLiteral("Copia effettuata correttamente ! ")}, this);
}
