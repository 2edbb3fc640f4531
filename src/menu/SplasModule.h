#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class FileDialogs;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Store;

// The main menu: the first window and the last. It shows and stores the display's resolution and
// numbering mode, opens the other windows modally, and closes only when the exit window confirms.
class SplasModule : public QWidget
{
    Q_OBJECT
public:
    // Reads MisuraFormWH and NumerazioneSingola from the configuration record; nothing is stored
    // and no message is shown while the stored state is set on the controls. `dialogs` picks the
    // files of the backup and restore commands (the system's dialogs when null).
    explicit SplasModule(Store& store, QWidget* parent = nullptr, FileDialogs* dialogs = nullptr);
    ~SplasModule() override;

    // 0, 1 or 2 for the selected resolution button; none when no button is selected.
    std::optional<int> selectedResolution() const;

protected:
    // Every way of closing (C&hudi, the close box, the system) asks the exit window first.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QPushButton* addButton(const QString& name, const QString& caption, const QRect& twips);
    void readConfiguration();
    void storeResolution();
    void storeNumbering();
    void openLayoutChooser();
    // The picture's context menu: backup and restore of every setting.
    void showSettingsMenu(const QPoint& position);
    void restoreSettings();

    Store& m_store;
    std::unique_ptr<FileDialogs> m_systemDialogs;
    FileDialogs& m_dialogs;
    // There is no PB1 index 1.
    std::array<QPushButton*, 8> PB1{};
    std::array<QRadioButton*, 3> RB1{};
    QPushButton* Command0 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* tempoc = nullptr;
    QPushButton* Avviso = nullptr;
    QCheckBox* NumerazioneSingola = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
};
