#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

class Store;

// The single row of Configurazione, field by field in the kinds the display program reads. Every
// call opens the record afresh, reads or writes its fields and lets it go, so what one window
// stores the next one reads, and a write changes only the fields it names. Getters give
// std::nullopt for a field never written (Null); each window chooses its own default for that.
class ConfigurationRecord
{
public:
    explicit ConfigurationRecord(Store& store);

    // MisuraFormWH: 1, 2 or 3 for 1024 x 768, 1366 x 768, 1920 x 1080; as stored (any number).
    std::optional<double> resolution() const;
    void setResolution(int value);

    // NumerazioneSingola: yes only when it holds -1.
    bool singleNumbering() const;
    void setSingleNumbering(bool single);

    // MisuraFormLeft and MisuraFormTop, the designer's window position in twips; none unless both are stored.
    struct Position {
        float left;
        float top;
    };
    std::optional<Position> designerPosition() const;
    void setDesignerPosition(float left, float top);

    // qualelayout as stored, and the layout it names: 1 .. 10, 0 for the base layout (stored as
    // 99), none for anything this program never writes (Null, a fraction, text, 11 ...).
    static constexpr int BaseLayoutDefault = 99;
    QVariant storedDefaultLayout() const;
    std::optional<int> defaultLayout() const;
    void setDefaultLayout(int layout);

    // The display's other settings, each a text field unless said otherwise.
    std::optional<QString> photoPlaylist() const; // playlistFoto
    std::optional<QString> pictureTime() const;   // tempo, milliseconds as text
    void setPhotoPlaylist(const QString& path, const QString& pictureTime);
    std::optional<QString> videoPlaylist() const; // playlistVideo
    void setVideoPlaylist(const QString& path);
    std::optional<QString> musicFolder() const; // cartellamp3
    void setMusicFolder(const QString& folder);
    std::optional<QString> weatherAddress() const; // meteo
    std::optional<QString> weatherCode() const;    // MeteoCode
    void setWeather(const QString& address, const QString& code);
    std::optional<QString> scrollingText() const; // StringaScorrevole
    void setScrollingText(const QString& text);
    std::optional<QString> chime() const; // dindon, the path of the chime's sound file
    void setChime(const QString& path);
    std::optional<double> callTime() const; // tempochiamata, milliseconds
    void setCallTime(double milliseconds);
    std::optional<bool> notice() const; // avviso, yes/no
    void setNotice(bool shown);

private:
    QVariant read(const char* column) const;
    std::optional<QString> readText(const char* column) const;
    void write(std::initializer_list<std::pair<const char*, QVariant>> fields);

    Store& m_store;
};
