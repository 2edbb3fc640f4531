#include "data/ConfigurationRecord.h"

#include "data/JetValue.h"
#include "data/RecordSet.h"
#include "data/Store.h"

#include <cmath>

namespace {

const QString Table = QStringLiteral("Configurazione");

} // namespace

ConfigurationRecord::ConfigurationRecord(Store& store)
    : m_store(store)
{
}

QVariant ConfigurationRecord::read(const char* column) const
{
    return RecordSet(m_store.database(), Table).value(QLatin1String(column));
}

std::optional<QString> ConfigurationRecord::readText(const char* column) const
{
    const QVariant value = read(column);
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

void ConfigurationRecord::write(std::initializer_list<std::pair<const char*, QVariant>> fields)
{
    RecordSet configuration(m_store.database(), Table);
    configuration.edit();
    for (const auto& [column, value] : fields)
        configuration.setValue(QLatin1String(column), value);
    configuration.update();
}

std::optional<double> ConfigurationRecord::resolution() const
{
    const QVariant value = read("MisuraFormWH");
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return number;
}

void ConfigurationRecord::setResolution(int value)
{
    write({{"MisuraFormWH", JetValue::integer16(value)}});
}

bool ConfigurationRecord::singleNumbering() const
{
    return JetValue::isYes(read("NumerazioneSingola"));
}

void ConfigurationRecord::setSingleNumbering(bool single)
{
    write({{"NumerazioneSingola", JetValue::yesNo(single)}});
}

std::optional<ConfigurationRecord::Position> ConfigurationRecord::designerPosition() const
{
    RecordSet configuration(m_store.database(), Table);
    const QVariant left = configuration.value(QStringLiteral("MisuraFormLeft"));
    const QVariant top = configuration.value(QStringLiteral("MisuraFormTop"));
    if (left.isNull() || top.isNull())
        return std::nullopt;
    return Position{JetValue::toSingle(left), JetValue::toSingle(top)};
}

void ConfigurationRecord::setDesignerPosition(float left, float top)
{
    write({{"MisuraFormLeft", JetValue::single(left)}, {"MisuraFormTop", JetValue::single(top)}});
}

QVariant ConfigurationRecord::storedDefaultLayout() const
{
    return read("qualelayout");
}

std::optional<int> ConfigurationRecord::defaultLayout() const
{
    const QVariant stored = storedDefaultLayout();
    if (stored.isNull())
        return std::nullopt;
    bool ok = false;
    const double value = stored.toDouble(&ok);
    if (!ok || value != std::trunc(value))
        return std::nullopt;
    if (value == BaseLayoutDefault)
        return 0;
    if (value >= 1 && value <= 10)
        return static_cast<int>(value);
    return std::nullopt;
}

void ConfigurationRecord::setDefaultLayout(int layout)
{
    write({{"qualelayout", QVariant(static_cast<qint32>(layout == 0 ? BaseLayoutDefault : layout))}});
}

std::optional<QString> ConfigurationRecord::photoPlaylist() const
{
    return readText("playlistFoto");
}

std::optional<QString> ConfigurationRecord::pictureTime() const
{
    return readText("tempo");
}

void ConfigurationRecord::setPhotoPlaylist(const QString& path, const QString& pictureTime)
{
    write({{"playlistFoto", path}, {"tempo", pictureTime}});
}

std::optional<QString> ConfigurationRecord::videoPlaylist() const
{
    return readText("playlistVideo");
}

void ConfigurationRecord::setVideoPlaylist(const QString& path)
{
    write({{"playlistVideo", path}});
}

std::optional<QString> ConfigurationRecord::musicFolder() const
{
    return readText("cartellamp3");
}

void ConfigurationRecord::setMusicFolder(const QString& folder)
{
    write({{"cartellamp3", folder}});
}

std::optional<QString> ConfigurationRecord::weatherAddress() const
{
    return readText("meteo");
}

std::optional<QString> ConfigurationRecord::weatherCode() const
{
    return readText("MeteoCode");
}

void ConfigurationRecord::setWeather(const QString& address, const QString& code)
{
    write({{"meteo", address}, {"MeteoCode", code}});
}

std::optional<QString> ConfigurationRecord::scrollingText() const
{
    return readText("StringaScorrevole");
}

void ConfigurationRecord::setScrollingText(const QString& text)
{
    write({{"StringaScorrevole", text}});
}

std::optional<QString> ConfigurationRecord::chime() const
{
    return readText("dindon");
}

void ConfigurationRecord::setChime(const QString& path)
{
    write({{"dindon", path}});
}

std::optional<double> ConfigurationRecord::callTime() const
{
    const QVariant value = read("tempochiamata");
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return number;
}

void ConfigurationRecord::setCallTime(double milliseconds)
{
    write({{"tempochiamata", milliseconds}});
}

std::optional<bool> ConfigurationRecord::notice() const
{
    const QVariant value = read("avviso");
    if (value.isNull())
        return std::nullopt;
    return JetValue::isYes(value);
}

void ConfigurationRecord::setNotice(bool shown)
{
    write({{"avviso", JetValue::yesNo(shown)}});
}
