#include "ui/web/WebPreview.h"

#include "ui/web/BrowserFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPluginLoader>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

// The browser module beside the program, or, for the tests and benchmarks run from the build
// folder, where the build put it.
BrowserFactory* browserFactory()
{
    for (const QString& path : {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tn2_webengine")),
                                QStringLiteral(TN2_BROWSER_MODULE)}) {
        QPluginLoader loader(path);
        if (auto* factory = qobject_cast<BrowserFactory*>(loader.instance()))
            return factory; // a loaded module stays loaded
    }
    return nullptr;
}

} // namespace

WebPreview::WebPreview(QWidget* parent)
    : QWidget(parent)
{
    // Until a page is shown, the place it will take is drawn as an empty page.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void WebPreview::navigate(const QString& address)
{
    m_address = address;
    m_url = QUrl::fromUserInput(address);
    if (!m_url.isValid())
        m_url = QUrl(QStringLiteral("about:blank"));
    if (!m_browser && !m_missing) {
        BrowserFactory* factory = browserFactory();
        if (!factory) {
            // Installed without its browser module: the window works, only the page is missing.
            m_missing = new QLabel(QStringLiteral("Anteprima non disponibile: manca il modulo tn2_webengine."), this);
            m_missing->setAlignment(Qt::AlignCenter);
            m_missing->setWordWrap(true);
            layout()->addWidget(m_missing);
        } else {
            m_view = factory->createBrowser(this);
            m_browser = m_view;
            m_browser->setObjectName(objectName() + QStringLiteral("_browser"));
            layout()->addWidget(m_browser);
            connect(m_browser, SIGNAL(loadFinished(bool)), this, SIGNAL(loadFinished(bool)));
        }
    }
    if (m_browser)
        m_browser->setProperty("url", m_url);
    else
        emit loadFinished(false);
}

QWebEngineView* WebPreview::browser() const
{
    // Kept as the module made it: a cast down from QWidget would need the engine's type
    // information, which this library does not link.
    return m_view;
}
