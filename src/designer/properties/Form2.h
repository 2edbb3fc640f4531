#pragma once

#include "designer/properties/PropertyGroups.h"

#include <QDialog>
#include <array>

class LayoutDocument;
class PropertyDialogs;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The element property editor: the look, size and texts of one group of elements, or the screen's
// background colour. The opener presets it for a group and shows it modally; each "&Applica" is one
// command on the layout document, so the canvas shows it at once and undo takes it back whole.
class Form2 : public QDialog
{
    Q_OBJECT
public:
    Form2(LayoutDocument& document, PropertyDialogs& dialogs, QWidget* parent = nullptr);

    // Title, profile and fields for a right press on the element at this list position; false, and
    // the editor stays as built, for the weather area.
    bool presetElement(int listPosition);
    // The screen background colour mode, with the screen's colour in the background colour field.
    void presetBackgroundColour();

private:
    QLabel* Label1 = nullptr;
    QFrame* Line1 = nullptr;
    QGroupBox* box1 = nullptr;
    std::array<QLineEdit*, 6> FE1{};
    std::array<QPushButton*, 3> PB1{};
    std::array<QCheckBox*, 2> CB1{};
    QCheckBox* CB2 = nullptr;
    std::array<QRadioButton*, 3> RB1{};
    QLineEdit* Testo999 = nullptr;
    std::array<QLabel*, 7> Label2{}; // indexes 0 to 6
    QCheckBox* StessoLeft = nullptr;
    std::array<QPushButton*, 2> Btn{};
    QGroupBox* GB2 = nullptr;
    std::array<QLineEdit*, 8> F1{};
    std::array<QLabel*, 8> Label3{};
    QLabel* Label4 = nullptr;

    void build();
    void applyProfile(PropertyGroups::Group group);
    void setWindowHeight(int twips);
    void setFields(const PropertyGroups::Fields& fields);
    PropertyGroups::Fields fields() const;

    void apply();
    void chooseFont();
    void chooseColour(QLineEdit* field);

    LayoutDocument& m_document;
    PropertyDialogs& m_dialogs;
};
