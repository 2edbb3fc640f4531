// Opens and closes every window of the program, each in turn 100 times, the way the operator does
// (the entry the menu uses, the window shown modally, then closed), and prints the resident memory
// after 1, 10 and 100 rounds. Memory that keeps growing between 10 and 100 rounds is a leak.
//   bench_windows [rounds]        (default 100)
#include "ProcessMemory.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "designer/OpenDesigner.h"
#include "designer/document/LayoutDocument.h"
#include "designer/properties/OpenProperties.h"
#include "library/OpenLayoutChooser.h"
#include "media/OpenMedia.h"
#include "menu/SplasModule.h"
#include "playlists/OpenPlaylists.h"
#include "registers/OpenRegisters.h"
#include "texts/OpenTexts.h"
#include "ui/FileDialogs.h"
#include "weather/OpenWeather.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {

// Closes the modal window on top once it is shown; first presses, in turn, the buttons named in
// `inside`, each of which opens another modal window over it.
void closeWhenShown(QStringList inside)
{
    QTimer::singleShot(0, [inside]() mutable {
        QWidget* top = QApplication::activeModalWidget();
        if (!top)
            return;
        QApplication::processEvents(); // laid out and painted, as the operator sees it
        if (!inside.isEmpty()) {
            auto* button = top->findChild<QAbstractButton*>(inside.takeFirst());
            if (button) {
                closeWhenShown(inside);
                button->click();
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
    });
}

struct Window {
    const char* name;
    std::function<void()> open; // returns when the window has been closed
    QStringList inside = {};
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 100;

    QTemporaryDir folder;
    Store store(folder.path(), &Seed::populate);
    store.database();
    QDir::setCurrent(folder.path()); // the file lists open on the program folder
    SystemFileDialogs dialogs;
    LayoutDocument document;

    const QVector<Window> windows = {
        {"Menu principale (SplasModule)",
         [&] {
             SplasModule menu(store, nullptr, &dialogs);
             menu.show();
             QApplication::processEvents();
         }},
        {"Scelta layout (SceltaLayout)", [&] { OpenLayoutChooser(store, 2, nullptr, &dialogs); }},
        {"Copia layout (CopiaLayout)",
         [&] { OpenLayoutChooser(store, 2, nullptr, &dialogs); },
         {QStringLiteral("PB1_4")}},
        {"Cancella layout (CancellaLayout)",
         [&] { OpenLayoutChooser(store, 2, nullptr, &dialogs); },
         {QStringLiteral("PPBB1_1")}},
        {"Designer (Form1) at 1920 x 1080", [&] { OpenDesigner(store, QStringLiteral("Layout1"), 2); }},
        {"Proprieta elemento (Form2)", [&] { OpenElementProperties(document, 0, nullptr); }},
        {"Colore sfondo (Form2)", [&] { OpenBackgroundColour(document, nullptr); }},
        {"Sfondo (ImpostaSfondo)", [&] { OpenBackgroundPicture(document, nullptr); }},
        {"Playlist foto", [&] { OpenPhotoPlaylists(store, nullptr); }},
        {"Playlist video", [&] { OpenVideoPlaylists(store, nullptr); }},
        {"Operatori (GestioneUtenti)", [&] { OpenGestioneUtenti(store, nullptr); }},
        {"Radio (GestioneRadio)", [&] { OpenGestioneRadio(store, nullptr); }},
        {"Meteo (Form3)", [&] { OpenWeather(store, nullptr); }},
        {"Musica (MP3)", [&] { OpenMP3(store, nullptr); }},
        {"Chiamata (DinDon)", [&] { OpenDinDon(store, nullptr); }},
        {"Testo scorrevole (Form4)", [&] { OpenForm4(store, nullptr); }},
        {"Tempo chiamata", [&] { OpenTempoChiamata(store, nullptr); }},
        {"Avviso", [&] { OpenMostroAvviso(store, nullptr); }},
    };

    QTextStream out(stdout);
    out << "Resident memory (MB) after opening and closing each window; " << residentKilobytes() / 1024
        << " MB before the first\n";
    out << qSetFieldWidth(34) << Qt::left << "window" << qSetFieldWidth(9) << Qt::right << "1"
        << "10" << rounds << "ms/round" << qSetFieldWidth(0) << "\n";
    for (const Window& window : windows) {
        out << qSetFieldWidth(34) << Qt::left << window.name << qSetFieldWidth(9) << Qt::right;
        out.flush();
        QElapsedTimer timer;
        timer.start();
        for (int round = 1; round <= rounds; ++round) {
            closeWhenShown(window.inside);
            window.open();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QApplication::processEvents();
            if (round == 1 || round == 10 || round == rounds)
                out << QString::number(double(residentKilobytes()) / 1024, 'f', 1);
            out.flush();
        }
        out << QString::number(double(timer.elapsed()) / rounds, 'f', 1) << qSetFieldWidth(0) << "\n";
        out.flush();
    }
    return 0;
}
