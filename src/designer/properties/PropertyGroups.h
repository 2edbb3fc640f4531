#pragma once

#include "designer/document/ElementData.h"
#include "designer/document/LayoutDocument.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What the property editor works on, without its window: the groups and their members, what each
// group's editor shows, the fields preset from an element, and what "&Applica" makes of the fields.
namespace PropertyGroups {

enum class Group {
    Numeri,
    Postazione,
    Utente,
    Stato,
    Foto,
    Titolo,
    SottoTitolo,
    Data,
    Orario,
    TestoScorrevole,
    Video,
    Immagini,
    BackgroundColour,
};

// The caption of the editor's title, which is also the key of its apply.
QString title(Group group);
std::optional<Group> groupOfTitle(const QString& title);
// The group a right press on the element at this list position opens; none for the weather area.
std::optional<Group> groupAt(int listPosition);
// The list positions an apply changes, in the order it changes them.
std::vector<int> members(Group group);

// What each group's apply writes onto its members.
struct Applies {
    bool look = false;
    bool size = false;
    bool transparency = false;
    bool commonLeft = false;
    bool workstationTexts = false;
    bool titleText = false;
    bool backgroundColour = false;
};
Applies applies(Group group);

// How the editor looks for a group: everything not named here stays as the window is built.
struct Profile {
    bool sameLeftShown = false;
    bool passesLeft = false;   // the clicked element's left edge goes into Label4
    bool lookDisabled = false; // box1 and the captions of its first four rows
    bool alignmentDisabled = false;
    bool textEnabled = false; // Testo999 and its caption
    bool backgroundColourMode = false;
    int windowHeight = DesignHeight; // outer height in twips
    static constexpr int DesignHeight = 5415;
    static constexpr int TallHeight = 9015;
};
Profile profile(Group group);

// The editor's fields as texts and ticks, the way the window holds them.
struct Fields {
    QString fontName;
    QString fontSize;
    QString backColour;
    QString foreColour;
    QString pixelHeight;
    QString pixelWidth;
    bool bold = false;
    bool italic = false;
    bool transparent = false;
    int alignmentButton = -1; // RB1 index: 0 left, 1 centred, 2 right; -1 none
    bool sameLeft = false;
    QString left; // Label4
    QString text; // Testo999
    std::array<QString, 8> workstations;
    bool lookEnabled = true; // box1
};

// Text of a single-precision value that reads back as the same value.
QString floatText(float value);

// The fields a right press on the element at `listPosition` presets (the element's look, size and
// left edge as its group asks); `elements` gives the workstation texts of "Postazione".
Fields preset(Group group, int listPosition, const LayoutDocument::Elements& elements);
// The colour mode starts with the screen's colour in the background colour field.
Fields presetBackgroundColour(std::uint32_t colour);

// False when the look part is in use (not the colour mode) and its font, size or a colour is empty:
// apply then stops without a word.
bool complete(Group group, const Fields& fields);

// What one click of "&Applica" does.
struct Outcome {
    enum Kind { Nothing, Refused, Elements, Background };
    Kind kind = Nothing;
    QString message;                 // Refused: why, for the operator
    LayoutDocument::Records records; // Elements: the members' new records
    std::uint32_t colour = 0;        // Background
};

// Empty look fields stop the apply without a word; a field the group reads that holds no usable
// number refuses it with a message. `fields` is read as the editor holds it after empty pixel
// fields were set to "0".
Outcome apply(Group group, const Fields& fields, const LayoutDocument::Elements& elements);

} // namespace PropertyGroups
