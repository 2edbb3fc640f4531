// The browser module: the one part of the program linked with the browser engine.
#include "ui/web/BrowserFactory.h"

#include <QObject>
#include <QWebEngineView>

class BrowserModule : public QObject, public BrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TN2_BROWSER_FACTORY_IID)
    Q_INTERFACES(BrowserFactory)
public:
    QWebEngineView* createBrowser(QWidget* parent) override { return new QWebEngineView(parent); }
};

#include "BrowserModule.moc"
