#pragma once

#include <QtPlugin>

class QWebEngineView;
class QWidget;

// What the browser module offers: a web view made on demand. The module alone links the browser
// engine, so the program loads that engine (tens of megabytes, a quarter of a second) only when a
// window first shows a page. The view made has a "url" property and a loadFinished(bool) signal.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    virtual QWebEngineView* createBrowser(QWidget* parent) = 0;
};

#define TN2_BROWSER_FACTORY_IID "it.tn2.impostazione.BrowserFactory/1.0"
Q_DECLARE_INTERFACE(BrowserFactory, TN2_BROWSER_FACTORY_IID)
