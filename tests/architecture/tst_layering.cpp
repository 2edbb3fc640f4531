// Includes run one way, from the program down to its data: app -> menu -> features -> ui -> data
// -> platform. A feature reaches another feature only through that feature's entry header, and the
// folders without widgets include no widget folder. The build's links catch most breaches; this
// catches the rest (a header-only include compiles without a link).

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// Height of each folder; a file may include only from its own height or below.
int heightOf(const QString& folder)
{
    static const QHash<QString, int> heights{
        {QStringLiteral("platform"), 0},       {QStringLiteral("data"), 1},
        {QStringLiteral("data/seed"), 2},      {QStringLiteral("designer/document"), 3},
        {QStringLiteral("designer/tools"), 3}, {QStringLiteral("ui"), 4},
        {QStringLiteral("menu"), 6},           {QStringLiteral("app"), 7},
    };
    return heights.value(folder, 5); // the feature folders
}

// The folder of a path relative to src/: its first component, or the first two for the folders
// that are layers of their own.
QString folderOf(const QString& path)
{
    const QString two = path.section(QLatin1Char('/'), 0, 1);
    for (const char* layer : {"data/seed", "designer/document", "designer/tools"})
        if (two == QLatin1String(layer) && path.count(QLatin1Char('/')) > 1)
            return two;
    return path.section(QLatin1Char('/'), 0, 0);
}

// A feature's way in, which other features and the menu may include.
bool isEntryHeader(const QString& include)
{
    static const QRegularExpression entry(QStringLiteral("^[a-z]+/Open[A-Za-z]+\\.h$"));
    return entry.match(include).hasMatch();
}

// Why `file` may not include `include`, or empty when it may.
QString breach(const QString& file, const QString& include)
{
    const QString from = folderOf(file);
    const QString to = folderOf(include);
    if (from == to)
        return {};
    const int fromHeight = heightOf(from);
    const int toHeight = heightOf(to);
    if (toHeight > fromHeight)
        return QStringLiteral("%1 includes %2 from the higher folder %3").arg(file, include, to);
    // Between features (and from the menu into a feature) only the entry header.
    const bool intoFeature = toHeight == 5;
    const bool sameFeature = from.section(QLatin1Char('/'), 0, 0) == to.section(QLatin1Char('/'), 0, 0);
    if (intoFeature && fromHeight >= 5 && !sameFeature && !isEntryHeader(include))
        return QStringLiteral("%1 includes %2, not the entry header of %3").arg(file, include, to);
    return {};
}

} // namespace

class TestLayering : public QObject
{
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("include");
        QTest::addColumn<bool>("allowed");
        const auto add = [](const char* file, const char* include, bool allowed) {
            QTest::addRow("%s includes %s", file, include)
                << QString::fromLatin1(file) << QString::fromLatin1(include) << allowed;
        };
        add("data/Store.cpp", "ui/MsgForm.h", false);
        add("platform/Twips.h", "data/Store.h", false);
        add("designer/document/X.cpp", "designer/Form1.h", false);
        add("data/Store.cpp", "data/seed/Seed.h", false);
        add("library/SceltaLayout.cpp", "designer/OpenDesigner.h", true);
        add("library/SceltaLayout.cpp", "designer/Form1.h", false);
        add("library/SceltaLayout.cpp", "menu/SplasModule.h", false);
    }

    void rule()
    {
        QFETCH(QString, file);
        QFETCH(QString, include);
        QFETCH(bool, allowed);
        QCOMPARE(breach(file, include).isEmpty(), allowed);
    }

    void sourcesKeepTheDirection()
    {
        const QString root = QStringLiteral(TN2_SOURCE_DIR);
        static const QRegularExpression includeLine(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""),
                                                    QRegularExpression::MultilineOption);
        QStringList breaches;
        int files = 0;
        QDirIterator it(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile source(path);
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QString file = path.mid(root.size() + 1);
            ++files;
            for (const QRegularExpressionMatch& match : includeLine.globalMatch(QString::fromUtf8(source.readAll()))) {
                const QString include = match.captured(1);
                if (!include.contains(QLatin1Char('/')))
                    continue; // a generated file (moc, ui) or one beside it
                const QString why = breach(file, include);
                if (!why.isEmpty())
                    breaches << why;
            }
        }
        QVERIFY(files > 20);
        QVERIFY2(breaches.isEmpty(), qPrintable(breaches.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
